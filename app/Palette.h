// The colours of the tool's own surfaces: the window's background (the label's and the check
// box's too) and the probe's, each with the colour of the text on it. Normally the pale colours
// of the design with the system's window text; in high-contrast mode the system's pair for
// dialog surfaces, so that the contrast the user chose holds on the tool's surfaces too. And the
// colours of what the tool draws among other colours: the outline around the probed window and
// the pictures in the tree.
#pragma once

#include "platform/SystemColours.h"

namespace quellon {

// The pale sage green of the window and the pale sand of the probe.
inline constexpr Colour kDesignWindowColour = 0x00AFCFC4;
inline constexpr Colour kDesignProbeColour = 0x00CADEF0;
// A crimson that stands out on light and dark windows alike.
inline constexpr Colour kOutlineColour = 0x005014E6;
// The pale yellow inside the tree's picture of a visible window (resources/make_pictures.py).
inline constexpr Colour kPictureInsideColour = 0x00B9FAFF;

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

    [[nodiscard]] const SurfaceColours& colours() const { return colours_.surfaces; }
    // Crimson; in high-contrast mode the system's highlight colour, which the user chose to
    // stand out.
    [[nodiscard]] Colour outline() const { return colours_.outline; }
    // The colour in which a pixel drawn in `drawn` shows in the tree's pictures: its own; in
    // high-contrast mode the system's window text, and the window colour for the visible
    // window's pale inside, so that both pictures read on the tree's background (COLOR_WINDOW).
    [[nodiscard]] Colour pictureColour(Colour drawn) const;
    // Whether the pictures show in colours other than their own.
    [[nodiscard]] bool picturesRecoloured() const { return colours_.highContrast; }
    // Reads the system again after its colours or its contrast setting changed; whether any of
    // the tool's colours changed with them, and so what is made from them.
    bool refresh();

private:
    struct Colours {
        bool highContrast;
        SurfaceColours surfaces;
        Colour outline;
        Colour pictureLines;   // in high-contrast mode
        Colour pictureInside;  // in high-contrast mode
        bool operator==(const Colours&) const = default;
    };

    Colours read();

    SystemColours& system_;
    Colours colours_;
};

}  // namespace quellon
