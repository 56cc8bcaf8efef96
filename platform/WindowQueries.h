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

// Every query passed on to other window queries: the base of those that change or note a few.
class ForwardedWindowQueries : public WindowQueries {
public:
    explicit ForwardedWindowQueries(WindowQueries& inner) : inner_(inner) {}

    bool getCursorPos(Point& point) override { return inner_.getCursorPos(point); }
    Hwnd windowFromPoint(Point point) override { return inner_.windowFromPoint(point); }
    Hwnd getWindow(Hwnd window, Relation relation) override {
        return inner_.getWindow(window, relation);
    }
    Hwnd getParent(Hwnd window) override { return inner_.getParent(window); }
    Hwnd getAncestor(Hwnd window, unsigned flags) override {
        return inner_.getAncestor(window, flags);
    }
    Hwnd getDesktopWindow() override { return inner_.getDesktopWindow(); }
    bool isWindowVisible(Hwnd window) override { return inner_.isWindowVisible(window); }
    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override {
        return inner_.getWindowText(window, buffer, capacity);
    }
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override {
        return inner_.getClassName(window, buffer, capacity);
    }

protected:
    WindowQueries& inner_;
};

namespace win {
inline constexpr unsigned kGaParent = 1;
}  // namespace win

}  // namespace quellon
