#include "SteadyInput.h"

#include "../driver/Input.h"
#include "../driver/WindowQueries.h"

namespace e2e {

void steadyClick(POINT point) {
    moveSteadily(point);
    clickAt(point);
}

void steadyClick(HWND window) { steadyClick(centreOf(windowRect(window))); }

}  // namespace e2e
