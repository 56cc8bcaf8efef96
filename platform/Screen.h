// What the tool changes on the screen beyond its own controls: the flash drawn into a window's
// client area and the pause between its halves, the main window's z-order and layered opacity;
// and numbers as the user's locale writes them. Failure is reported by value; a function the
// running system lacks raises a run-time error at the call.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace quellon {

class Screen {
public:
    virtual ~Screen() = default;

    virtual bool getClientRect(Hwnd window, Rect& rect) = 0;
    [[nodiscard]] virtual Handle getDC(Hwnd window) = 0;
    virtual int releaseDC(Hwnd window, Handle dc) = 0;
    virtual bool invertRect(Handle dc, const Rect& rect) = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    virtual bool setWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy,
                              unsigned flags) = 0;
    [[nodiscard]] virtual std::int32_t getWindowLong(Hwnd window, int index) = 0;
    virtual std::int32_t setWindowLong(Hwnd window, int index, std::int32_t value) = 0;
    virtual bool setLayeredWindowAttributes(Hwnd window, std::uint32_t colorKey, std::uint8_t alpha,
                                            std::uint32_t flags) = 0;
    // The decimal separator of the user's locale.
    [[nodiscard]] virtual std::wstring decimalSeparator() = 0;
};

namespace win {
inline constexpr Hwnd kHwndTopmost = -1;
inline constexpr Hwnd kHwndNoTopmost = -2;
inline constexpr unsigned kSwpNoSize = 1;
inline constexpr unsigned kSwpNoMove = 2;
inline constexpr int kGwlStyle = -16;
inline constexpr int kGwlExStyle = -20;
inline constexpr std::int32_t kWsExLayered = 0x80000;
inline constexpr std::uint32_t kLwaAlpha = 2;
}  // namespace win

}  // namespace quellon
