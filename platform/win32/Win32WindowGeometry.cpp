#include "platform/win32/Win32WindowGeometry.h"

#include "platform/win32/Handles.h"
#include "platform/win32/SystemFunctions.h"
#include "platform/win32/Unique.h"

namespace quellon::win32 {

UINT systemDpi() {
    const ClientDC screen;
    const int dpi = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT monitorDpi(HMONITOR monitor) {
    if (auto* getDpi = shcore().GetDpiForMonitor.find()) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(getDpi(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && y) return y;
    }
    return systemDpi();
}

bool Win32WindowGeometry::isWindow(Hwnd window) {
    auto* isWindow = user32().IsWindow.find();
    return isWindow && isWindow(toHwnd(window));
}

bool Win32WindowGeometry::isTopLevel(Hwnd window) {
    auto* getAncestor = user32().GetAncestor.find();
    auto* getDesktop = user32().GetDesktopWindow.find();
    return getAncestor && getDesktop && getAncestor(toHwnd(window), GA_PARENT) == getDesktop();
}

bool Win32WindowGeometry::getWindowRect(Hwnd window, Rect& rect) {
    auto* getRect = user32().GetWindowRect.find();
    RECT r{};
    if (!getRect || !getRect(toHwnd(window), &r)) return false;
    rect = fromRECT(r);
    return true;
}

bool Win32WindowGeometry::getExtendedFrameBounds(Hwnd window, Rect& rect) {
    auto* getAttribute = dwmapi().DwmGetWindowAttribute.find();
    RECT r{};
    if (!getAttribute ||
        FAILED(getAttribute(toHwnd(window), DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r))) {
        return false;
    }
    rect = fromRECT(r);
    return true;
}

unsigned Win32WindowGeometry::monitorDpi(Hwnd window) {
    auto* fromWindow = user32().MonitorFromWindow.find();
    if (!fromWindow) return systemDpi();
    return win32::monitorDpi(fromWindow(toHwnd(window), MONITOR_DEFAULTTONEAREST));
}

Rect Win32WindowGeometry::virtualScreen() {
    auto* metric = user32().GetSystemMetrics.find();
    if (!metric) return {};
    const int left = metric(SM_XVIRTUALSCREEN);
    const int top = metric(SM_YVIRTUALSCREEN);
    return {left, top, left + metric(SM_CXVIRTUALSCREEN), top + metric(SM_CYVIRTUALSCREEN)};
}

Hwnd Win32WindowGeometry::windowAbove(Hwnd window) {
    auto* getWindow = user32().GetWindow.find();
    return getWindow ? fromHwnd(getWindow(toHwnd(window), GW_HWNDPREV)) : 0;
}

bool Win32WindowGeometry::isVisible(Hwnd window) {
    auto* isVisible = user32().IsWindowVisible.find();
    return isVisible && isVisible(toHwnd(window));
}

// A system without the attribute, or without the desktop window manager, cloaks nothing.
bool Win32WindowGeometry::isCloaked(Hwnd window) {
    auto* getAttribute = dwmapi().DwmGetWindowAttribute.find();
    DWORD cloaked = 0;
    return getAttribute &&
           SUCCEEDED(getAttribute(toHwnd(window), DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}

}  // namespace quellon::win32
