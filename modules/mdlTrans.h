// Transparency of a top-level window through the layered style. Both routines ignore every
// failure: a failing step is skipped and the next one runs.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace quellon::mdlTrans {

void SetTransparency(Platform& api, Hwnd window, std::uint8_t alpha);
void RemoveTransparency(Platform& api, Hwnd window);

}  // namespace quellon::mdlTrans
