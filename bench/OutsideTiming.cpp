#include "bench/OutsideTiming.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <stdexcept>

#include "app/WindowlessHost.h"
#include "app/win32/Controls.h"
#include "bench/BenchQueries.h"
#include "bench/FarmProcess.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Unique.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32WindowGeometry.h"

namespace quellon::bench {

namespace {

constexpr DWORD kAnswerTimeoutMs = 60000;
constexpr auto kDeadline = std::chrono::seconds(60);
// Where the probe is aimed at the farm's target: inside its client area, clear of the cells,
// which fill at most 120 pixels square from its top left corner.
constexpr POINT kTargetClientPoint{400, 300};

void checkDeadline(Clock::time_point deadline, const char* what) {
    if (Clock::now() > deadline) throw std::runtime_error(what);
}

// The tool in a process of its own, closed at the end.
class ToolProcess {
public:
    explicit ToolProcess(const std::wstring& exe) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + exe + L"\"";
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &started)) {
            throw std::runtime_error("cannot start the tool");
        }
        process_.reset(started.hProcess);
        const win32::UniqueHandle firstThread(started.hThread);  // nothing here waits on it
        processId_ = started.dwProcessId;
        const auto deadline = Clock::now() + kDeadline;
        while (!(main_ = mainWindow())) {
            if (Clock::now() > deadline) {
                stop(0);
                throw std::runtime_error("the tool showed no main window");
            }
            ::Sleep(20);
        }
        ::WaitForInputIdle(process_.get(), kAnswerTimeoutMs);
    }
    ~ToolProcess() {
        ::PostMessageW(main_, WM_CLOSE, 0, 0);
        stop(kAnswerTimeoutMs);
    }
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    HWND control(Control which) const { return ::GetDlgItem(main_, win32::controlId(which)); }

    // Asked again until the tool shows `expected` entries, one of them selected; each question
    // waits until the tool is back in its message loop. False when the time is up.
    bool showsEntries(int expected, Clock::duration patience) const {
        const auto deadline = Clock::now() + patience;
        for (;;) {
            if (ask(TVM_GETCOUNT, 0) == static_cast<DWORD_PTR>(expected) &&
                ask(TVM_GETNEXTITEM, TVGN_CARET) != 0) {
                return true;
            }
            if (Clock::now() > deadline) return false;
        }
    }

    void post(Control which, UINT message, WPARAM wParam, LPARAM lParam = 0) const {
        ::PostMessageW(control(which), message, wParam, lParam);
    }

    // A mouse message's position of `point` for the control, as a control holding the capture
    // gets it.
    LPARAM positionFor(Control which, POINT point) const {
        ::ScreenToClient(control(which), &point);
        return MAKELPARAM(point.x, point.y);
    }

    void clearSelection() const {
        ::SendMessageW(control(Control::trv), TVM_SELECTITEM, TVGN_CARET, 0);
    }

private:
    // Gives the tool `patience` to end, then ends it.
    void stop(DWORD patience) {
        if (::WaitForSingleObject(process_.get(), patience) != WAIT_OBJECT_0) {
            ::TerminateProcess(process_.get(), 1);
        }
    }

    HWND mainWindow() const {
        for (HWND window = ::FindWindowW(win32::kMainClass, nullptr); window;
             window = ::FindWindowExW(nullptr, window, win32::kMainClass, nullptr)) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if (process == processId_ && ::IsWindowVisible(window)) return window;
        }
        return nullptr;
    }

    DWORD_PTR ask(UINT message, WPARAM wParam) const {
        DWORD_PTR answer = 0;
        if (!::SendMessageTimeoutW(control(Control::trv), message, wParam, 0, SMTO_NORMAL,
                                   kAnswerTimeoutMs, &answer)) {
            throw std::runtime_error("the tool did not answer");
        }
        return answer;
    }

    win32::UniqueHandle process_;
    DWORD processId_ = 0;
    HWND main_ = nullptr;
};

