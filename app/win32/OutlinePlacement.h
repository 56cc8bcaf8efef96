// Where the outline's window stands and how it comes back to the top. The tool's way is the
// documented one (TargetOutlinePlacement); Tool picks it.
#pragma once

#include <windows.h>

#include "app/ProbeOutline.h"

namespace quellon::win32 {

class OutlinePlacement {
public:
    virtual ~OutlinePlacement() = default;
    // Where the window stands, in screen coordinates, to show the frame.
    [[nodiscard]] virtual Rect place(const OutlineShape& shape) = 0;
    // Whether the outline is to come back to the top, given whether a window above it covers it
    // now (coveredFromAbove).
    [[nodiscard]] virtual bool covered(bool coveredNow) = 0;
    // The outline was hidden.
    virtual void hidden() = 0;
    // Puts the window above every other topmost window, where it stands.
    virtual void bringToTop(HWND outline) = 0;
};

// A window of the frame's own size over the target, moved and shaped anew for each, brought to
// the top while a window above it covers it.
class TargetOutlinePlacement final : public OutlinePlacement {
public:
    Rect place(const OutlineShape& shape) override { return shape.bounds; }
    bool covered(bool coveredNow) override { return coveredNow; }
    void hidden() override {}
    void bringToTop(HWND outline) override;
};

// SetWindowPos flags that change only the z-order.
inline constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

}  // namespace quellon::win32
