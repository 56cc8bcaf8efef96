// What the tree view's paint does differently under Wine, and only there: Wine's control sets its
// scroll bars whenever it lays out or paints, and Wine paints them anew each time, changed or not.
// Used only when wineCodeActive() (Wine.h).
#pragma once

#include <windows.h>

namespace quellon::win32::wine {

// What the scroll bars show, from the style and the scroll information the control set.
struct ScrollBar {
    bool shown = false;
    int minimum = 0, maximum = 0, page = 0, position = 0;
    bool operator==(const ScrollBar&) const = default;
};

struct ScrollBars {
    ScrollBar vertical, horizontal;
    bool operator==(const ScrollBars&) const = default;
};

// While it lives (a layout, a paint into a buffer), the tree is kept from drawing on the screen;
// at its end the frame, and with it the scroll bars, is painted only when they changed. The
// tree's client area is left validated: the caller shows what it painted meanwhile.
class QuietScrollBars {
public:
    explicit QuietScrollBars(HWND tree);
    ~QuietScrollBars();
    QuietScrollBars(const QuietScrollBars&) = delete;
    QuietScrollBars& operator=(const QuietScrollBars&) = delete;

private:
    HWND tree_;
    ScrollBars before_;
    bool visible_;  // a hidden tree stays hidden
};

}  // namespace quellon::win32::wine
