// What a process holds, read from outside: its memory, its windows, its kernel handles and its
// GDI objects. Under Wine GetGuiResources and GetProcessHandleCount answer 0, so each count comes
// from where Wine keeps it.
#pragma once

#include <windows.h>

#include <cstddef>

namespace e2e {

struct ProcessUsage {
    // The commit charge of the private memory; Wine leaves PrivateUsage at 0.
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    // Its windows, top-level and child: the USER objects that can be counted from outside.
    size_t windows = 0;
    size_t handles = 0;
    size_t gdiObjects = 0;
};

// The usage of the process that owns the window; a count that cannot be read is 0.
ProcessUsage usageOf(HWND window);

}  // namespace e2e
