// The command line's dumps of the whole desktop timed from outside, as a script waits for them:
// another process (the benchmark) runs the console companion with /dump /all, and with /json,
// to its end, its output read through a pipe, beside the floor of the same questions asked of
// every window of the desktop in a plain loop: in the benchmark's own process, where Wine's
// per-process caches are warm, and in a process of its own (quellon-floor.exe) run as the dump
// is, which starts and ends as the dump does.
#pragma once

#include <string>
#include <vector>

#include "bench/BenchSupport.h"

namespace quellon::bench {

// Prints a table of the cases; `companion` is the console companion's executable.
void timeDumps(const std::wstring& companion, const std::vector<Case>& cases, int repeat);

}  // namespace quellon::bench
