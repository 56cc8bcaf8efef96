// quellon-bench: times the tool's tree rebuild against the window-system queries it cannot do
// without. For each case a window farm (another process) holds a target with COUNT descendants.
// The tool's own main window, with its controls and tooltip, runs here on queries that aim the
// probe at a chosen window, with the probe held down as in a drag; the table shows per case
// (medians of the repetitions):
//
//   floor  the rebuild's window-system queries alone, replayed from a recording
//   own    the tool's own work: the rebuild with those queries answered from the recording and
//          a tree that does nothing
//   logic  the rebuild with the real queries and a tree that does nothing
//   full   F5 in the main window: the target's tree cleared and built again, until painted
//   drag   the probe moved onto the target from a window without descendants: the outline
//          moves, the small tree goes and the target's is built and painted
//   fixed  the probe moved from one window without descendants onto another: what a rebuild
//          costs whatever the size of the tree, the outline's move included
//
// Below each row, the tree view's share of a rebuild by operation (means of further rebuilds
// of the main window's tree that time each call into it; the table's runs time none).
//
//   quellon-bench.exe [--repeat N] [--outside | --tool EXE | --dumps]
//                     [nested:COUNT | flat:COUNT | dialog:COUNT ...]
//
// --outside times the tool of the same build from outside instead (OutsideTiming.h); --tool
// names another copy of it. --dumps times the console companion's /dump /all and /dump /all
// /json from outside (DumpTiming.h), by default at 1,000 and 4,500 nested windows.

#include "app/frmMain.h"
#include "bench/BenchQueries.h"
#include "bench/BenchSupport.h"
#include "bench/DumpTiming.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32WindowGeometry.h"

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/treeview/Nodes.h"
#include "app/win32/Dpi.h"
#include "app/win32/Tool.h"
#include "bench/FarmProcess.h"
#include "bench/OutsideTiming.h"
#include "platform/win32/Handles.h"
#include "shared_names.h"

namespace quellon::bench {

namespace {

constexpr int kDefaultRepeat = 5;
// The full rebuild's goal against the floor; a tree of a few dozen windows may take more, since
// a rebuild's fixed part weighs more there.
constexpr double kGoalRatio = 1.15;
constexpr double kSmallGoalRatio = 1.3;
constexpr int kSmallTree = 100;
constexpr auto kPaintDeadline = std::chrono::seconds(30);

double goalFor(const Case& benchCase) {
    return benchCase.count < kSmallTree ? kSmallGoalRatio : kGoalRatio;
}

// Milliseconds spent in each operation of the tree view.
struct TreeTimes {
    double clear = 0;
    double insert = 0;
    double expand = 0;
    double select = 0;
    double endBulk = 0;  // layout of the whole tree and its repaint
    double pending = 0;  // the events that were still due afterwards

    TreeTimes dividedBy(int runs) const {
        return {clear / runs,  insert / runs,  expand / runs,
                select / runs, endBulk / runs, pending / runs};
    }
};

class TimedTree : public TreeBackend {
public:
    TimedTree(TreeBackend& inner, TreeTimes& times) : inner_(inner), times_(times) {}

