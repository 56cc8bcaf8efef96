#include "bench/DumpTiming.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>

#include "bench/FarmProcess.h"
#include "platform/win32/Unique.h"

namespace quellon::bench {

namespace {

constexpr DWORD kDumpTimeoutMs = 120000;

// Every window of the desktop, each before its descendants, as the dump walks them.
void collect(HWND parent, std::vector<HWND>& windows) {
    for (HWND w = ::GetWindow(parent, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        windows.push_back(w);
        collect(w, windows);
    }
}

std::vector<HWND> everyWindow() {
    std::vector<HWND> windows;
    collect(::GetDesktopWindow(), windows);
    return windows;
}

// The questions the walk asks of each window: its first child and next sibling, its text and
// class, the window it sits in, and whether it is visible.
void askAsTheWalk(HWND window) {
    wchar_t text[255];
    static_cast<void>(::GetWindow(window, GW_CHILD));
    static_cast<void>(::GetWindow(window, GW_HWNDNEXT));
    static_cast<void>(::GetWindowTextW(window, text, 255));
    static_cast<void>(::GetClassNameW(window, text, 255));
    static_cast<void>(::GetAncestor(window, GA_PARENT));
    static_cast<void>(::IsWindowVisible(window));
}

// And those that the JSON form adds: place, client size, styles, process and thread, and
// whether the window is still there.
void askAsTheJson(HWND window) {
    askAsTheWalk(window);
    RECT rect;
    DWORD process = 0;
    static_cast<void>(::GetWindowRect(window, &rect));
    static_cast<void>(::GetClientRect(window, &rect));
    static_cast<void>(::GetWindowLongW(window, GWL_STYLE));
    static_cast<void>(::GetWindowLongW(window, GWL_EXSTYLE));
    static_cast<void>(::GetWindowThreadProcessId(window, &process));
    static_cast<void>(::IsWindow(window));
}

struct Dumped {
    DWORD exitCode = STILL_ACTIVE;
    std::string out;
};

// Runs the companion with the arguments to its end, its standard output read as it comes.
Dumped runDump(const std::wstring& companion, const std::wstring& arguments) {
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
    std::wstring commandLine = L"\"" + companion + L"\" " + arguments;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(companion.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &started)) {
        throw std::runtime_error("cannot start the console companion");
    }
    const win32::UniqueHandle process(started.hProcess);
    const win32::UniqueHandle thread(started.hThread);
    writing.reset();  // so that reading ends with the companion
    Dumped dumped;
    char chunk[1 << 16];
    for (DWORD got = 0; ::ReadFile(read, chunk, sizeof chunk, &got, nullptr) && got > 0;) {
        dumped.out.append(chunk, got);
    }
    if (::WaitForSingleObject(process.get(), kDumpTimeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.get(), 1);
        throw std::runtime_error("the dump did not end");
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

// A dump that failed or left windows out would measure something else.
void expectWhole(const Dumped& dumped, std::size_t windows, bool json) {
    const std::size_t listed =
        json ? count(dumped.out, "\"handle\":") : count(dumped.out, "\n") - 1;
    if (dumped.exitCode != 0 || listed != windows) {
        throw std::runtime_error("a dump listed " + std::to_string(listed) + " windows of " +
                                 std::to_string(windows) + ", exit code " +
                                 std::to_string(dumped.exitCode));
    }
}

struct FormRuns {
    std::vector<double> floor, dump, ratio;
};

void timeForm(const std::wstring& companion, const std::vector<HWND>& windows, bool json,
              FormRuns& runs) {
    const double floor = millis([&] {
        for (HWND window : windows) json ? askAsTheJson(window) : askAsTheWalk(window);
    });
    Dumped dumped;
    const double dump =
        millis([&] { dumped = runDump(companion, json ? L"/dump /all /json" : L"/dump /all"); });
    expectWhole(dumped, windows.size(), json);
    runs.floor.push_back(floor);
    runs.dump.push_back(dump);
    runs.ratio.push_back(dump / floor);
}

void printRow(const Case& benchCase, std::size_t windows, const char* form, const FormRuns& runs,
              double start) {
    std::printf("%-7ls %7d %8zu %-5s %8.1f %8.1f %7.3f %7.1f %7.3f\n", benchCase.shape.c_str(),
                benchCase.count, windows, form, median(runs.floor), median(runs.dump),
                median(runs.ratio), start, (median(runs.dump) - start) / median(runs.floor));
}

}  // namespace

void timeDumps(const std::wstring& companion, const std::vector<Case>& cases, int repeat) {
    std::printf(
        "the console companion's /dump /all timed from outside, %d-bit build, median of %d runs;"
        " times in ms\n"
        "floor: the same questions asked of every window of the desktop in a plain loop; start:"
        " a run of /? (starting and ending the process)\n",
        static_cast<int>(sizeof(void*) * 8), repeat);
    std::printf("%-7s %7s %8s %-5s %8s %8s %7s %7s %7s\n", "shape", "farm", "windows", "form",
                "floor", "dump", "ratio", "start", "-start");
    for (const Case& benchCase : cases) {
        const FarmProcess farm(benchCase.shape, benchCase.count);
        const std::vector<HWND> windows = everyWindow();
        FormRuns text, json;
        std::vector<double> starts;
        // Interleaved, so that drift of the machine's speed touches every column alike.
        for (int i = 0; i < repeat; ++i) {
            timeForm(companion, windows, false, text);
            timeForm(companion, windows, true, json);
            starts.push_back(millis([&] { static_cast<void>(runDump(companion, L"/?")); }));
        }
        if (everyWindow() != windows) throw std::runtime_error("the desktop changed meanwhile");
        printRow(benchCase, windows.size(), "text", text, median(starts));
        printRow(benchCase, windows.size(), "json", json, median(starts));
        std::fflush(stdout);
    }
}

}  // namespace quellon::bench
