// Where the layout must put the tool's controls for a few outer sizes of its main window, read
// from outside at any screen DPI.
#pragma once

#include "../driver/E2eTest.h"

namespace e2e {

// Resizes the tool's main window from outside to outer sizes above, at and below the minimum
// and back again, and checks after each that the window keeps the size it was given and that
// every control stands at its place in twips divided by `twipsPerPixel`. Puts the window back
// as it was.
void checkLayoutSequence(TestContext& t, int twipsPerPixel);

// Starts the tool afresh and tells it that it moved to a monitor of `dpi`, then back to the
// screen's DPI, each time with the rectangle that the system suggests for it. Checks after each
// that the window takes the rectangle, lays its controls out at that DPI's twips per pixel, and
// draws its entries, details and tooltips in proportion to the DPI. Puts the window back.
void checkDpiChange(TestContext& t, UINT dpi);

}  // namespace e2e
