// quellon-floor: the floor of the command line's dumps of the whole desktop in a process of its
// own, started and ended as the benchmark runs the console companion, so that both pay for a
// process's start and begin with none of its caches.
//
//   quellon-floor.exe [json]
//
// Asks every window of the desktop the questions of /dump /all (with "json", of /dump /all
// /json) in a plain loop, then writes one line break per window asked to its standard output, in
// one write, for the benchmark to count.
#include <windows.h>

#include <string>
#include <string_view>

#include "bench/FloorQueries.h"

int wmain(int argc, wchar_t** argv) {
    const bool json = argc > 1 && std::wstring_view(argv[1]) == L"json";
    const std::size_t asked = quellon::bench::askEveryWindowBelow(::GetDesktopWindow(), json);
    const std::string out(asked, '\n');
    DWORD written = 0;
    const BOOL done = ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), out.data(),
                                  static_cast<DWORD>(out.size()), &written, nullptr);
    return done && written == out.size() ? 0 : 1;
}
