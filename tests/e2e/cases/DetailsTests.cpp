// The details of a clicked entry read from the tool's text box and compared with what the
// driver finds out about the window itself; the flash seen on the screen; the executable as
// each operating-system family names it.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/MessageBoxes.h"
#include "../driver/OwnedHandles.h"
#include "../driver/Probe.h"
#include "../driver/Processes.h"
#include "../driver/RemoteMemory.h"
#include "../driver/Session.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "DetailsExpectations.h"
#include "TreeExpectations.h"

using namespace e2e;
using namespace fixture;

namespace {

using Clock = std::chrono::steady_clock;

std::wstring fixtureExecutable(TestContext& t) {
    std::wstring path = executablePath(processOf(t.session().fixture().main));
    t.require(!path.empty(), "the driver cannot read the fixture's executable path");
    return path;
}

// Wine's per-program Windows version: the tool started while it is set runs as on Windows 98.
// Ending the object removes it and ends that tool, so the next case starts the usual one.
class Windows98ForTool {
public:
    explicit Windows98ForTool(Session& session)
        : session_(session),
          key_(L"Software\\Wine\\AppDefaults\\" + fileNameOf(session.paths().tool)) {
        HKEY created = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &created, &disposition) != ERROR_SUCCESS) {
            return;
        }
        const UniqueKey key(created);
        createdKey_ = disposition == REG_CREATED_NEW_KEY;
        static constexpr wchar_t kVersion[] = L"win98";
        set_ = RegSetValueExW(key.get(), L"Version", 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(kVersion),
                              sizeof kVersion) == ERROR_SUCCESS;
    }
    ~Windows98ForTool() {
        if (set_) RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), L"Version");
        // Other settings of the program that were there before stay.
        if (createdKey_) RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
        // The next case gets a tool of the usual version.
        if (std::string problem = session_.stopTool(); !problem.empty()) {
            ADD_FAILURE() << "the tool did not end cleanly: " << problem;
        }
    }
    Windows98ForTool(const Windows98ForTool&) = delete;
    Windows98ForTool& operator=(const Windows98ForTool&) = delete;

    bool set() const { return set_; }

private:
    Session& session_;
    std::wstring key_;
    bool createdKey_ = false;
    bool set_ = false;
};

// Reads several screen pixels through one device context.
std::vector<COLORREF> pixels(const std::vector<POINT>& points) {
    const ClientDC screen;
    std::vector<COLORREF> colours;
    colours.reserve(points.size());
    for (POINT p : points) colours.push_back(GetPixel(screen.get(), p.x, p.y));
    return colours;
}

std::vector<COLORREF> inverted(std::vector<COLORREF> colours) {
    for (COLORREF& c : colours) c ^= 0x00FFFFFF;
    return colours;
}

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

}  // namespace

namespace {

void checkDetailsOfChainEntries(TestContext& t) {
    const FixtureWindows& f = t.session().fixture();
    std::wstring module = fixtureExecutable(t);
    t.check(CompareStringOrdinal(module.c_str(), -1, t.session().paths().fixture.c_str(), -1,
                                 TRUE) == CSTR_EQUAL,
            cat("the fixture's executable ", quote(module), " is not the one started, ",
                quote(t.session().paths().fixture)));
    t.require(probeAndCheck(t, centreOf(windowRect(f.byId(kIdDeepButton))),
                            entryFor(kDeepButtonText, kButtonClass)),
              "no chain");
    // The target first, then the chain from the outermost window in: every click changes the
    // text, and no two clicks in a row hit the same entry (that would be a double click).
    std::vector<HWND> chain = {f.byId(kIdDeepButton), f.main, f.byId(kIdOuter), f.byId(kIdMiddle),
                               f.byId(kIdInner)};
    auto entries = shownEntries(t.session(), chain);
    t.require(entries.size() == chain.size(),
              cat("entries of the chain on the screen: ", entries.size(), " of ", chain.size(),
                  describe(readTree(t.session()))));
    for (const auto& [entry, window] : entries) {
        clickAndCheckDetails(t, entry, expectedDetails(window, module));
    }
}

}  // namespace

