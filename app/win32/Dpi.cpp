#include "app/win32/Dpi.h"

#include <cmath>

#include "platform/win32/SystemFunctions.h"

namespace quellon::win32 {

void declareDpiAwareness() {
    if (auto* setContext = user32().SetProcessDpiAwarenessContext.find()) {
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) return;
        // Refused because the manifest already declared the awareness.
        if (::GetLastError() == ERROR_ACCESS_DENIED) return;
    }
    if (auto* setAwareness = shcore().SetProcessDpiAwareness.find()) {
        const HRESULT result = setAwareness(PROCESS_PER_MONITOR_DPI_AWARE);
        if (SUCCEEDED(result) || result == E_ACCESSDENIED) return;
    }
    if (auto* setAware = user32().SetProcessDPIAware.find()) setAware();
}

UINT dpiForWindow(HWND window) {
    if (auto* getDpi = user32().GetDpiForWindow.find()) {
        if (const UINT dpi = getDpi(window)) return dpi;
    }
    return monitorDpi(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

RECT outerRect(const RECT& client, DWORD style, DWORD exStyle, UINT dpi) {
    RECT outer = client;
    if (auto* adjust = user32().AdjustWindowRectExForDpi.find()) {
        if (adjust(&outer, style, FALSE, exStyle, dpi)) return outer;
        outer = client;
    }
    ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return outer;
}

float twipsPerPixel(UINT dpi) {
    constexpr float kTwipsPerInch = 1440;
    return kTwipsPerInch / static_cast<float>(dpi);
}

int scaleToDpi(int pixels96, UINT dpi) {
    return ::MulDiv(pixels96, static_cast<int>(dpi), static_cast<int>(kDefaultDpi));
}

int fontHeight(double points, UINT dpi) {
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace quellon::win32
