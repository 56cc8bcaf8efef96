// What the tree view's paint does differently under Wine, and only there: Wine's control sets its
// scroll bars whenever it lays out or paints, and Wine paints them anew each time, changed or not.
// Active when ntdll is Wine's, unless QUELLON_WINE_PAINT=0 (so the tests can run without it).
#pragma once

#include <windows.h>

#include <functional>

namespace quellon::win32::wine {

// The environment variable that switches the Wine-only paint off with the value 0.
inline constexpr wchar_t kWinePaintVariable[] = L"QUELLON_WINE_PAINT";

// Whether the Wine-only paint is active in this process: asked once, at the first call.
bool quietScrollBarsActive();

// Runs `work` (a layout, a paint into a buffer) with the tree kept from drawing on the screen,
// and afterwards paints the frame, and with it the scroll bars, only when they changed. The
// tree's client area is left validated: the caller shows what `work` painted.
void withQuietScrollBars(HWND tree, const std::function<void()>& work);

}  // namespace quellon::win32::wine
