#include "tests/support/SimScreen.h"

#include "tests/support/SimDesktop.h"

namespace quellon::test {

namespace {

constexpr Handle kDcBase = 0xDC000;

}  // namespace

bool SimScreen::getClientRect(Hwnd window, Rect& rect) {
    desktop_.enter("GetClientRect", "user32", window);
    SimWindow* w = desktop_.find(window);
    if (!w) return false;
    rect = {0, 0, w->spec.clientWidth, w->spec.clientHeight};
    return true;
}

Handle SimScreen::getDC(Hwnd window) {
    desktop_.enter("GetDC", "user32", window);
    if (window != 0 && !desktop_.find(window)) return 0;
    ++openDCs_;
    return kDcBase + static_cast<Handle>(openDCs_);
}

int SimScreen::releaseDC(Hwnd window, Handle dc) {
    desktop_.enter("ReleaseDC", "user32", window);
    if (dc == 0) return 0;
    --openDCs_;
    return 1;
}

bool SimScreen::invertRect(Handle dc, const Rect& rect) {
    desktop_.enter("InvertRect", "user32");
    inversions.emplace_back(dc, rect);
    return dc != 0;
}

bool SimScreen::setWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy,
                             unsigned flags) {
    desktop_.enter("SetWindowPos", "user32", window);
    windowPosCalls.push_back({window, insertAfter, x, y, cx, cy, flags});
    SimWindow* w = desktop_.find(window);
    if (!w) return false;
    if (insertAfter == win::kHwndTopmost) w->topmost = true;
    if (insertAfter == win::kHwndNoTopmost) w->topmost = false;
    return true;
}

std::int32_t SimScreen::getWindowLong(Hwnd window, int index) {
    desktop_.enter("GetWindowLongW", "user32", window);
    SimWindow* w = desktop_.find(window);
    if (!w) return 0;
    if (index == win::kGwlStyle) return w->spec.style;
    return index == win::kGwlExStyle ? w->exStyle : 0;
}

std::int32_t SimScreen::setWindowLong(Hwnd window, int index, std::int32_t value) {
    desktop_.enter("SetWindowLongW", "user32", window);
    SimWindow* w = desktop_.find(window);
    if (!w || index != win::kGwlExStyle) return 0;
    const std::int32_t previous = w->exStyle;
    w->exStyle = value;
    return previous;
}

bool SimScreen::setLayeredWindowAttributes(Hwnd window, std::uint32_t, std::uint8_t alpha,
                                           std::uint32_t flags) {
    desktop_.enter("SetLayeredWindowAttributes", "user32", window);
    SimWindow* w = desktop_.find(window);
    if (!w || !(w->exStyle & win::kWsExLayered)) return false;
    if (flags & win::kLwaAlpha) w->alpha = alpha;
    w->layeredAttributesSet = true;
    return true;
}

void SimScreen::sleep(std::uint32_t milliseconds) {
    desktop_.enter("Sleep", "kernel32");
    sleptMilliseconds += milliseconds;
}

std::wstring SimScreen::decimalSeparator() { return decimal; }

}  // namespace quellon::test
