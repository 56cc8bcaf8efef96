// Where windows stand on the screen, as the probe's outline needs it: their rectangles, the
// monitor's DPI, the virtual screen, whether a window still exists, and the windows above one
// and whether they show. Unlike the other
// platform interfaces, no method raises: a function the running system lacks answers as a
// failing call would, since the outline is a convenience that must never bring up an error
// report.
#pragma once

#include "platform/Types.h"

namespace quellon {

class WindowGeometry {
public:
    virtual ~WindowGeometry() = default;

    [[nodiscard]] virtual bool isWindow(Hwnd window) = 0;
    // Whether the window's parent is the desktop window (GetAncestor with GA_PARENT).
    [[nodiscard]] virtual bool isTopLevel(Hwnd window) = 0;
    // Screen coordinates, in physical pixels.
    [[nodiscard]] virtual bool getWindowRect(Hwnd window, Rect& rect) = 0;
    // DwmGetWindowAttribute with DWMWA_EXTENDED_FRAME_BOUNDS: the bounds that the desktop
    // window manager draws, without the invisible resize borders.
    [[nodiscard]] virtual bool getExtendedFrameBounds(Hwnd window, Rect& rect) = 0;
    // The DPI of the monitor that holds the largest part of the window.
    [[nodiscard]] virtual unsigned monitorDpi(Hwnd window) = 0;
    // The rectangle that spans every monitor.
    [[nodiscard]] virtual Rect virtualScreen() = 0;
    // The window just above it among its siblings in the z-order (GetWindow with GW_HWNDPREV);
    // 0 at the top.
    [[nodiscard]] virtual Hwnd windowAbove(Hwnd window) = 0;
    [[nodiscard]] virtual bool isVisible(Hwnd window) = 0;
    // Whether the desktop window manager keeps the window off the screen although it is
    // visible (DWMWA_CLOAKED): a window of another virtual desktop, a suspended store app.
    [[nodiscard]] virtual bool isCloaked(Hwnd window) = 0;
};

}  // namespace quellon
