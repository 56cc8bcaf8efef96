// Pictures of the screen for a person to look at after a run.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Writes what the screen shows in `area` as a 24-bit BMP file into the folder named by the
// environment variable QUELLON_E2E_SCREENSHOTS, as `name`.bmp. Returns the file's path, or an
// empty text when the variable is not set or the file could not be written.
std::wstring saveScreenshot(const RECT& area, const std::wstring& name);

}  // namespace e2e
