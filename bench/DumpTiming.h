// The command line's dumps of the whole desktop timed from outside, as a script waits for them:
// another process (the benchmark) runs the console companion with /dump /all, and with /json,
// to its end, its output read through a pipe, beside the floor of the same questions asked of
// every window of the desktop in a plain loop.
#pragma once

#include <string>
#include <vector>

#include "bench/BenchSupport.h"

namespace quellon::bench {

// Prints a table of the cases; `companion` is the console companion's executable.
void timeDumps(const std::wstring& companion, const std::vector<Case>& cases, int repeat);

}  // namespace quellon::bench
