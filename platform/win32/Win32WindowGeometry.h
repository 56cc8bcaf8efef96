// The real window geometry: user32, the desktop window manager ("dwmapi") and the per-monitor
// DPI ("shcore"), each function bound by name at its first call. Where one is missing, the
// answer is that of a failing call, or the system-wide DPI.
#pragma once

#include "platform/WindowGeometry.h"

#include <windows.h>

#include <memory>

namespace quellon::win32 {

// The DPI of the monitor, or the system-wide DPI where per-monitor DPI is unknown.
UINT monitorDpi(HMONITOR monitor);

class Win32WindowGeometry : public WindowGeometry {
public:
    Win32WindowGeometry();
    ~Win32WindowGeometry() override;

    bool isWindow(Hwnd window) override;
    bool isTopLevel(Hwnd window) override;
    bool getWindowRect(Hwnd window, Rect& rect) override;
    bool getExtendedFrameBounds(Hwnd window, Rect& rect) override;
    unsigned monitorDpi(Hwnd window) override;
    Rect virtualScreen() override;

private:
    struct Functions;
    std::unique_ptr<Functions> functions_;
};

}  // namespace quellon::win32
