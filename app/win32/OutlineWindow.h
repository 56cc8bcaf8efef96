// The probe's outline on the screen: one pop-up of the tool's own in one saturated colour, shaped
// by its window region into a frame, so that nothing is drawn over the target's inside. It is
// topmost, brought back to the top when a later window covers it, never activated, kept out of
// the taskbar and the Alt+Tab list, and invisible to hit-testing, so that a point on the outline
// probes the window below. Where it stands and how it comes to the top, OutlinePlacement says.
#pragma once

#include "app/ProbeOutline.h"

#include <windows.h>

#include <optional>

#include "platform/win32/Unique.h"

namespace quellon {
class Palette;
class WindowGeometry;
}  // namespace quellon

namespace quellon::win32 {

class OutlinePlacement;

class OutlineWindow : public OutlineFrames {
public:
    // The palette gives the colour, the geometry the windows above it; both and the placement
    // outlive the window.
    OutlineWindow(HINSTANCE instance, const Palette& palette, WindowGeometry& geometry,
                  OutlinePlacement& placement)
        : instance_(instance), palette_(palette), geometry_(geometry), placement_(placement) {}
    ~OutlineWindow() override { destroy(); }
    OutlineWindow(const OutlineWindow&) = delete;
    OutlineWindow& operator=(const OutlineWindow&) = delete;

    // The window is created at the first show, and again where it has been destroyed since.
    // Without the brush, the window or its region nothing is shown.
    void show(const OutlineShape& shape) override;
    void hide() override;
    [[nodiscard]] bool covered() override;
    void bringToTop() override;
    void destroy();
    // Takes the palette's colour anew, after the system's colours changed.
    void recolour();

private:
    // The brush, the window class and the window, made once they can be had.
    bool prepare();
    bool registerClass();
    bool createWindow();
    // Gives the window the frame's region, in window coordinates, unless it has it already;
    // false where it cannot.
    bool shapeWindow(const OutlineShape& frame);

    HINSTANCE instance_;
    const Palette& palette_;
    WindowGeometry& geometry_;
    OutlinePlacement& placement_;
    UniqueBrush brush_;
    bool registered_ = false;
    UniqueWindow window_;
    // Where the window stands, and the frame in window coordinates that its region was made for.
    std::optional<Rect> place_;
    std::optional<OutlineShape> region_;
};

}  // namespace quellon::win32
