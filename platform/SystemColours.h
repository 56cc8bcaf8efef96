// The system's colours and its contrast setting, which the tool's own surfaces follow.
#pragma once

#include <cstdint>

namespace quellon {

// A colour as the window system writes it: 0x00BBGGRR.
using Colour = std::uint32_t;

class SystemColours {
public:
    virtual ~SystemColours() = default;
    // Whether the user has high-contrast mode on.
    virtual bool highContrast() = 0;
    // The system's colour of that index (COLOR_...).
    virtual Colour colour(int index) = 0;
};

namespace win {
inline constexpr int kColorWindow = 5;
inline constexpr int kColorWindowText = 8;
inline constexpr int kColorHighlight = 13;
inline constexpr int kColorBtnFace = 15;
inline constexpr int kColorBtnText = 18;
}  // namespace win

}  // namespace quellon
