// The outline that marks the probed window on the screen while the probe is dragged, and for a
// moment after a pick with the hotkey: which window it surrounds, and where its four edges lie.
// The edges are windows of the tool's own (OutlineFrames), so nothing is ever drawn into the
// target and nothing is left behind.
#pragma once

#include <array>
#include <optional>

#include "platform/Types.h"
#include "platform/WindowGeometry.h"

namespace quellon {

// The outline's width at 96 DPI; it grows with the DPI of the target's monitor.
inline constexpr int kOutlineWidth96 = 3;

// How many refreshes the outline of a pick with the hotkey lasts: about a second at the main
// window's refresh every 100 ms.
inline constexpr int kPickRefreshes = 10;

// Top, bottom, left and right edge, in screen pixels.
using OutlineEdges = std::array<Rect, 4>;

// The edges of an outline `thickness` wide lying just inside `bounds`. In bounds too small for
// two edges side by side, the edges meet and none reaches outside.
OutlineEdges outlineEdges(const Rect& bounds, int thickness);

// What draws the edges.
class OutlineFrames {
public:
    virtual ~OutlineFrames() = default;
    virtual void show(const OutlineEdges& edges) = 0;
    virtual void hide() = 0;
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
    // Puts the outline where its window stands now, or takes it away when the window is gone.
    void refresh();

private:
    std::optional<OutlineEdges> edgesOf(Hwnd window);
    void show(const std::optional<OutlineEdges>& edges);

    WindowGeometry& geometry_;
    OutlineFrames& frames_;
    bool dragging_ = false;
    int pickRefreshesLeft_ = 0;
    Hwnd target_ = 0;
    std::optional<OutlineEdges> shown_;
};

}  // namespace quellon
