// quellon-bench: times the tool's tree rebuild against the window-system queries it cannot do
// without. For each case a window farm (another process) holds a target with COUNT descendants;
// the tool's real main-window logic rebuilds its tree for that target, as a move of the probe
// onto it would, and the table shows per case (medians of the repetitions):
//
//   floor  the rebuild's window-system queries alone, replayed from a recording
//   own    the tool's own work: the rebuild with those queries answered from the recording and
//          a tree that does nothing
//   logic  the rebuild with the real queries and a tree that does nothing
//   full   the rebuild with the real queries and the real tree view, until it has painted,
//          with the probe's outline drawn afresh around the target as during a drag
//
// Below each row, the tree view's share of the full rebuild by operation (means of further full
// rebuilds that time each call into the tree view; the table's runs time none).
//
//   quellon-bench.exe [--repeat N] [nested:COUNT | flat:COUNT ...]

#include "app/frmMain.h"
#include "bench/BenchQueries.h"
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
#include "app/win32/OutlineWindows.h"
#include "app/win32/TreeViewControl.h"
#include "bench/FarmProcess.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Unique.h"

namespace quellon::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultRepeat = 5;
constexpr double kGoalRatio = 1.2;
constexpr auto kPaintDeadline = std::chrono::seconds(30);

// The tool's tree at 96 DPI: its size in pixels and its font.
constexpr UINT kDpi = 96;
constexpr int kTreeWidth = 389;
constexpr int kTreeHeight = 246;
constexpr double kTreeFontPoints = 8.25;

struct Case {
    std::wstring shape;
    int count;
};