// Puts the pointer on the point and waits until the system reports it there.
void pointAt(POINT point) {
    ::SetCursorPos(point.x, point.y);
    const auto deadline = Clock::now() + kDeadline;
    for (POINT now{}; ::GetCursorPos(&now) && (now.x != point.x || now.y != point.y);) {
        checkDeadline(deadline, "the pointer did not move");
        ::Sleep(1);
    }
}

// Where the probe is aimed at the farm's target, on the screen.
POINT targetPoint(Hwnd target) {
    POINT point = kTargetClientPoint;
    ::ClientToScreen(win32::toHwnd(target), &point);
    return point;
}

// F5 rebuilds the window shown last: a move of the probe onto the target shows it first; this is
// not timed.
void showTarget(const ToolProcess& tool, Hwnd target, int expected) {
    const POINT point = targetPoint(target);
    pointAt(point);
    tool.post(Control::r1, WM_MOUSEMOVE, MK_LBUTTON, tool.positionFor(Control::r1, point));
    if (!tool.showsEntries(expected, std::chrono::seconds(10))) {
        throw std::runtime_error("the tool never showed the target");
    }
}

struct OutsideRuns {
    std::vector<double> floor, f5, ratio;
};

// The queries of one rebuild for the target, recorded by the tool's logic in this process.
QueryLog recordQueries(Hwnd target, int expected) {
    KeptReports reports;
    const Platform real = win32::systemPlatform(reports);
    QueryLog log;
    RecordingQueries recorder(real.windows, target, log);
    NullTree tree;
    Nodes nodes(tree);
    WindowlessHost host([] { return 15.0f; });
    win32::Win32WindowGeometry geometry;
    rebuildByLogic({recorder, real.processes, real.screen, reports}, host, nodes, geometry);
    if (!reports.kept.empty() || nodes.count() != expected) {
        throw std::runtime_error("the recording's rebuild failed");
    }
    return log;
}

OutsideRuns timeCase(const ToolProcess& tool, const Case& benchCase, int repeat) {
    const FarmProcess farm(benchCase.shape, benchCase.count);
    const int expected = benchCase.count + 2;
    const QueryLog log = recordQueries(farm.target(), expected);
    KeptReports reports;
    const Platform real = win32::systemPlatform(reports);

    showTarget(tool, farm.target(), expected);
    OutsideRuns runs;
    for (int i = 0; i < repeat; ++i) {
        const double floor = millis([&] { replayQueries(real.windows, log); });
        tool.clearSelection();
        const double f5 = millis([&] {
            tool.post(Control::trv, WM_KEYDOWN, VK_F5);
            if (!tool.showsEntries(expected, kDeadline)) {
                throw std::runtime_error("F5 did not rebuild the tool's tree");
            }
        });
        runs.floor.push_back(floor);
        runs.f5.push_back(f5);
        runs.ratio.push_back(f5 / floor);
    }
    return runs;
}

}  // namespace

std::wstring besideBench(const wchar_t* program) {
    std::wstring folder = inBenchFolder(L"");
    folder.pop_back();
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + program;
}

void timeFromOutside(const std::wstring& tool, const std::vector<Case>& cases, int repeat) {
    std::printf(
        "the real tool timed from outside, %d-bit build, median of %d runs; times in ms\n"
        "F5: the target's tree cleared and built again, until the tool answers with every entry\n",
        static_cast<int>(sizeof(void*) * 8), repeat);
    std::printf("%-7s %7s %8s %8s %7s\n", "shape", "windows", "floor", "F5", "ratio");
    const ToolProcess process(tool);
    for (const Case& benchCase : cases) {
        const OutsideRuns runs = timeCase(process, benchCase, repeat);
        std::printf("%-7ls %7d %8.1f %8.1f %7.3f\n", benchCase.shape.c_str(), benchCase.count,
                    median(runs.floor), median(runs.f5), median(runs.ratio));
        std::fflush(stdout);
    }
}

}  // namespace quellon::bench
