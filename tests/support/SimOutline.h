// The probe's outline on a simulated desktop: window rectangles, frame bounds, monitor DPIs and
// cloaked windows that a test sets, and frames that record what they were told to show and when to
// come to the top.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "app/ProbeOutline.h"
#include "platform/WindowGeometry.h"
#include "tests/support/SimDesktop.h"

namespace quellon::test {

class SimGeometry : public WindowGeometry {
public:
    explicit SimGeometry(SimDesktop& desktop) : desktop_(desktop) {}

    // A window without an entry stands at (0, 0) with its client size.
    std::map<Hwnd, Rect> windowRects;
    // Absent: the window manager gives none.
    std::map<Hwnd, Rect> frameBounds;
    std::map<Hwnd, unsigned> dpis;  // absent: 96
    Rect screen{0, 0, 1280, 1024};
    std::set<Hwnd> cloaked;

    bool isWindow(Hwnd window) override { return desktop_.exists(window); }
    bool isTopLevel(Hwnd window) override {
        return isWindow(window) && window != SimDesktop::kDesktop &&
               desktop_.window(window).spec.parent == 0;
    }
    bool getWindowRect(Hwnd window, Rect& rect) override {
        if (!isWindow(window)) return false;
        const WindowSpec& spec = desktop_.window(window).spec;
        const auto found = windowRects.find(window);
        rect = found != windowRects.end() ? found->second
                                          : Rect{0, 0, spec.clientWidth, spec.clientHeight};
        return true;
    }
    bool getExtendedFrameBounds(Hwnd window, Rect& rect) override {
        const auto found = frameBounds.find(window);
        if (!isWindow(window) || found == frameBounds.end()) return false;
        rect = found->second;
        return true;
    }
    unsigned monitorDpi(Hwnd window) override {
        const auto found = dpis.find(window);
        return found != dpis.end() ? found->second : 96;
    }
    Rect virtualScreen() override { return screen; }
    Hwnd windowAbove(Hwnd window) override {
        if (!isWindow(window) || window == SimDesktop::kDesktop) return 0;
        const Hwnd parent = desktop_.window(window).spec.parent;
        const auto& siblings = desktop_.window(parent ? parent : SimDesktop::kDesktop).children;
        const auto at = std::find(siblings.begin(), siblings.end(), window);
        return at == siblings.begin() ? 0 : *(at - 1);
    }
    bool isVisible(Hwnd window) override { return desktop_.isWindowVisible(window); }
    bool isCloaked(Hwnd window) override { return cloaked.count(window) != 0; }

private:
    SimDesktop& desktop_;
};

struct RecordedFrames : OutlineFrames {
    std::optional<OutlineShape> shown;
    int shows = 0;
    // Set by a test: a window came up over the outline. A show or bringToTop puts it on top
    // again.
    bool coveredNow = false;
    int bringsToTop = 0;

    void show(const OutlineShape& shape) override {
        shown = shape;
        ++shows;
        coveredNow = false;
    }
    void hide() override { shown.reset(); }
    bool covered() override { return coveredNow; }
    void bringToTop() override {
        ++bringsToTop;
        coveredNow = false;
    }
};

// What the main window's handlers are given for the outline.
struct SimOutline {
    explicit SimOutline(SimDesktop& desktop) : geometry(desktop) {}

    SimGeometry geometry;
    RecordedFrames frames;
    ProbeOutline outline{geometry, frames};
};

}  // namespace quellon::test
