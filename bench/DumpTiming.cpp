#include "bench/DumpTiming.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>

#include "bench/FarmProcess.h"
#include "bench/FloorQueries.h"
#include "platform/win32/Unique.h"

namespace quellon::bench {

namespace {

constexpr DWORD kDumpTimeoutMs = 120000;

struct Dumped {
    DWORD exitCode = STILL_ACTIVE;
    std::string out;
};

// Runs the program with the arguments to its end, its standard output read as it comes.
Dumped runProcess(const std::wstring& program, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!::CreatePipe(&read, &write, &inheritable, 1 << 16)) throw std::runtime_error("no pipe");
    win32::UniqueHandle reading(read);
    win32::UniqueHandle writing(write);
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &started)) {
        throw std::runtime_error("cannot start a program to time");
    }
    const win32::UniqueHandle process(started.hProcess);
    const win32::UniqueHandle thread(started.hThread);
    writing.reset();  // so that reading ends with the program
    Dumped dumped;
    char chunk[1 << 16];
    for (DWORD got = 0; ::ReadFile(read, chunk, sizeof chunk, &got, nullptr) && got > 0;) {
        dumped.out.append(chunk, got);
    }
    if (::WaitForSingleObject(process.get(), kDumpTimeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.get(), 1);
        throw std::runtime_error("a timed program did not end");
    }
    ::GetExitCodeProcess(process.get(), &dumped.exitCode);
    return dumped;
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) {
        ++n;
    }
    return n;
}

// A dump or floor that failed or left windows out would measure something else.
void expectWhole(const Dumped& dumped, std::size_t listed, std::size_t windows) {
    if (dumped.exitCode != 0 || listed != windows) {
        throw std::runtime_error("a timed run listed " + std::to_string(listed) + " windows of " +
                                 std::to_string(windows) + ", exit code " +
                                 std::to_string(dumped.exitCode));
    }
}

// The programs timed: the console companion, and the floor in a process of its own.
struct Programs {
    std::wstring companion, floor;
};

struct FormRuns {
    std::vector<double> floor, process, dump, ratio, processRatio;
};

// Timed in the order floor, floor process, dump, each run whole.
void timeForm(const Programs& programs, const std::vector<HWND>& windows, bool json,
              FormRuns& runs) {
    const double floor = millis([&] {
        for (HWND window : windows) askAsTheDump(window, json);
    });
    Dumped asked;
    const double process =
        millis([&] { asked = runProcess(programs.floor, json ? L"json" : L""); });
    expectWhole(asked, count(asked.out, "\n"), windows.size());
    Dumped dumped;
    const double dump = millis([&] {
        dumped = runProcess(programs.companion, json ? L"/dump /all /json" : L"/dump /all");
    });
    expectWhole(dumped, json ? count(dumped.out, "\"handle\":") : count(dumped.out, "\n") - 1,
                windows.size());
    runs.floor.push_back(floor);
    runs.process.push_back(process);
    runs.dump.push_back(dump);
    runs.ratio.push_back(dump / floor);
    runs.processRatio.push_back(dump / process);
}

void printRow(const Case& benchCase, std::size_t windows, const char* form, const FormRuns& runs,
              double start) {
    std::printf("%-7ls %7d %8zu %-5s %8.1f %8.1f %8.1f %7.3f %7.1f %7.3f %7.3f\n",
                benchCase.shape.c_str(), benchCase.count, windows, form, median(runs.floor),
                median(runs.process), median(runs.dump), median(runs.ratio), start,
                (median(runs.dump) - start) / median(runs.floor), median(runs.processRatio));
}

}  // namespace

void timeDumps(const std::wstring& companion, const std::vector<Case>& cases, int repeat) {
    std::printf(
        "the console companion's /dump /all timed from outside, %d-bit build, median of %d runs;"
        " times in ms\n"
        "floor: the same questions asked of every window of the desktop in a plain loop, here;"
        " fresh: that loop in a process of its own (quellon-floor.exe), run as the dump is;\n"
        "start: a run of /? (starting and ending the process); ratio, -start: the dump over the"
        " floor, with and without the start; fresh: the dump over the fresh floor\n",
        static_cast<int>(sizeof(void*) * 8), repeat);
    std::printf("%-7s %7s %8s %-5s %8s %8s %8s %7s %7s %7s %7s\n", "shape", "farm", "windows",
                "form", "floor", "fresh", "dump", "ratio", "start", "-start", "fresh");
    const Programs programs{companion, inBenchFolder(L"quellon-floor.exe")};
    for (const Case& benchCase : cases) {
        const FarmProcess farm(benchCase.shape, benchCase.count);
        const std::vector<HWND> windows = everyWindow();
        FormRuns text, json;
        std::vector<double> starts;
        // Interleaved, so that drift of the machine's speed touches every column alike.
        for (int i = 0; i < repeat; ++i) {
            timeForm(programs, windows, false, text);
            timeForm(programs, windows, true, json);
            starts.push_back(millis([&] { static_cast<void>(runProcess(companion, L"/?")); }));
        }
        if (everyWindow() != windows) throw std::runtime_error("the desktop changed meanwhile");
        printRow(benchCase, windows.size(), "text", text, median(starts));
        printRow(benchCase, windows.size(), "json", json, median(starts));
        std::fflush(stdout);
    }
}

}  // namespace quellon::bench