// Both ways: clicks on the tree reach it through the tooltip's subclass where the Wine code is
// off, as on Windows.
E2E_TEST(details_of_chain_entries) {
    withWineCodeOffThenOn(t, [&](const ToolWindows&, bool) { checkDetailsOfChainEntries(t); });
}

E2E_TEST(details_of_walk_entries_and_desktop) {
    const FixtureWindows& f = t.session().fixture();
    std::wstring module = fixtureExecutable(t);
    t.require(probeAndCheck(t, clientToScreen(f.main, kBareMainPoint), fixtureMainEntry()),
              "no chain");
    // Hidden windows have their sizes too.
    std::vector<HWND> walked = {f.byId(kIdHidden), f.byId(kIdVisibleInHidden), f.byId(kIdOuter)};
    auto entries = shownEntries(t.session(), walked);
    t.require(entries.size() == walked.size(), "entries of the walk are not on the screen");
    for (const auto& [entry, window] : entries) {
        clickAndCheckDetails(t, entry, expectedDetails(window, module));
    }

    // Whatever the text box holds, typed by the user or not, stays when "DesktopWindow" is
    // clicked.
    const ToolWindows& tool = t.session().tool();
    const std::wstring typed = L"Notiz: bleibt stehen";
    sendTo(tool.txtInf, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    RemoteTree tree(tool.trv);
    auto roots = tree.read();
    t.require(!roots.empty() && roots[0].text == L"DesktopWindow", "no \"DesktopWindow\" entry");
    t.require(clickEntry(t.session(), roots[0].handle), "\"DesktopWindow\" is not on the screen");
    t.check(waitUntil([&] { return tree.selection() == roots[0].handle; }),
            "the click did not select \"DesktopWindow\"");
    t.session().settleTool();
    t.checkText(windowText(tool.txtInf), typed, "text box after a click on \"DesktopWindow\"");
}

E2E_TEST(details_flash_of_top_level_window) {
    const FixtureWindows& f = t.session().fixture();
    t.require(probeAndCheck(t, clientToScreen(f.main, kBareMainPoint), fixtureMainEntry()),
              "no chain");
    auto entries = shownEntries(t.session(), {f.main});
    t.require(entries.size() == 1, "the fixture's entry is not on the screen");
    // Bare parts of the fixture's client area, away from its children.
    std::vector<POINT> points;
    for (POINT p : {POINT{5, kMainClient.cy - 5}, POINT{kMainClient.cx / 2, 500},
                    POINT{kMainClient.cx - 5, 420}}) {
        points.push_back(clientToScreen(f.main, p));
    }
    std::vector<COLORREF> before = pixels(points);
    std::vector<COLORREF> flashed = inverted(before);

    t.require(clickEntry(t.session(), entries[0].entry), "the entry is not on the screen");
    Clock::time_point clicked = Clock::now();
    bool seenInverted = waitUntil([&] { return pixels(points) == flashed; }, 2000, 1);
    long long invertedAfter = msSince(clicked);
    bool seenRestored =
        seenInverted && waitUntil([&] { return pixels(points) == before; }, 3000, 1);
    long long restoredAfter = msSince(clicked);
    note(cat("flash: inverted ", invertedAfter, " ms after the click, restored after ",
             restoredAfter, " ms"));
    t.require(seenInverted, "the fixture's client area was not seen inverted");
    t.require(seenRestored, "the fixture's client area did not return to its colours");
    t.check(invertedAfter <= 1000, "the flash came late");
    // The tool pauses 200 ms between the two inversions; the screen shows that pause, less
    // what the sampling missed at its start.
    t.check(restoredAfter - invertedAfter >= 150 && restoredAfter - invertedAfter <= 1500,
            cat("the flash lasted ", restoredAfter - invertedAfter, " ms"));
    waitForDetails(t.session(), expectedDetails(f.main, fixtureExecutable(t)));
}

E2E_TEST(details_module_by_family) {
    const FixtureWindows& f = t.session().fixture();
    std::wstring path = fixtureExecutable(t);
    if (!underWine()) GTEST_SKIP() << "the Windows 98 family needs Wine's per-program version";
    auto detailsOfMain = [&](const std::wstring& module) {
        t.require(probeAndCheck(t, clientToScreen(f.main, kBareMainPoint), fixtureMainEntry()),
                  "no chain");
        auto entries = shownEntries(t.session(), {f.main, f.byId(kIdOuter)});
        t.require(entries.size() == 2, "the fixture's entries are not on the screen");
        // The second entry first, so the case also works when the text box already shows the
        // main window's details.
        clickAndCheckDetails(t, entries[1].entry, expectedDetails(entries[1].window, module));
        clickAndCheckDetails(t, entries[0].entry, expectedDetails(entries[0].window, module));
    };
    {
        Windows98ForTool windows98(t.session());
        t.require(windows98.set(), "cannot set the tool's Windows version");
        t.session().restartTool();
        detailsOfMain(fileNameOf(path));
    }
    detailsOfMain(path);
}

E2E_TEST(details_probe_during_flash) {
    const FixtureWindows& f = t.session().fixture();
    const ToolWindows& tool = t.session().tool();
    DWORD toolId = t.session().toolProcessId();
    auto toolAlive = [&] { return IsWindow(tool.main) && !topLevelWindows(toolId).empty(); };
    t.require(probeAndCheck(t, clientToScreen(f.main, kBareMainPoint), fixtureMainEntry()),
              "no chain");
    auto entries = shownEntries(t.session(), {f.byId(kIdOuter)});
    t.require(entries.size() == 1, "the entry is not on the screen");
    // Press and moves wait while the tool pauses in the flash; it takes them when it lets
    // events through again, so the tree is rebuilt inside the click on one of its entries.
    t.require(clickEntry(t.session(), entries[0].entry), "the entry is not on the screen");
    POINT check = centreOf(windowRect(tool.chkTop));
    const POINT probe = centreOf(windowRect(tool.r1));
    moveTo(probe);
    pressAt(probe, MouseButton::Left);
    // Moves are routed when they are given: the tool, which lets events through during the
    // flash, must have taken the press before the moves come, or they go to the window below.
    t.require(waitUntil([&] { return captureOf(tool.r1) == tool.r1; }),
              "the press did not reach the probe");
    moveTo(check);
    releaseAt({check.x + 1, check.y}, {MouseButton::Left});
    std::wstring checkEntry = entryFor(L"On Top", L"Button");
    t.check(waitUntil([&] { return !toolAlive() || selectedText(t.session()) == checkEntry; }),
            "the drag did not reach the tool");
    t.session().settleTool();
    t.require(toolAlive(), "the tool is gone");
    t.checkText(windowText(tool.txtInf), expectedDetails(f.byId(kIdOuter), fixtureExecutable(t)),
                "details of the clicked entry");
    for (const auto& box : messageBoxesOf(toolId)) {
        t.check(false, cat("message box ", quote(box.caption), ": ", quote(box.text)));
    }
    // The same tool goes on answering to the probe.
    probeAndCheck(t, centreOf(windowRect(f.byId(kIdOk))), entryFor(kOkText, kButtonClass));
    t.check(toolAlive(), "the tool is gone");
}

E2E_TEST(details_close_during_flash) {
    const FixtureWindows& f = t.session().fixture();
    const ToolWindows& tool = t.session().restartTool();
    DWORD toolId = t.session().toolProcessId();
    const UniqueHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, toolId));
    t.require(static_cast<bool>(process), "the tool's process cannot be opened");
    t.require(probeAndCheck(t, clientToScreen(f.main, kBareMainPoint), fixtureMainEntry()),
              "no chain");
    auto entries = shownEntries(t.session(), {f.byId(kIdOuter)});
    t.require(entries.size() == 1, "the entry is not on the screen");
    t.require(clickEntry(t.session(), entries[0].entry), "the entry is not on the screen");
    // The text is written right before the flash; the close then arrives while it runs.
    t.check(waitUntil([&] { return !windowText(tool.txtInf).empty(); }), "no details were written");
    PostMessageW(tool.main, WM_CLOSE, 0, 0);
    t.check(WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0, "the tool did not end");
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.get(), &exitCode);
    t.check(exitCode == 0, cat("the tool ended with code ", exitCode));
    t.session().restartTool();
}
