// Polling with a deadline: the driver waits for conditions in another process, never for a
// fixed time alone.
#pragma once

#include <windows.h>

namespace e2e {

inline constexpr DWORD kDefaultTimeoutMs = 10000;

// Calls the predicate until it holds or the time is up; reports whether it held.
template <class Predicate>
bool waitUntil(Predicate predicate, DWORD timeoutMs = kDefaultTimeoutMs, DWORD intervalMs = 20) {
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (predicate()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(intervalMs);
    }
}

}  // namespace e2e
