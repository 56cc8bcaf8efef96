// The always-on-top check box and the three transparency buttons. Both act on the main
// window's own handle, read afresh at every click; the window system alone holds the state.
#include <cstdint>

#include "app/frmMain.h"
#include "modules/mdlTrans.h"
#include "platform/Procedure.h"

namespace quellon {

namespace {

constexpr int kChecked = 1;
constexpr std::uint8_t kModerateOpacity = 200;
constexpr std::uint8_t kStrongOpacity = 120;

}  // namespace

void FrmMain::chkTop_Click() {
    runNumbered(reports_, {L"chkTop_Click", kFormFrmMain}, [&](int& line) {
        line = 20;
        // The greyed state counts as unchecked.
        const bool topmost = form_.chkTopValue() == kChecked;
        line = topmost ? 30 : 50;
        screen_.setWindowPos(form_.hwnd(), topmost ? win::kHwndTopmost : win::kHwndNoTopmost, 0, 0,
                             0, 0, win::kSwpNoMove | win::kSwpNoSize);
    });
}

void FrmMain::Command1_Click(std::int16_t index) {
    // Reading the handle belongs to the call: if it fails, the call is skipped with it.
    skipOnError([&] {
        switch (index) {
            case 0: mdlTrans::RemoveTransparency(screen_, form_.hwnd()); break;
            case 1: mdlTrans::SetTransparency(screen_, form_.hwnd(), kModerateOpacity); break;
            case 2: mdlTrans::SetTransparency(screen_, form_.hwnd(), kStrongOpacity); break;
            default: break;
        }
    });
}

}  // namespace quellon
