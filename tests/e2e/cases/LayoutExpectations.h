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

// Tells the tool that its DPI changed to the one it has, with a suggested rectangle of another
// place and size, and checks that the window takes the rectangle and lays itself out for it.
// Puts the window back as it was.
void checkDpiChangeMessage(TestContext& t, int twipsPerPixel);

}  // namespace e2e
