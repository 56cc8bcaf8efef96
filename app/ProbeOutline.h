// The outline that marks the probed window on the screen while the probe is dragged, and for a
// moment after a pick with the hotkey: which window it surrounds, where it lies, and when it is
// brought back to the top over windows that came up since. It is drawn by a window of the tool's
// own (OutlineFrames), so nothing is ever drawn into the target and nothing is left behind.
#pragma once

#include <optional>

#include "platform/Types.h"
#include "platform/WindowGeometry.h"

namespace quellon {

// The outline's width at 96 DPI; it grows with the DPI of the target's monitor.
inline constexpr int kOutlineWidth96 = 3;

// How many refreshes the outline of a pick with the hotkey lasts: about a second at the main
// window's refresh every 100 ms.
inline constexpr int kPickRefreshes = 10;

// A frame on the screen: the bounds less the hole inside them that the outline leaves alone. In
// bounds too small for two widths side by side the hole is empty ({0, 0, 0, 0}) and the frame
// fills the bounds.
struct OutlineShape {
    Rect bounds;
    Rect hole;

    bool operator==(const OutlineShape&) const = default;
};

// The outline `width` pixels wide lying just inside `bounds`.
OutlineShape outlineShape(const Rect& bounds, int width);

// How far up the z-order a check for covering windows looks; beyond, the outline counts as
// covered, also where the windows above change order while the check walks them.
inline constexpr int kMostWindowsAbove = 256;

// Whether a window above the outline's own window `outline` in the z-order covers part of
// `area`, where that window stands: one that shows on the screen, visible and not cloaked.
[[nodiscard]] bool coveredFromAbove(WindowGeometry& geometry, Hwnd outline, const Rect& area);

// What draws the outline.
class OutlineFrames {
public:
    virtual ~OutlineFrames() = default;
    // Shows the outline there, above every other window.
    virtual void show(const OutlineShape& shape) = 0;
    virtual void hide() = 0;
    // Whether a window that came up since the last show or bringToTop covers part of the
    // outline.
    [[nodiscard]] virtual bool covered() = 0;
    // Puts the outline above every other window again, where it is.
    virtual void bringToTop() = 0;
};

// Frames that draw nothing, for the handlers where no outline can show: a dump, which shows no
// window, and the benchmark's rebuilds by the logic alone.
class NoOutlineFrames final : public OutlineFrames {
public:
    void show(const OutlineShape&) override {}
    void hide() override {}
    bool covered() override { return false; }
    void bringToTop() override {}
};

class ProbeOutline {
public:
    ProbeOutline(WindowGeometry& geometry, OutlineFrames& frames)
        : geometry_(geometry), frames_(frames) {}

    // The outline shows only between the start of a drag and its end, and for kPickRefreshes
    // refreshes after the start of a pick. The end of a drag ends a pick too.
    void beginDrag() { dragging_ = true; }
    void endDrag();
    void beginPick() { pickRefreshesLeft_ = kPickRefreshes; }
    // Whether the outline may show, and so needs its refreshes.
    [[nodiscard]] bool active() const { return dragging_ || pickRefreshesLeft_ > 0; }

    // Surrounds the window from now on; 0 takes the outline away.
    void follow(Hwnd target);
    // Puts the outline where its window stands now, or takes it away when the window is gone;
    // an outline that stays where it is goes above a window that came up over it since.
    void refresh();

private:
    std::optional<OutlineShape> shapeOf(Hwnd window);
    void show(const std::optional<OutlineShape>& shape);

    WindowGeometry& geometry_;
    OutlineFrames& frames_;
    bool dragging_ = false;
    int pickRefreshesLeft_ = 0;
    Hwnd target_ = 0;
    std::optional<OutlineShape> shown_;
};

}  // namespace quellon
