// What the probe asks the window system: the pointer, the window under it, the windows around
// a window, and what an entry shows of one. Methods keep the system's contracts: buffers with
// capacities, failure reported by value (0, false) rather than by raising; a function the
// running system lacks raises a run-time error at the call.
#pragma once

#include "platform/Types.h"

namespace quellon {

class WindowQueries {
public:
    virtual ~WindowQueries() = default;

    [[nodiscard]] virtual bool getCursorPos(Point& point) = 0;
    [[nodiscard]] virtual Hwnd windowFromPoint(Point point) = 0;
    [[nodiscard]] virtual Hwnd getWindow(Hwnd window, Relation relation) = 0;
    [[nodiscard]] virtual Hwnd getParent(Hwnd window) = 0;
    [[nodiscard]] virtual Hwnd getAncestor(Hwnd window, unsigned flags) = 0;
    [[nodiscard]] virtual Hwnd getDesktopWindow() = 0;
    [[nodiscard]] virtual bool isWindowVisible(Hwnd window) = 0;
    // Copy at most capacity - 1 characters and a terminator; return the count copied.
    [[nodiscard]] virtual int getWindowText(Hwnd window, wchar_t* buffer, int capacity) = 0;
    [[nodiscard]] virtual int getClassName(Hwnd window, wchar_t* buffer, int capacity) = 0;
};

namespace win {
inline constexpr unsigned kGaParent = 1;
}  // namespace win

}  // namespace quellon
