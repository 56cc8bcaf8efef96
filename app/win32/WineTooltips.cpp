#include "app/win32/WineTooltips.h"

#include <commctrl.h>

namespace quellon::win32 {

namespace {

// The mouse messages that a tooltip's own subclass would pass it.
bool isRelayedToTooltip(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return true;
        default: return false;
    }
}

}  // namespace

void WineTooltips::beforeDispatch(const MSG& message, HWND tooltip, HWND tree) {
    if (message.hwnd != tree || !isRelayedToTooltip(message.message)) return;
    ::SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

}  // namespace quellon::win32
