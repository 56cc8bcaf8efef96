// The screen of the simulated desktop: the flash drawn into its windows, their z-order and
// layered style, and the locale's decimal separator. It keeps what was drawn and every
// SetWindowPos call, and counts each device context until it is given back.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/Screen.h"

namespace quellon::test {

class SimDesktop;

struct WindowPosCall {
    Hwnd window, insertAfter;
    int x, y, cx, cy;
    unsigned flags;
    bool operator==(const WindowPosCall&) const = default;
};

class SimScreen : public Screen {
public:
    explicit SimScreen(SimDesktop& desktop) : desktop_(desktop) {}

    std::wstring decimal = L".";
    std::vector<std::pair<Handle, Rect>> inversions;
    std::uint32_t sleptMilliseconds = 0;
    std::vector<WindowPosCall> windowPosCalls;

    int openDeviceContexts() const { return openDCs_; }

    bool getClientRect(Hwnd window, Rect& rect) override;
    Handle getDC(Hwnd window) override;
    int releaseDC(Hwnd window, Handle dc) override;
    bool invertRect(Handle dc, const Rect& rect) override;
    void sleep(std::uint32_t milliseconds) override;
    bool setWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override;
    std::int32_t getWindowLong(Hwnd window, int index) override;
    std::int32_t setWindowLong(Hwnd window, int index, std::int32_t value) override;
    bool setLayeredWindowAttributes(Hwnd window, std::uint32_t colorKey, std::uint8_t alpha,
                                    std::uint32_t flags) override;
    std::wstring decimalSeparator() override;

private:
    SimDesktop& desktop_;
    int openDCs_ = 0;
};

}  // namespace quellon::test
