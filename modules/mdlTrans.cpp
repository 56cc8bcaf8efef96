#include "modules/mdlTrans.h"

#include <optional>

#include "platform/Procedure.h"

namespace quellon::mdlTrans {

namespace {

// Sets or clears the layered bit of the extended style, keeping every other bit, then gives
// the window its layered opacity. Without layered windows (no SetLayeredWindowAttributes) the
// style change still stands.
void applyLayered(Platform& api, Hwnd window, bool layered, std::uint8_t alpha) {
    std::optional<std::int32_t> style;
    skipOnError([&] { style = api.getWindowLong(window, win::kGwlExStyle); });
    // Writing a style that could not be read would wipe the window's other extended styles.
    if (style) {
        const std::int32_t changed =
            layered ? (*style | win::kWsExLayered) : (*style & ~win::kWsExLayered);
        skipOnError([&] { api.setWindowLong(window, win::kGwlExStyle, changed); });
    }
    skipOnError([&] { api.setLayeredWindowAttributes(window, 0, alpha, win::kLwaAlpha); });
}

}  // namespace

void SetTransparency(Platform& api, Hwnd window, std::uint8_t alpha) {
    applyLayered(api, window, true, alpha);
}

// The opacity call comes after the style is cleared, so the window is never drawn at 0.
void RemoveTransparency(Platform& api, Hwnd window) { applyLayered(api, window, false, 0); }

}  // namespace quellon::mdlTrans
