#include "SteadyInput.h"

#include <stdexcept>

#include "../driver/Input.h"
#include "../driver/Text.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"

namespace e2e {

namespace {

// How long the pointer must stay put before a press: the fallbacks seen come within this.
constexpr DWORD kSteadyMs = 150;

bool pointerAt(POINT point) {
    POINT now{};
    return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
}

}  // namespace

void moveSteadily(POINT point) {
    for (int attempt = 1; attempt <= 10; ++attempt) {
        moveTo(point);
        if (!waitUntil([&] { return !pointerAt(point); }, kSteadyMs, 10)) return;
    }
    throw std::runtime_error(cat("the pointer does not stay at ", point.x, ",", point.y));
}

void steadyClick(POINT point) {
    moveSteadily(point);
    clickAt(point);
}

void steadyClick(HWND window) { steadyClick(centreOf(windowRect(window))); }

}  // namespace e2e
