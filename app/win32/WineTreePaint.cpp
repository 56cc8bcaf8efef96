// The tree's scroll bars kept quiet under Wine: painted only when they change. Measured there, the
// themed bar cost about 60 requests to the wine server a paint, more than the rest of a small
// tree's paint, and a rebuild painted it up to three times.
#include "app/win32/WineTreePaint.h"

namespace quellon::win32::wine {

namespace {

ScrollBar scrollBar(HWND window, int bar, DWORD shownStyle) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(window, bar, &info)) info = {};
    const bool shown = (::GetWindowLongW(window, GWL_STYLE) & shownStyle) != 0;
    return {shown, info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

ScrollBars scrollBars(HWND window) {
    return {scrollBar(window, SB_VERT, WS_VSCROLL), scrollBar(window, SB_HORZ, WS_HSCROLL)};
}

bool isVisible(HWND window) { return (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

// Kept from drawing as WM_SETREDRAW does for windows that leave it to the system: WS_VISIBLE
// cleared, the window left where it is. Wine's tree view keeps WM_SETREDRAW to itself, so the
// style is set while the tree is shown, during a rebuild too.
QuietScrollBars::QuietScrollBars(HWND tree)
    : tree_(tree), before_(scrollBars(tree)), visible_(isVisible(tree)) {
    if (visible_) ::DefWindowProcW(tree_, WM_SETREDRAW, FALSE, 0);
}

QuietScrollBars::~QuietScrollBars() {
    if (!visible_) return;
    ::DefWindowProcW(tree_, WM_SETREDRAW, TRUE, 0);
    // Wine invalidates the frame when WS_VISIBLE comes back.
    ::RedrawWindow(tree_, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
    if (!(scrollBars(tree_) == before_)) ::SendMessageW(tree_, WM_NCPAINT, 1, 0);  // whole frame
}

}  // namespace quellon::win32::wine
