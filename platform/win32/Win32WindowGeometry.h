// The real window geometry: user32, the desktop window manager ("dwmapi") and the per-monitor
// DPI ("shcore"), each function bound by name at its first call through the one table
// (SystemFunctions.h). Where one is missing, the answer is that of a failing call, or the
// system-wide DPI.
#pragma once

#include "platform/WindowGeometry.h"

#include <windows.h>

namespace quellon::win32 {

// The system-wide DPI, which the first monitor had when the session began.
UINT systemDpi();

// The DPI of the monitor, or the system-wide DPI where per-monitor DPI is unknown.
UINT monitorDpi(HMONITOR monitor);

class Win32WindowGeometry : public WindowGeometry {
public:
    bool isWindow(Hwnd window) override;
    bool isTopLevel(Hwnd window) override;
    bool getWindowRect(Hwnd window, Rect& rect) override;
    bool getExtendedFrameBounds(Hwnd window, Rect& rect) override;
    unsigned monitorDpi(Hwnd window) override;
    Rect virtualScreen() override;
    Hwnd windowAbove(Hwnd window) override;
    bool isVisible(Hwnd window) override;
    bool isCloaked(Hwnd window) override;
};

}  // namespace quellon::win32
