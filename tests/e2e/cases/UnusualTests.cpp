// Windows as applications in the wild make them, from the fixture's --unusual windows: pop-up
// style windows embedded in another window, huge and awkward titles, windows that cannot be seen,
// a window whose thread has stopped answering, and an executable at the longest path Wine starts.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/MessageBoxes.h"
#include "../driver/Probe.h"
#include "../driver/Processes.h"
#include "../driver/Session.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "DetailsExpectations.h"
#include "TreeExpectations.h"

using namespace e2e;
using namespace fixture;

namespace {

// Right of the tool, below the usual fixture's dialog; the hung window below the tool.
constexpr POINT kUnusualOrigin = {890, 280};
constexpr POINT kHungOrigin = {420, 740};

// The fixture's command line with the windows placed there, after the options given.
std::vector<std::wstring> placedAside(std::vector<std::wstring> args) {
    for (auto [option, value] : {std::pair{L"--x", kUnusualOrigin.x},
                                 {L"--y", kUnusualOrigin.y},
                                 {L"--dialog-x", kHungOrigin.x},
                                 {L"--dialog-y", kHungOrigin.y}}) {
        args.push_back(option);
        args.push_back(std::to_wstring(value));
    }
    return args;
}

SideFixture startUnusual(TestContext& t) {
    return startSideFixture(t, placedAside({L"--unusual"}), kUnusualClass);
}

// Confirmed, so that the next drag finds the tool free.
void checkNoReports(TestContext& t, const char* after) {
    for (const auto& box : messageBoxesOf(t.session().toolProcessId())) {
        t.check(false, cat("after ", after, " the tool showed ", quote(box.text)));
        pressOk(box.window);
    }
}

// Drags onto the point, whose window heads `chain`, and compares the target's entry with the
// subtree that an enumeration from outside finds below its window.
void checkWalk(TestContext& t, POINT point, const std::vector<HWND>& chain, const char* what) {
    std::vector<std::wstring> entries;
    entries.reserve(chain.size());
    for (HWND w : chain) entries.push_back(entryFor(shownText(windowText(w)), className(w)));
    if (!probeAndCheck(t, point, entries.back())) return;
    t.session().settleTool();
    checkNoReports(t, what);
    auto roots = readTree(t.session());
    if (const TreeItem* target = checkChain(t, roots, entries)) {
        TreeItem expected = expectedSubtree(chain.back(), true);
        t.check(*target == expected,
                cat(what, ": expected", describe({expected}), "\n       got", describe({*target})));
    }
}

// A copy of the fixture whose path has exactly `length` characters, in folders below the
// driver's; removed with the object.
class FixtureCopy {
public:
    FixtureCopy(const std::wstring& original, size_t length) {
        const std::wstring name = L"\\" + fileNameOf(original);
        const size_t folderLength = length - name.size();
        std::wstring folder = driverFolder() + L"Langer Pfad";
        while (folderLength - folder.size() > 101) folder += L"\\" + std::wstring(100, L'p');
        const size_t rest = folderLength - folder.size();
        folder += rest == 1 ? L"p" : L"\\" + std::wstring(rest - 1, L'p');
        for (size_t at = driverFolder().size(); at != std::wstring::npos;
             at = folder.find(L'\\', at + 1)) {
            folders_.push_back(folder.substr(0, folder.find(L'\\', at + 1)));
            CreateDirectoryW(folders_.back().c_str(), nullptr);
        }
        path_ = folder + name;
        copied_ = CopyFileW(original.c_str(), path_.c_str(), FALSE) != FALSE;
    }
    ~FixtureCopy() {
        DeleteFileW(path_.c_str());
        for (auto it = folders_.rbegin(); it != folders_.rend(); ++it)
            RemoveDirectoryW(it->c_str());
    }
    FixtureCopy(const FixtureCopy&) = delete;
    FixtureCopy& operator=(const FixtureCopy&) = delete;

