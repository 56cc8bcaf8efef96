#include "modules/mdlTrans.h"

#include <optional>

#include "platform/Procedure.h"

namespace quellon::mdlTrans {

namespace {

// Sets or clears the layered bit of the extended style, keeping every other bit, then gives
// the window its layered opacity. Without layered windows (no SetLayeredWindowAttributes) the
// style change still stands.
void applyLayered(Screen& screen, Hwnd window, bool layered, std::uint8_t alpha) {
    std::optional<std::int32_t> style;
    skipOnError([&] { style = screen.getWindowLong(window, win::kGwlExStyle); });
    // Writing a style that could not be read would wipe the window's other extended styles.
    if (style) {
        const std::int32_t changed =
            layered ? (*style | win::kWsExLayered) : (*style & ~win::kWsExLayered);
        skipOnError([&] { screen.setWindowLong(window, win::kGwlExStyle, changed); });
    }
    skipOnError([&] { screen.setLayeredWindowAttributes(window, 0, alpha, win::kLwaAlpha); });
}

}  // namespace

void SetTransparency(Screen& screen, Hwnd window, std::uint8_t alpha) {
    applyLayered(screen, window, true, alpha);
}

// The opacity call comes after the style is cleared, so the window is never drawn at 0.
void RemoveTransparency(Screen& screen, Hwnd window) { applyLayered(screen, window, false, 0); }

}  // namespace quellon::mdlTrans
