// The floor of the command line's dumps of the whole desktop: the questions that /dump /all asks
// of each window, and those that /json adds, asked in a plain loop. The benchmark asks them in
// its own process, and quellon-floor.exe in a process of its own, as the dump runs.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

namespace quellon::bench {

// Every window of the desktop, each before its descendants, as the dump walks them.
std::vector<HWND> everyWindow();

// The questions the walk asks of a window: its first child and next sibling, its text and
// class, the window it sits in and whether it is visible; for `json` also its place, client
// size, styles, process and thread, and whether it is still there.
void askAsTheDump(HWND window, bool json);

// The same questions of every window below `parent`, the first child and next sibling asked
// once each as the way through the tree; the number of windows asked.
std::size_t askEveryWindowBelow(HWND parent, bool json);

}  // namespace quellon::bench
