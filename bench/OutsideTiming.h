// The real tool timed from outside, as a user waits for it: another process (the benchmark)
// starts the tool, shows a farm's target in it with a move of its probe, presses F5 there and
// asks its tree for its count of entries, which the tool answers only once it is back in its
// message loop, that is when the rebuild and its repaint are done.
#pragma once

#include <string>
#include <vector>

#include "bench/BenchSupport.h"

namespace quellon::bench {

// Prints a table of the cases; `tool` is the tool's executable.
void timeFromOutside(const std::wstring& tool, const std::vector<Case>& cases, int repeat);

// A program of the benchmark's own build (the tool, its console companion), in the folder above
// its own.
std::wstring besideBench(const wchar_t* program);

}  // namespace quellon::bench
