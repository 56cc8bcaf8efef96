#include "app/ProbeOutline.h"

#include <algorithm>

namespace quellon {

namespace {

constexpr unsigned kStandardDpi = 96;

bool isEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

Rect intersection(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// Rounded to the nearest pixel, as MulDiv rounds.
int widthAt(unsigned dpi) {
    const auto scaled = (kOutlineWidth96 * dpi + kStandardDpi / 2) / kStandardDpi;
    return std::max(1, static_cast<int>(scaled));
}

}  // namespace

bool coveredFromAbove(WindowGeometry& geometry, Hwnd outline, const Rect& area) {
    Hwnd above = outline;
    for (int i = 0; i < kMostWindowsAbove; ++i) {
        above = geometry.windowAbove(above);
        if (above == 0) return false;
        Rect theirs;
        if (geometry.isVisible(above) && !geometry.isCloaked(above) &&
            geometry.getWindowRect(above, theirs) && !isEmpty(intersection(theirs, area))) {
            return true;
        }
    }
    return true;
}

OutlineShape outlineShape(const Rect& bounds, int width) {
    const Rect& b = bounds;
    const Rect hole{b.left + width, b.top + width, b.right - width, b.bottom - width};
    if (isEmpty(hole)) return {bounds, {}};
    return {bounds, hole};
}

void ProbeOutline::endDrag() {
    dragging_ = false;
    pickRefreshesLeft_ = 0;
    target_ = 0;
    show(std::nullopt);
}

void ProbeOutline::follow(Hwnd target) {
    if (!active()) return;
    target_ = target;
    show(shapeOf(target));
}

void ProbeOutline::refresh() {
    // A pick's outline goes with its last refresh; a target of 0 shows nothing.
    if (!dragging_ && pickRefreshesLeft_ > 0 && --pickRefreshesLeft_ == 0) target_ = 0;
    if (target_ != 0 && !geometry_.isWindow(target_)) target_ = 0;
    const std::optional<OutlineShape> shape = shapeOf(target_);
    if (shape != shown_) {
        show(shape);  // which puts it on top, too
        return;
    }
    // A topmost window shown or activated over it since would hide it for the rest of the drag.
    if (shown_ && frames_.covered()) frames_.bringToTop();
}

// A top-level window is outlined where the window manager draws it, which leaves out the
// invisible resize borders; a child window, or a top-level one where that fails, by its
// window rectangle.
std::optional<OutlineShape> ProbeOutline::shapeOf(Hwnd window) {
    if (window == 0) return std::nullopt;
    Rect bounds;
    const bool found =
        (geometry_.isTopLevel(window) && geometry_.getExtendedFrameBounds(window, bounds)) ||
        geometry_.getWindowRect(window, bounds);
    if (!found) return std::nullopt;
    bounds = intersection(bounds, geometry_.virtualScreen());
    if (isEmpty(bounds)) return std::nullopt;
    const unsigned dpi = geometry_.monitorDpi(window);
    return outlineShape(bounds, widthAt(dpi ? dpi : kStandardDpi));
}

void ProbeOutline::show(const std::optional<OutlineShape>& shape) {
    // An unchanged outline is not set again, so that it does not flicker.
    if (shape == shown_) return;
    shown_ = shape;
    if (shape) {
        frames_.show(*shape);
    } else {
        frames_.hide();
    }
}

}  // namespace quellon
