#include "app/frmMain.h"

#include "platform/RuntimeError.h"

namespace quellon {

FrmMain::FrmMain(Platform& api, FormHost& form, Nodes& trv, WindowGeometry& geometry,
                 ProbeOutline& outline)
    : api_(api), form_(form), trv_(trv), geometry_(geometry), outline_(outline) {}

void FrmMain::Form_Load() { trvw_ = &trv_; }

void FrmMain::Form_Terminate() { trvw_ = nullptr; }

void FrmMain::onTreeNodeClick(Node node) {
    if (trvw_) trvw_NodeClick(node);
}

Nodes& FrmMain::trvw() {
    if (!trvw_) raise(ErrorNumber::ObjectNotSet);
    return *trvw_;
}

std::wstring nodeKey(Hwnd hwnd) { return L"a" + std::to_wstring(hwnd); }

}  // namespace quellon
