// Clicks that land where they are aimed. Under Wine the pointer can fall back for a moment to
// where an earlier move left it after it has arrived, and a button pressed then lands there.
#pragma once

#include <windows.h>

namespace e2e {

// Clicks the left button at the point once the pointer stays there.
void steadyClick(POINT point);
// Clicks the middle of the window.
void steadyClick(HWND window);

}  // namespace e2e
