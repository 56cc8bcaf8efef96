#include "app/win32/WineOutline.h"

namespace quellon::win32 {

Rect WineOutlinePlacement::place(const OutlineShape&) {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The screen can still show the other window above after the z-order has the outline on top:
// brought to the top all the same.
bool WineOutlinePlacement::covered(bool coveredNow) {
    if (coveredNow) {
        bringsToTopLeft_ = kBringsToTopAfterCover;
        return true;
    }
    if (bringsToTopLeft_ == 0) return false;
    --bringsToTopLeft_;
    return true;
}

void WineOutlinePlacement::bringToTop(HWND outline) {
    ::SetWindowPos(outline, HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
    ::SetWindowPos(outline, HWND_TOPMOST, 0, 0, 0, 0, kZOrderOnly);
}

}  // namespace quellon::win32