    void removeAll() override {
        times_.clear += millis([&] { inner_.removeAll(); });
    }
    ItemRef insertLast(ItemRef parent, const std::wstring& text, int image,
                       std::uintptr_t id) override {
        ItemRef item = 0;
        times_.insert += millis([&] { item = inner_.insertLast(parent, text, image, id); });
        return item;
    }
    void expand(ItemRef item) override {
        times_.expand += millis([&] { inner_.expand(item); });
    }
    void select(ItemRef item) override {
        times_.select += millis([&] { inner_.select(item); });
    }
    void beginBulkUpdate() override { inner_.beginBulkUpdate(); }
    void endBulkUpdate() override {
        times_.endBulk += millis([&] { inner_.endBulkUpdate(); });
    }

private:
    TreeBackend& inner_;
    TreeTimes& times_;
};

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Medians. The ratio and the tree view's share come from each repetition's own runs, which
// follow one another closely, so that a machine that slows down and speeds up again between
// repetitions moves both sides of them alike.
struct Result {
    double floor = 0;
    double own = 0;
    double logic = 0;
    double full = 0;
    double ratio = 0;  // full / floor
    double drag = 0;
    double dragRatio = 0;    // drag / floor
    double fixed = 0;        // a rebuild between two windows without descendants
    double treeShare = 0;    // full - logic
    TreeTimes tree;          // per rebuild, means
    double recordingMb = 0;  // held by the benchmark, not by the tool, but counted in its peak
};

struct Runs {
    std::vector<double> floor, own, logic, full, drag, fixed;
};

Result summarise(const Runs& runs, const TreeTimes& tree) {
    std::vector<double> ratio, dragRatio, treeShare;
    for (std::size_t i = 0; i < runs.full.size(); ++i) {
        ratio.push_back(runs.full[i] / runs.floor[i]);
        dragRatio.push_back(runs.drag[i] / runs.floor[i]);
        treeShare.push_back(runs.full[i] - runs.logic[i]);
    }
    Result result;
    result.floor = median(runs.floor);
    result.own = median(runs.own);
    result.logic = median(runs.logic);
    result.full = median(runs.full);
    result.ratio = median(ratio);
    result.drag = median(runs.drag);
    result.dragRatio = median(dragRatio);
    result.fixed = median(runs.fixed);
    result.treeShare = median(treeShare);
    result.tree = tree.dividedBy(static_cast<int>(runs.full.size()));
    return result;
}

constexpr double kMb = 1024.0 * 1024.0;

double megabytes(const QueryLog& log) {
    double bytes = static_cast<double>(log.capacity() * sizeof(Query));
    for (const Query& query : log) {
        bytes += static_cast<double>(query.text.capacity() * sizeof(wchar_t));
    }
    return bytes / kMb;
}

// The tool's main window on aimed queries, with the probe held down, and the rebuilds the
// benchmark runs beside it on the same tree control.
class Bench {
public:
    Bench(HINSTANCE instance, int repeat)
        : tool_(instance, Platform{aimed_, real_.processes, real_.screen, reports_}, nullptr),
          timedTree_(tool_.tree(), treeTimes_),
          repeat_(repeat) {
        if (!window_.create(SW_SHOWNORMAL)) throw std::runtime_error("no main window");
        pumpUntilPainted();
    }

    Result measure(const Case& benchCase) {
        const FarmProcess farm(benchCase.shape, benchCase.count);
        const Hwnd target = farm.target();
        // "DesktopWindow", the target (a top-level window), and its descendants.
        const int expected = benchCase.count + 2;
        // "DesktopWindow", the main window and one of its controls.
        const int expectedSmall = 3;
        const Hwnd small[] = {win32::fromHwnd(window_.control(Control::LabelT)),
                              win32::fromHwnd(window_.control(Control::chkTop))};

        QueryLog log;
        RecordingQueries recorder(real_.windows, target, log);
        rebuild(recorder, nullNodes_);
        expectComplete(nullNodes_.count(), expected, "recording");

        treeTimes_ = {};
        Runs runs;
        // Interleaved, so that drift of the machine's speed touches every column alike.
        for (int i = 0; i < repeat_; ++i) {
            runs.floor.push_back(millis([&] { replayQueries(real_.windows, log); }));

            AnsweringQueries answering(real_.windows, target, log);
            runs.own.push_back(millis([&] { rebuild(answering, nullNodes_); }));
            expectComplete(nullNodes_.count(), expected, "own work");
            if (!answering.matchedLog()) throw std::runtime_error("own work: other queries");

            aimed_.aim(target);
            runs.logic.push_back(millis([&] { rebuild(aimed_, nullNodes_); }));
            expectComplete(nullNodes_.count(), expected, "logic");

            dragOnto(small[0]);
            runs.fixed.push_back(millis([&] { dragOnto(small[1]); }));
            expectComplete(shownCount(), expectedSmall, "fixed part");

            runs.drag.push_back(millis([&] { dragOnto(target); }));
            expectComplete(shownCount(), expected, "drag");

            runs.full.push_back(millis([&] { pressF5(); }));
            expectComplete(shownCount(), expected, "full rebuild");

            rebuild(aimed_, timedTreeNodes_);
            treeTimes_.pending += millis([&] { pumpUntilPainted(); });
            expectComplete(timedTreeNodes_.count(), expected, "timed rebuild");
        }
        Result result = summarise(runs, treeTimes_);
        result.recordingMb = megabytes(log);
        return result;
    }

private:
    // Posted, as the system posts input, and delivered by the window's own loop.
    void deliver(HWND window, UINT message, WPARAM wParam) {
        ::PostMessageW(window, message, wParam, 0);
        pumpUntilPainted();
    }

