#include "app/frmMain.h"

#include "platform/RuntimeError.h"

namespace quellon {

FrmMain::FrmMain(Platform platform, FormHost& form, Nodes& trv, WindowGeometry& geometry,
                 ProbeOutline& outline)
    : windows_(platform.windows),
      processes_(platform.processes),
      screen_(platform.screen),
      reports_(platform.reports),
      form_(form),
      trv_(trv),
      geometry_(geometry),
      outline_(outline) {}

void FrmMain::Form_Load() { trvw_ = &trv_; }

void FrmMain::Form_Terminate() { trvw_ = nullptr; }

void FrmMain::onTreeNodeClick(Node node) {
    if (trvw_) trvw_NodeClick(node);
}

Nodes& FrmMain::trvw() {
    if (!trvw_) raise(ErrorNumber::ObjectNotSet);
    return *trvw_;
}

}  // namespace quellon