template <class Work>
double millis(Work&& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The tree the logic fills when only the logic is to be timed.
class NullTree : public TreeBackend {
public:
    void removeAll() override {}
    ItemRef insertLast(ItemRef, const std::wstring&, int, std::uintptr_t) override {
        return ++items_;
    }
    void expand(ItemRef) override {}
    void select(ItemRef) override {}
    void beginBulkUpdate() override {}
    void endBulkUpdate() override {}

private:
    ItemRef items_ = 0;
};

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

void drainMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// A visible top-level window around a tree-view control like the tool's, and what the
// main-window logic needs of its host.
class HostWindow : public FormHost {
public:
    explicit HostWindow(HINSTANCE instance)
        : font_(::CreateFontW(win32::fontHeight(kTreeFontPoints, kDpi), 0, 0, 0, FW_NORMAL, FALSE,
                              FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial")) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = L"QuellonBenchHost";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"quellon-bench",
                                    WS_OVERLAPPEDWINDOW, 0, 0, kTreeWidth + 40, kTreeHeight + 60,
                                    nullptr, nullptr, instance, nullptr);
        const HWND tree = ::CreateWindowExW(win32::TreeViewControl::kExStyle, WC_TREEVIEWW, L"",
                                            win32::TreeViewControl::kStyle, 6, 4, kTreeWidth,
                                            kTreeHeight, window_, nullptr, instance, nullptr);
        if (!window_ || !tree) throw std::runtime_error("cannot create the benchmark's window");
        ::SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        tree_.attach(tree, instance, kDpi);
        ::ShowWindow(window_, SW_SHOWNORMAL);
        ::UpdateWindow(window_);
        drainMessages();
    }

    win32::TreeViewControl& tree() { return tree_; }

    // Lets the system deliver everything pending until neither window has anything left to
    // paint.
    void pumpUntilPainted() {
        const auto deadline = Clock::now() + kPaintDeadline;
        for (;;) {
            drainMessages();
            if (!::GetUpdateRect(window_, nullptr, FALSE) &&
                !::GetUpdateRect(tree_.hwnd(), nullptr, FALSE)) {
                return;
            }
            if (Clock::now() > deadline) throw std::runtime_error("the tree never painted");
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }

    Hwnd hwnd() override { return win32::fromHwnd(window_); }
    float twipsPerPixelX() override { return 15.0f; }
    float twipsPerPixelY() override { return 15.0f; }
    void setMousePointer(MousePointer) override {}
    void doEvents() override { drainMessages(); }
    std::int32_t width() override { return 0; }
    std::int32_t height() override { return 0; }
    void setControl(Control, Property, float) override {}
    int chkTopValue() override { return 0; }
    void setTxtInfText(const std::wstring&) override {}

private:
    win32::UniqueFont font_;
    HWND window_ = nullptr;
    win32::TreeViewControl tree_;
};

// One rebuild as a move of the probe onto the target makes it. A fresh main-window object has
// shown no target yet, so the move always rebuilds.
void rebuild(Platform platform, FormHost& host, Nodes& nodes, WindowGeometry& geometry,
             ProbeOutline& outline) {
    FrmMain form(platform, host, nodes, geometry, outline);
    form.Form_Load();
    form.r1_MouseMove(kLeftButton, Point{});
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// A benchmark of a rebuild that failed or left windows out would measure something else.
void expectComplete(const KeptReports& reports, const Nodes& nodes, int expected, const char* run) {
    if (!reports.kept.empty()) {
        throw std::runtime_error(std::string(run) + ": " + narrow(reports.kept.front()));
    }
    if (nodes.count() != expected) {
        throw std::runtime_error(std::string(run) + ": " + std::to_string(nodes.count()) +
                                 " entries instead of " + std::to_string(expected));
    }
}

// Medians. The ratio and the tree view's share come from each repetition's own runs, which
// follow one another closely, so that a machine that slows down and speeds up again between
// repetitions moves both sides of them alike.
struct Result {
    double floor = 0;
    double own = 0;
    double logic = 0;
    double full = 0;
    double ratio = 0;        // full / floor
    double treeShare = 0;    // full - logic
    TreeTimes tree;          // per full rebuild, means
    double recordingMb = 0;  // held by the benchmark, not by the tool, but counted in its peak
};

Result summarise(const std::vector<double>& floor, const std::vector<double>& own,
                 const std::vector<double>& logic, const std::vector<double>& full,
                 const TreeTimes& tree) {
    std::vector<double> ratio, treeShare;
    for (std::size_t i = 0; i < full.size(); ++i) {
        ratio.push_back(full[i] / floor[i]);
        treeShare.push_back(full[i] - logic[i]);
    }
    return {median(floor),
            median(own),
            median(logic),
            median(full),
            median(ratio),
            median(treeShare),
            tree.dividedBy(static_cast<int>(full.size()))};
}

constexpr double kMb = 1024.0 * 1024.0;

double megabytes(const QueryLog& log) {
    double bytes = static_cast<double>(log.capacity() * sizeof(Query));
    for (const Query& query : log) {
        bytes += static_cast<double>(query.text.capacity() * sizeof(wchar_t));
    }
    return bytes / kMb;
}

class Bench {
public:
    Bench(HostWindow& host, int repeat)
        : host_(host),
          timedTree_(host.tree(), treeTimes_),
          treeNodes_(host.tree()),
          timedTreeNodes_(timedTree_),
          nullNodes_(nullTree_),
          repeat_(repeat) {}

    Result measure(const Case& benchCase) {
        const FarmProcess farm(benchCase.shape, benchCase.count);
        const Hwnd target = farm.target();
        // "DesktopWindow", the target (a top-level window), and its descendants.
        const int expected = benchCase.count + 2;

        QueryLog log;
        RecordingQueries recorder(real_.windows, target, log);
        rebuild(recorder, nullNodes_);
        expectComplete(reports_, nullNodes_, expected, "recording");

        // Also clears the tree of the case before, which the timed runs should not pay for.
        AimedQueries aimed(real_.windows, target);
        rebuild(aimed, treeNodes_);
        host_.pumpUntilPainted();
        expectComplete(reports_, treeNodes_, expected, "first rebuild");

        treeTimes_ = {};
        std::vector<double> floor, own, logic, full;
        // Interleaved, so that drift of the machine's speed touches every column alike.
        for (int i = 0; i < repeat_; ++i) {
            floor.push_back(millis([&] { replayQueries(real_.windows, log); }));

            AnsweringQueries answering(real_.windows, target, log);
            own.push_back(millis([&] { rebuild(answering, nullNodes_); }));
            expectComplete(reports_, nullNodes_, expected, "own work");
            if (!answering.matchedLog()) throw std::runtime_error("own work: other queries");

            logic.push_back(millis([&] { rebuild(aimed, nullNodes_); }));
            expectComplete(reports_, nullNodes_, expected, "logic");

            // Drawn afresh, as when a drag reaches a new window.
            dragOutline_.endDrag();
            dragOutline_.beginDrag();
            full.push_back(millis([&] {
                rebuild(aimed, treeNodes_, dragOutline_);
                host_.pumpUntilPainted();
            }));
            expectComplete(reports_, treeNodes_, expected, "full rebuild");

            rebuild(aimed, timedTreeNodes_);
            treeTimes_.pending += millis([&] { host_.pumpUntilPainted(); });
            expectComplete(reports_, timedTreeNodes_, expected, "timed full rebuild");
        }
        Result result = summarise(floor, own, logic, full, treeTimes_);
        result.recordingMb = megabytes(log);
        return result;
    }

private:
    // Without an outline argument, the rebuild has an outline that no drag has begun: it draws
    // nothing and asks nothing.
    void rebuild(WindowQueries& windows, Nodes& nodes) { rebuild(windows, nodes, idleOutline_); }
    void rebuild(WindowQueries& windows, Nodes& nodes, ProbeOutline& outline) {
        const Platform platform{windows, real_.processes, real_.screen, reports_};
        bench::rebuild(platform, host_, nodes, geometry_, outline);
    }

    KeptReports reports_;
    const Platform real_ = win32::systemPlatform(reports_);
    // The full rebuilds draw the outline as during a drag.
    win32::Win32WindowGeometry geometry_;
    win32::OutlineWindows outlineWindows_{::GetModuleHandleW(nullptr)};
    ProbeOutline dragOutline_{geometry_, outlineWindows_};
    ProbeOutline idleOutline_{geometry_, outlineWindows_};
    HostWindow& host_;
    TreeTimes treeTimes_;
    TimedTree timedTree_;
    NullTree nullTree_;
    Nodes treeNodes_;
    Nodes timedTreeNodes_;  // the same tree view
    Nodes nullNodes_;
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
    std::printf("%-7s %7s %9s %9s %9s %9s %7s %9s %9s %10s %10s\n", "shape", "windows", "floor",
                "own", "logic", "full", "ratio", "own/win", "tree/win", "peakWS MB", "peakPF MB");
}

// own/win: the tool's own work per window; tree/win: what the tree view adds per window.
// Peak memory is the process's so far, the benchmark's own recording of the queries included.
void printRow(const Case& benchCase, const Result& r, const PeakMemory& peak) {
    const double windows = benchCase.count;
    std::printf("%-7ls %7d %9.1f %9.1f %9.1f %9.1f %7.3f %9.2f %9.2f %10.1f %10.1f\n",
                benchCase.shape.c_str(), benchCase.count, r.floor, r.own, r.logic, r.full, r.ratio,
                1000.0 * r.own / windows, 1000.0 * r.treeShare / windows, peak.workingSetMb,
                peak.pagefileMb);
    std::printf(
        "        tree view: clear %.1f, insert %.1f, expand %.1f, select %.1f, "
        "layout and paint %.1f, pending events %.1f\n",
        r.tree.clear, r.tree.insert, r.tree.expand, r.tree.select, r.tree.endBulk, r.tree.pending);
    std::printf("        the recording of the queries took %.1f MB of the peak\n", r.recordingMb);
    std::fflush(stdout);
}

int usage() {
    std::fputs("usage: quellon-bench [--repeat N] [nested:COUNT | flat:COUNT ...]\n", stderr);
    return 2;
}

bool parseCase(const std::wstring& argument, Case& benchCase) {
    const std::size_t colon = argument.find(L':');
    if (colon == std::wstring::npos) return false;
    benchCase.shape = argument.substr(0, colon);
    benchCase.count = _wtoi(argument.c_str() + colon + 1);
    return (benchCase.shape == L"nested" || benchCase.shape == L"flat") && benchCase.count > 0;
}

}  // namespace

int run(int argc, wchar_t** argv) {
    int repeat = kDefaultRepeat;
    std::vector<Case> cases;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        Case benchCase;
        if (argument == L"--repeat" && i + 1 < argc) {
            repeat = _wtoi(argv[++i]);
            if (repeat < 1) return usage();
        } else if (parseCase(argument, benchCase)) {
            cases.push_back(benchCase);
        } else {
            return usage();
        }
    }
    if (cases.empty()) {
        cases = {{L"nested", 1000}, {L"nested", 5000}, {L"nested", 10000}, {L"flat", 5000}};
    }

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    HostWindow host(::GetModuleHandleW(nullptr));
    Bench bench(host, repeat);

    printHeader(repeat);
    bool goalMet = true;
    for (const Case& benchCase : cases) {
        const Result result = bench.measure(benchCase);
        printRow(benchCase, result, peakMemory());
        goalMet = goalMet && result.ratio <= kGoalRatio;
    }
    std::printf("full rebuild within %.1f x the query floor in every case: %s\n", kGoalRatio,
                goalMet ? "yes" : "no");
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