    const std::wstring& path() const { return path_; }
    bool copied() const { return copied_; }

private:
    std::vector<std::wstring> folders_;
    std::wstring path_;
    bool copied_ = false;
};

// Asks the tool for an answer every 20 ms, from a thread of its own, and keeps the longest wait.
class AnswerWatch {
public:
    explicit AnswerWatch(HWND tool)
        : thread_([this, tool] {
              while (!stopped_) {
                  ULONGLONG start = GetTickCount64();
                  DWORD_PTR ignored = 0;
                  SendMessageTimeoutW(tool, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
                  longest_ = std::max(longest_.load(), GetTickCount64() - start);
                  ++asked_;
                  Sleep(20);
              }
          }) {}
    ~AnswerWatch() { stop(); }
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;

    void stop() {
        stopped_ = true;
        if (thread_.joinable()) thread_.join();
    }
    ULONGLONG longestMs() const { return longest_; }
    int asked() const { return asked_; }

private:
    std::atomic<bool> stopped_{false};
    std::atomic<ULONGLONG> longest_{0};
    std::atomic<int> asked_{0};
    std::thread thread_;
};

}  // namespace

// The host of embedded pop-ups lists every window that GW_CHILD and GW_HWNDNEXT list, each below
// the window it sits in, as target and below its top-level window; that window's subtree holds
// the huge and the awkward title and the windows that cannot be seen. No report either time.
E2E_TEST(unusual_embedded_popups_and_odd_windows) {
    SideFixture side = startUnusual(t);
    HWND top = side.top;
    HWND host = GetDlgItem(top, kIdHost);
    // The scene the fault needs: pop-ups between ordinary children, whose GetParent is not the
    // host (none for the one, the owner for the other).
    std::vector<HWND> hosted = childrenOf(host);
    t.require(hosted.size() == 4 && GetDlgCtrlID(hosted[0]) == kIdBefore &&
                  GetDlgCtrlID(hosted[3]) == kIdAfter,
              cat("the host holds ", hosted.size(), " windows, not the four in their order"));
    t.require(GetParent(hosted[1]) == nullptr && GetParent(hosted[2]) == top &&
                  GetAncestor(hosted[1], GA_PARENT) == host,
              "GetParent of the embedded pop-ups does not answer as the scene needs");

    checkWalk(t, clientToScreen(host, {kHost.cx / 2, kHost.cy - 20}), {top, host},
              "the host as target");
    checkWalk(t, clientToScreen(top, {kUnusualClient.cx / 2, kUnusualClient.cy - 8}), {top},
              "the host's top-level window as target");
}

// Nothing the tool does sends a message to another process's window: a window whose thread
// never answers again can be probed and its entry clicked, and the tool answers within a second
// all the while.
E2E_TEST(unusual_hung_window_keeps_the_tool_answering) {
    SideFixture side = startUnusual(t);
    HWND hung = waitForTopLevel(
        side.process.id(), [](HWND w) { return className(w) == kHungClass; }, 10000);
    t.require(hung != nullptr, "the fixture showed no hung window");
    DWORD_PTR ignored = 0;
    t.require(!SendMessageTimeoutW(hung, WM_NULL, 0, 0, SMTO_NORMAL, 300, &ignored),
              "the hung window answers messages");
    const ToolWindows& tool = t.session().tool();
    const std::wstring hungEntry = entryFor(kHungTitle, kHungClass);

    AnswerWatch watch(tool.main);
    if (probeAndCheck(t, clientToScreen(hung, {kHungClient.cx / 2, kHungClient.cy - 10}),
                      hungEntry)) {
        auto roots = readTree(t.session());
        if (const TreeItem* target = checkChain(t, roots, {hungEntry})) {
            std::vector<TreeItem> expected = {expectedEntry(kHungChildText, kButtonClass, 1)};
            t.check(target->children == expected,
                    cat("below the hung window: expected", describe(expected), "\n       got",
                        describe(target->children)));
            std::wstring module = executablePath(side.process.id());
            clickAndCheckDetails(t, target->handle, expectedDetails(hung, module));
        }
    }
    watch.stop();
    checkNoReports(t, "the hung window");
    note(cat("hung window: the tool answered ", watch.asked(), " times, the longest after ",
             watch.longestMs(), " ms"));
    t.check(watch.asked() > 0 && watch.longestMs() < 1000,
            cat("the tool took ", watch.longestMs(), " ms to answer"));
}

// The details of a window whose process runs from a path as long as Wine can start one (longer
// ones are read whole too, which only the unit tests can show): five lines, the whole path.
E2E_TEST(unusual_long_executable_path) {
    // MAX_PATH less the terminator: CreateProcessW under Wine starts nothing longer.
    constexpr size_t kLongestStartable = MAX_PATH - 1;
    FixtureCopy copy(t.session().paths().fixture, kLongestStartable);
    t.require(copy.copied() && copy.path().size() == kLongestStartable,
              cat("no copy of the fixture at ", quote(copy.path())));
    // The usual fixture would stand at the same place.
    const std::string ended = t.session().stopAll();
    t.check(ended.empty(), cat("the tool did not end cleanly: ", ended));
    SideFixture side = startSideFixture(t, placedAside({}), kMainClass, copy.path());
    t.require(probeAndCheck(t, clientToScreen(side.top, kBareMainPoint), fixtureMainEntry()),
              "no chain");
    auto entries = shownEntries(t.session(), {side.top});
    t.require(entries.size() == 1, "the entry is not on the screen");
    clickAndCheckDetails(t, entries[0].entry, expectedDetails(side.top, copy.path()));
}
