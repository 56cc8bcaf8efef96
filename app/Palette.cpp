#include "app/Palette.h"

namespace quellon {

Palette::Colours Palette::read() {
    if (system_.highContrast()) {
        const Colour face = system_.colour(win::kColorBtnFace);
        const Colour text = system_.colour(win::kColorBtnText);
        return {true,
                {face, text, face, text},
                system_.colour(win::kColorHighlight),
                system_.colour(win::kColorWindowText),
                system_.colour(win::kColorWindow)};
    }
    const Colour text = system_.colour(win::kColorWindowText);
    return {false, {kDesignWindowColour, text, kDesignProbeColour, text}, kOutlineColour, 0, 0};
}

Colour Palette::pictureColour(Colour drawn) const {
    if (!colours_.highContrast) return drawn;
    return drawn == kPictureInsideColour ? colours_.pictureInside : colours_.pictureLines;
}

bool Palette::refresh() {
    const Colours now = read();
    if (now == colours_) return false;
    colours_ = now;
    return true;
}

}  // namespace quellon
