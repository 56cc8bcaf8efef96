#include "platform/win32/Win32WindowGeometry.h"

#include <dwmapi.h>
#include <shellscalingapi.h>

#include "platform/win32/Handles.h"
#include "platform/win32/LazyLibrary.h"
#include "platform/win32/Unique.h"

namespace quellon::win32 {

struct Win32WindowGeometry::Functions {
    LazyLibrary user32{"user32"};
    QUELLON_BIND(user32, IsWindow);
    QUELLON_BIND(user32, GetAncestor);
    QUELLON_BIND(user32, GetDesktopWindow);
    QUELLON_BIND(user32, GetWindowRect);
    QUELLON_BIND(user32, GetSystemMetrics);
    QUELLON_BIND(user32, MonitorFromWindow);

    LazyLibrary dwmapi{"dwmapi"};
    QUELLON_BIND(dwmapi, DwmGetWindowAttribute);
};

namespace {

struct MonitorFunctions {
    LazyLibrary shcore{"shcore"};
    QUELLON_BIND(shcore, GetDpiForMonitor);
};

UINT systemDpi() {
    const ScreenDC screen;
    const int dpi = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

Rect fromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

UINT monitorDpi(HMONITOR monitor) {
    static MonitorFunctions functions;
    if (auto* getDpi = functions.GetDpiForMonitor.find()) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(getDpi(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && y) return y;
    }
    return systemDpi();
}

Win32WindowGeometry::Win32WindowGeometry() : functions_(std::make_unique<Functions>()) {}

Win32WindowGeometry::~Win32WindowGeometry() = default;

bool Win32WindowGeometry::isWindow(Hwnd window) {
    auto* isWindow = functions_->IsWindow.find();
    return isWindow && isWindow(toHwnd(window));
}

bool Win32WindowGeometry::isTopLevel(Hwnd window) {
    auto* getAncestor = functions_->GetAncestor.find();
    auto* getDesktop = functions_->GetDesktopWindow.find();
    return getAncestor && getDesktop && getAncestor(toHwnd(window), GA_PARENT) == getDesktop();
}

bool Win32WindowGeometry::getWindowRect(Hwnd window, Rect& rect) {
    auto* getRect = functions_->GetWindowRect.find();
    RECT r{};
    if (!getRect || !getRect(toHwnd(window), &r)) return false;
    rect = fromRECT(r);
    return true;
}

bool Win32WindowGeometry::getExtendedFrameBounds(Hwnd window, Rect& rect) {
    auto* getAttribute = functions_->DwmGetWindowAttribute.find();
    RECT r{};
    if (!getAttribute ||
        FAILED(getAttribute(toHwnd(window), DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r))) {
        return false;
    }
    rect = fromRECT(r);
    return true;
}

unsigned Win32WindowGeometry::monitorDpi(Hwnd window) {
    auto* fromWindow = functions_->MonitorFromWindow.find();
    if (!fromWindow) return systemDpi();
    return win32::monitorDpi(fromWindow(toHwnd(window), MONITOR_DEFAULTTONEAREST));
}

Rect Win32WindowGeometry::virtualScreen() {
    auto* metric = functions_->GetSystemMetrics.find();
    if (!metric) return {};
    const int left = metric(SM_XVIRTUALSCREEN);
    const int top = metric(SM_YVIRTUALSCREEN);
    return {left, top, left + metric(SM_CXVIRTUALSCREEN), top + metric(SM_CYVIRTUALSCREEN)};
}

}  // namespace quellon::win32