    // A move of the held probe onto `target`, the drag begun first where none runs.
    void dragOnto(Hwnd target) {
        const HWND probe = window_.control(Control::r1);
        if (::GetCapture() != probe) deliver(probe, WM_LBUTTONDOWN, MK_LBUTTON);
        aimed_.aim(target);
        deliver(probe, WM_MOUSEMOVE, MK_LBUTTON);
    }

    void pressF5() { deliver(window_.control(Control::trv), WM_KEYDOWN, VK_F5); }

    // Lets the window deliver everything pending until neither it nor its tree has anything
    // left to paint.
    void pumpUntilPainted() {
        const auto deadline = Clock::now() + kPaintDeadline;
        const HWND main = window_.handle();
        for (;;) {
            window_.deliverPending();
            if (!::GetUpdateRect(main, nullptr, FALSE) &&
                !::GetUpdateRect(window_.control(Control::trv), nullptr, FALSE)) {
                return;
            }
            if (Clock::now() > deadline) throw std::runtime_error("the tree never painted");
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }

    int shownCount() const {
        return static_cast<int>(TreeView_GetCount(window_.control(Control::trv)));
    }

    // A benchmark of a rebuild that failed or left windows out would measure something else.
    void expectComplete(int count, int expected, const char* run) const {
        if (!reports_.kept.empty()) {
            throw std::runtime_error(std::string(run) + ": " + narrow(reports_.kept.front()));
        }
        if (count != expected) {
            throw std::runtime_error(std::string(run) + ": " + std::to_string(count) +
                                     " entries instead of " + std::to_string(expected));
        }
    }

    // A rebuild by the logic alone, into `nodes`.
    void rebuild(WindowQueries& windows, Nodes& nodes) {
        rebuildByLogic({windows, real_.processes, real_.screen, reports_}, tool_.form(), nodes,
                       geometry_);
    }

    KeptReports reports_;
    const Platform real_ = win32::systemPlatform(reports_);
    AimedQueries aimed_{real_.windows, 0};
    win32::Tool tool_;
    win32::MainWindow& window_ = tool_.window();
    win32::Win32WindowGeometry geometry_;
    TreeTimes treeTimes_;
    TimedTree timedTree_;
    NullTree nullTree_;
    Nodes timedTreeNodes_{timedTree_};  // on the main window's tree control
    Nodes nullNodes_{nullTree_};
    int repeat_;
};

struct PeakMemory {
    double workingSetMb = 0;
    double pagefileMb = 0;
};

PeakMemory peakMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return {static_cast<double>(counters.PeakWorkingSetSize) / kMb,
            static_cast<double>(counters.PeakPagefileUsage) / kMb};
}

void printHeader(int repeat) {
    std::printf("quellon-bench, %d-bit build, median of %d runs; times in ms, per window in us\n",
                static_cast<int>(sizeof(void*) * 8), repeat);
    std::printf("%-7s %7s %8s %7s %8s %8s %6s %8s %6s %6s %7s %8s %7s %7s\n", "shape", "windows",
                "floor", "own", "logic", "full", "ratio", "drag", "ratio", "fixed", "own/win",
                "tree/win", "peakWS", "peakPF");
}

// own/win: the tool's own work per window; tree/win: what the tree view adds per window to the
// full rebuild. Peak memory (MB) is the process's so far, the benchmark's own recording of the
// queries included.
void printRow(const Case& benchCase, const Result& r, const PeakMemory& peak) {
    const double windows = benchCase.count;
    std::printf(
        "%-7ls %7d %8.1f %7.1f %8.1f %8.1f %6.3f %8.1f %6.3f %6.2f %7.2f %8.2f %7.1f %7.1f\n",
        benchCase.shape.c_str(), benchCase.count, r.floor, r.own, r.logic, r.full, r.ratio, r.drag,
        r.dragRatio, r.fixed, 1000.0 * r.own / windows, 1000.0 * r.treeShare / windows,
        peak.workingSetMb, peak.pagefileMb);
    std::printf(
        "        tree view: clear %.1f, insert %.1f, expand %.1f, select %.1f, "
        "layout and paint %.1f, pending events %.1f\n",
        r.tree.clear, r.tree.insert, r.tree.expand, r.tree.select, r.tree.endBulk, r.tree.pending);
    std::printf("        the recording of the queries took %.1f MB of the peak\n", r.recordingMb);
    std::fflush(stdout);
}

int usage() {
    std::fputs(
        "usage: quellon-bench [--repeat N] [--outside | --tool EXE | --dumps] "
        "[nested:COUNT | flat:COUNT | dialog:COUNT ...]\n",
        stderr);
    return 2;
}

}  // namespace

int run(int argc, wchar_t** argv) {
    int repeat = kDefaultRepeat;
    std::vector<Case> cases;
    std::wstring outsideTool;
    bool dumps = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        Case benchCase;
        if (argument == L"--repeat" && i + 1 < argc) {
            repeat = _wtoi(argv[++i]);
            if (repeat < 1) return usage();
        } else if (argument == L"--outside") {
            outsideTool = besideBench(QUELLON_TOOL_FILE_NAME);
        } else if (argument == L"--dumps") {
            dumps = true;
        } else if (argument == L"--tool" && i + 1 < argc) {
            outsideTool = argv[++i];
        } else if (parseCase(argument, benchCase)) {
            cases.push_back(benchCase);
        } else {
            return usage();
        }
    }
    if (dumps) {
        if (cases.empty()) cases = {{L"nested", 1000}, {L"nested", 4500}};
        timeDumps(besideBench(QUELLON_COMPANION_FILE_NAME), cases, repeat);
        return 0;
    }
    if (cases.empty()) {
        cases = {{L"dialog", 50}, {L"nested", 1000}, {L"nested", 5000}, {L"nested", 10000},
                 {L"flat", 1000}, {L"flat", 5000},   {L"flat", 10000}};
    }

    if (!outsideTool.empty()) {
        timeFromOutside(outsideTool, cases, repeat);
        return 0;
    }
    // As the tool starts.
    win32::declareDpiAwareness();
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    Bench bench(::GetModuleHandleW(nullptr), repeat);

    printHeader(repeat);
    bool goalMet = true;
    for (const Case& benchCase : cases) {
        const Result result = bench.measure(benchCase);
        printRow(benchCase, result, peakMemory());
        goalMet = goalMet && result.ratio <= goalFor(benchCase);
    }
    std::printf("full rebuild within %.2f x the query floor (%.1f x under %d windows): %s\n",
                kGoalRatio, kSmallGoalRatio, kSmallTree, goalMet ? "yes" : "no");
    return 0;
}

}  // namespace quellon::bench

int wmain(int argc, wchar_t** argv) {
    try {
        return quellon::bench::run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quellon-bench: %s\n", error.what());
        return 1;
    }
}
