// Where the outline's window stands under Wine, and how it comes back to the top there. Tool
// picks it under Wine alone (Wine.h).
//
// The window covers the whole virtual screen, and a show only changes its region: under Wine
// every new size of a window costs a new surface for its pixels and every move or region a round
// of X requests, and a window of the target's size, moved and shaped anew, cost two to four times
// as much as a region alone. On Windows such a window would keep a layered bitmap of the whole
// screen while a drag lasts.
//
// Each Wine process stacks its own X windows, after it changed the system's z-order and only
// where the window came to the top of it: a window that another process brings to the top while
// the tool brings the outline there can end up above the outline on the screen while the z-order
// has it below. So after something covered the outline, the next refreshes bring it to the top
// again, out of the topmost windows and back (a window on top of the z-order already is not
// stacked again).
//
// The outline's window has no owner (OutlineWindow.cpp), which Wine needs as well: there a window
// that owns a topmost pop-up cannot itself be made topmost, and "On Top" makes the main window
// topmost.
#pragma once

#include "app/win32/OutlinePlacement.h"

namespace quellon::win32 {

class WineOutlinePlacement final : public OutlinePlacement {
public:
    Rect place(const OutlineShape& shape) override;
    bool covered(bool coveredNow) override;
    void hidden() override { bringsToTopLeft_ = 0; }
    void bringToTop(HWND outline) override;

private:
    // Refreshes that bring the outline to the top again after something covered it.
    static constexpr int kBringsToTopAfterCover = 2;
    int bringsToTopLeft_ = 0;
};

}  // namespace quellon::win32
