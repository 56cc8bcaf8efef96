// Dots per inch for the main window and its controls. The per-monitor functions arrived in
// later Windows versions; each is looked up by name and falls back to the system-wide value,
// so the tool still starts where they are missing.
#pragma once

#include <windows.h>

#include "platform/win32/Win32WindowGeometry.h"

namespace quellon::win32 {

inline constexpr UINT kDefaultDpi = 96;

// Asks for per-monitor awareness (v2, else v1, else system-wide) unless the manifest already
// settled it.
void declareDpiAwareness();

UINT dpiForWindow(HWND window);

// The outer rectangle of a window whose client area is `client`, frame and caption drawn at
// `dpi`.
RECT outerRect(const RECT& client, DWORD style, DWORD exStyle, UINT dpi);

// The twips (1440 to the inch) of one pixel at `dpi`, as the details measure sizes.
float twipsPerPixel(UINT dpi);

// Pixels at `dpi` for a length of `pixels96` at 96 DPI.
int scaleToDpi(int pixels96, UINT dpi);

// The font height for a point size, negative so that it selects by character height.
int fontHeight(double points, UINT dpi);

}  // namespace quellon::win32
