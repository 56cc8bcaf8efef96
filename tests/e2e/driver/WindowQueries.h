// Properties of other processes' windows as a test sees them: texts, classes, places, sizes,
// styles, focus and screen pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The window's text through WM_GETTEXT (marshalled by the system across processes).
std::wstring windowText(HWND window);
std::wstring className(HWND window);
// The class and the quoted text, for messages.
std::string describeWindow(HWND window);

RECT windowRect(HWND window);
SIZE clientSize(HWND window);
SIZE sizeOf(const RECT& rect);
// The window's rectangle in its parent's client coordinates.
RECT rectInParent(HWND window);
// A point given in the window's client coordinates, on the screen.
POINT clientToScreen(HWND window, POINT point);

// Every top-level window of the desktop, top of the z-order first.
std::vector<HWND> allTopLevelWindows();
// Every descendant of the window, each before its own descendants.
std::vector<HWND> allDescendants(HWND parent);

// Direct children, top of the z-order first.
std::vector<HWND> childrenOf(HWND parent);
// The first direct child with this class and text.
HWND childWith(HWND parent, const std::wstring& cls, const std::wstring& text);

// The window with the keyboard focus in the thread that owns `anyWindowOfThread`.
HWND focusOf(HWND anyWindowOfThread);
// The window that holds the mouse capture in that thread.
HWND captureOf(HWND anyWindowOfThread);
// Makes the window the foreground one and waits until it is.
bool bringToFront(HWND window);

COLORREF screenPixel(POINT point);
// The pixel in the middle of each edge of the rectangle, `inset` pixels in from the outermost:
// an outline covers those of inset 0.
std::vector<COLORREF> edgeColours(const RECT& rect, int inset = 0);
// Whether each colour differs from the one in its place in `before`.
bool allDiffer(const std::vector<COLORREF>& now, const std::vector<COLORREF>& before);

}  // namespace e2e
