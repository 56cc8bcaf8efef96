// The probe's outline on the screen: four thin pop-ups of the tool's own, one per edge, in one
// saturated colour. They are topmost, never activated, kept out of the taskbar and the Alt+Tab
// list, and invisible to hit-testing, so that a point on the outline probes the window below.
#pragma once

#include "app/ProbeOutline.h"

#include <windows.h>

#include <array>

#include "platform/win32/Unique.h"

namespace quellon::win32 {

// A crimson that stands out on light and dark windows alike.
inline constexpr COLORREF kOutlineColour = RGB(230, 20, 80);

class OutlineWindows : public OutlineFrames {
public:
    explicit OutlineWindows(HINSTANCE instance) : instance_(instance) {}
    ~OutlineWindows() override { destroy(); }
    OutlineWindows(const OutlineWindows&) = delete;
    OutlineWindows& operator=(const OutlineWindows&) = delete;

    // Created at the first show, and again where one has been destroyed since; an edge that
    // cannot be created is left out, and without the brush nothing is created or shown.
    void show(const OutlineEdges& edges) override;
    void hide() override;
    void destroy();

private:
    // The brush and the window class, made once the brush can be had.
    bool prepare();
    HWND createEdge();

    HINSTANCE instance_;
    UniqueBrush brush_;
    std::array<HWND, 4> edges_{};
};

}  // namespace quellon::win32
