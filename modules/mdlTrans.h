// Transparency of a top-level window through the layered style. Both routines ignore every
// failure: a failing step is skipped and the next one runs.
#pragma once

#include <cstdint>

#include "platform/Screen.h"

namespace quellon::mdlTrans {

void SetTransparency(Screen& screen, Hwnd window, std::uint8_t alpha);
void RemoveTransparency(Screen& screen, Hwnd window);

}  // namespace quellon::mdlTrans
