#include "app/Palette.h"

#include <utility>

namespace quellon {

SurfaceColours Palette::read() {
    if (system_.highContrast()) {
        const Colour face = system_.colour(win::kColorBtnFace);
        const Colour text = system_.colour(win::kColorBtnText);
        return {face, text, face, text};
    }
    const Colour text = system_.colour(win::kColorWindowText);
    return {kDesignWindowColour, text, kDesignProbeColour, text};
}

bool Palette::refresh() {
    SurfaceColours now = read();
    if (now == colours_) return false;
    colours_ = now;
    return true;
}

}  // namespace quellon
