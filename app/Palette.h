// The colours of the tool's own surfaces: the window's background (the label's and the check
// box's too) and the probe's, each with the colour of the text on it. Normally the pale colours
// of the design with the system's window text; in high-contrast mode the system's pair for
// dialog surfaces, so that the contrast the user chose holds on the tool's surfaces too. And the
// colour of the outline around the probed window.
#pragma once

#include "platform/SystemColours.h"

namespace quellon {

// The pale sage green of the window and the pale sand of the probe.
inline constexpr Colour kDesignWindowColour = 0x00AFCFC4;
inline constexpr Colour kDesignProbeColour = 0x00CADEF0;
// A crimson that stands out on light and dark windows alike.
inline constexpr Colour kOutlineColour = 0x005014E6;

struct SurfaceColours {
    Colour window;
    Colour windowText;
    Colour probe;
    Colour probeText;
    bool operator==(const SurfaceColours&) const = default;
};

class Palette {
public:
    explicit Palette(SystemColours& system) : system_(system), colours_(read()) {}

    [[nodiscard]] const SurfaceColours& colours() const { return colours_; }
    // The same in high-contrast mode: it lies over another program's window, whatever colours
    // that window has.
    [[nodiscard]] Colour outline() const { return kOutlineColour; }
    // Reads the system again after its colours or its contrast setting changed; whether the
    // tool's colours changed with them, and so the brushes made from them.
    bool refresh();

private:
    SurfaceColours read();

    SystemColours& system_;
    SurfaceColours colours_;
};

}  // namespace quellon
