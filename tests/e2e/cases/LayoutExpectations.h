// Where the layout must put the tool's controls for a few outer sizes of its main window, read
// from outside at any screen DPI.
#pragma once

#include "../driver/Harness.h"

namespace e2e {

// Resizes the tool's main window from outside to outer sizes above, at and below the minimum
// and back again, and checks after each that the window keeps the size it was given and that
// every control stands at its place in twips divided by `twipsPerPixel`. Puts the window back
// as it was.
void checkLayoutSequence(TestContext& t, int twipsPerPixel);

}  // namespace e2e
