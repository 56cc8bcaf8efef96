// The outline that marks the probed window on the screen while the probe is dragged, and F5,
// which rebuilds the tree for the window shown last.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/OwnedHandles.h"
#include "../driver/Probe.h"
#include "../driver/Processes.h"
#include "../driver/Screenshot.h"
#include "../driver/Session.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "TreeExpectations.h"

using namespace e2e;
using namespace fixture;

namespace {

constexpr int kOutlineWidth96 = 3;

// Pixels that an outline of the rectangle leaves alone: just inside it, and its middle.
std::vector<COLORREF> insideColours(const RECT& r) {
    std::vector<COLORREF> inside = edgeColours(r, kOutlineWidth96);
    inside.push_back(screenPixel(centreOf(r)));
    return inside;
}

// Pixels of the outline's colour from the left edge of the rectangle inwards, in its middle.
int leftEdgeWidth(const RECT& r) {
    const POINT start = {r.left, centreOf(r).y};
    const COLORREF outline = screenPixel(start);
    int width = 0;
    while (width < 20 && screenPixel({start.x + width, start.y}) == outline) ++width;
    return width;
}

// Drags onto the fixture's main window and waits until its edges show the outline; returns the
// width of the outline, 0 when none came.
int outlineWidthOnFixture(TestContext& t, ProbeDrag& drag) {
    const FixtureWindows& f = t.session().fixture();
    const RECT bounds = windowRect(f.main);
    const auto before = edgeColours(bounds);
    drag.glideTo(clientToScreen(f.main, kBareMainPoint));
    const bool shown = drag.waitUntilShown([&] { return allDiffer(edgeColours(bounds), before); },
                                           "the outline of the fixture");
    t.check(shown, "the fixture's edges never showed the outline");
    return shown ? leftEdgeWidth(bounds) : 0;
}

// The tool's visible top-level windows other than its main window and its tooltips.
std::vector<HWND> strayToolWindows(Session& session) {
    std::vector<HWND> stray;
    const DWORD tool = session.toolProcessId();
    for (HWND w : allTopLevelWindows()) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (process == tool && IsWindowVisible(w) && w != session.tool().main &&
            className(w) != L"tooltips_class32") {
            stray.push_back(w);
        }
    }
    return stray;
}

HWND showFixtureCover(HWND main, bool shown) {
    return reinterpret_cast<HWND>(
        SendMessageW(main, RegisterWindowMessageW(kCoverMessage), shown ? 1 : 0, 0));
}

// The fixture's topmost window over its main window's left edge, shown and activated for the
// life of the object.
struct FixtureCover {
    HWND main;
    HWND window = showFixtureCover(main, true);
    ~FixtureCover() { showFixtureCover(main, false); }
};

bool isAbove(HWND upper, HWND lower) {
    const auto windows = allTopLevelWindows();  // from the top of the z-order down
    const auto at = [&](HWND w) { return std::find(windows.begin(), windows.end(), w); };
    return at(upper) < at(lower) && at(lower) != windows.end();
}

// Shows the fixture's topmost window over the outline during a drag onto the fixture: the
// outline must come above it again while the pointer rests, in the z-order and, where
// `onScreen`, in the pixels.
void checkOutlineRisesAboveCover(TestContext& t, bool onScreen) {
    const FixtureWindows& f = t.session().fixture();
    const RECT bounds = windowRect(f.main);
    const POINT onEdge = {bounds.left, centreOf(bounds).y};
    const POINT onCoverOnly = {bounds.left + kCoverInside / 2, onEdge.y};
    ProbeDrag drag(t.session());
    t.require(outlineWidthOnFixture(t, drag) > 0, "no outline to start from");
    const COLORREF outlineColour = screenPixel(onEdge);
    const HWND outline = strayToolWindows(t.session()).front();

    const FixtureCover cover{f.main};
    t.require(cover.window != nullptr, "the fixture showed no topmost window");
    t.check(waitUntil([&] {
                return GetForegroundWindow() == cover.window &&
                       screenPixel(onCoverOnly) == GetSysColor(COLOR_WINDOWTEXT);
            }),
            "the fixture's topmost window did not come up active over the fixture");
    t.check(waitUntil([&] { return isAbove(outline, cover.window); }),
            "the outline stayed below the topmost window in the z-order");
    if (!onScreen) return;
    t.check(waitUntil([&] { return screenPixel(onEdge) == outlineColour; }),
            "the outline stayed below the topmost window on the screen");
}

// Drags onto the fixture: the outline frames it and leaves its inside alone, hit-testing passes
// through both, and after the drag nothing of it stays.
void checkOutlineMarksFixture(TestContext& t) {
    const FixtureWindows& f = t.session().fixture();
    const RECT bounds = windowRect(f.main);
    std::vector<COLORREF> before;
    {
        ProbeDrag drag(t.session());
        // Read once the press has made the tool the active window, which may recolour captions.
        before = edgeColours(bounds);
        const auto inside = insideColours(bounds);
        t.checkEqual(outlineWidthOnFixture(t, drag), kOutlineWidth96, "outline width");
        t.check(insideColours(bounds) == inside, "the outline drew inside the fixture");
        const POINT bare = clientToScreen(f.main, kBareMainPoint);
        t.check(WindowFromPoint(bare) == f.main,
                "the fixture's inside is not hit by WindowFromPoint");
        RECT around = bounds;
        InflateRect(&around, 12, 12);
        const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        IntersectRect(&around, &around, &screen);
        std::wstring picture = saveScreenshot(around, L"outline");
        if (!picture.empty()) std::printf("       screenshot: %s\n", utf8(picture).c_str());

        // Hit-testing passes through the outline to the window below.
        const POINT onOutline = {bounds.left + 1, centreOf(bounds).y};
        drag.jumpTo(onOutline);
        t.check(WindowFromPoint(onOutline) == f.main, "the outline is hit by WindowFromPoint");
        t.checkText(selectedText(t.session()), fixtureMainEntry(), "target on the outline");
    }
    t.check(waitUntil([&] { return edgeColours(bounds) == before; }),
            "the edges did not return to what they showed before the drag");
    t.check(strayToolWindows(t.session()).empty(), "the tool still shows a window of its own");
}

// Any process may close the tool's top-level windows (the driver's own stop of a program does):
// the outline's window stays, and the outline follows the drag on.
void checkOutlineSurvivesClose(TestContext& t) {
    const FixtureWindows& f = t.session().fixture();
    ProbeDrag drag(t.session());
    const RECT dialog = windowRect(f.dialog);
    const auto dialogBefore = edgeColours(dialog);
    t.require(outlineWidthOnFixture(t, drag) > 0, "no outline to start from");
    const auto outlines = strayToolWindows(t.session());
    t.checkEqual(outlines.size(), std::size_t{1}, "outline windows");
    for (HWND outline : outlines) PostMessageW(outline, WM_CLOSE, 0, 0);

    // The moves reach the tool after the messages posted before them.
    drag.glideTo(clientToScreen(f.dialog, {5, 5}));
    const bool shown = drag.waitUntilShown(
        [&] {
            return selectedText(t.session()) == fixtureDialogEntry() &&
                   allDiffer(edgeColours(dialog), dialogBefore);
        },
        "the outline of the dialog");
    t.check(shown, "the dialog's edges never showed the outline");
}

}  // namespace

// The tool as it runs on Windows, and then with what it does differently under Wine: the
// outline is checked both ways.
E2E_TEST(outline_marks_the_probed_window_and_goes_with_the_drag) {
    withWineCodeOffThenOn(t, [&](const ToolWindows&, bool) { checkOutlineMarksFixture(t); });
}

// Both ways: the outline's window moves and takes another size, or only another region.
E2E_TEST(outline_survives_wm_close_from_another_process) {
    withWineCodeOffThenOn(t, [&](const ToolWindows&, bool) { checkOutlineSurvivesClose(t); });
}

// Another program's topmost window that comes up over the outline during the drag, and takes
// the activation, goes below the outline again while the pointer rests. Under Wine the screen
// shows that only with the tool's Wine-only outline; without it, the z-order does.
E2E_TEST(outline_rises_above_a_topmost_window_shown_during_the_drag) {
    withWineCodeOffThenOn(t, [&](const ToolWindows&, bool wineOutline) {
        checkOutlineRisesAboveCover(t, wineOutline || !underWine());
    });
}

E2E_TEST_AT_DPI(dpi144_outline_is_wider, 144) {
    ProbeDrag drag(t.session());
    t.checkEqual(outlineWidthOnFixture(t, drag), 5, "outline width at 144 DPI");
}

E2E_TEST(outline_none_over_the_tools_own_window) {
    const ToolWindows& tool = t.session().tool();
    const RECT fixture = windowRect(t.session().fixture().main);
    ProbeDrag drag(t.session());
    const auto fixtureBefore = edgeColours(fixture);
    t.require(outlineWidthOnFixture(t, drag) > 0, "no outline to start from");
    const auto toolBefore = edgeColours(windowRect(tool.main));

    const POINT gap = bareToolPoint(tool);
    t.require(WindowFromPoint(gap) == tool.main, "the gap is not on the tool's main window");
    drag.jumpTo(gap);
    t.check(waitUntil([&] { return edgeColours(fixture) == fixtureBefore; }),
            "the fixture's outline stayed while the pointer is over the tool");
    t.check(edgeColours(windowRect(tool.main)) == toolBefore, "the tool's main window is outlined");
}

E2E_TEST(f5_shows_a_window_created_since) {
    const FixtureWindows& f = t.session().fixture();
    const ToolWindows& tool = t.session().tool();
    t.require(probeAndCheck(t, clientToScreen(f.main, kBareMainPoint), fixtureMainEntry()),
              "no tree to start from");
    const std::wstring details = L"Details von vorher";
    SendMessageW(tool.txtInf, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(details.c_str()));
    const auto added = reinterpret_cast<HWND>(
        SendMessageW(f.main, RegisterWindowMessageW(kAddChildMessage), 0, 0));
    t.require(added != nullptr, "the fixture created no window");

    t.require(bringToFront(tool.main), "the tool did not come to the front");
    pressKey(VK_F5);
    const std::wstring entry = entryFor(kAddedText, kPanelClass);
    const auto shows = [&] {
        const auto roots = readTree(t.session());
        const auto path = selectionPath(roots);
        if (path.empty()) return false;
        for (const TreeItem& child : path.back()->children) {
            if (child.text == entry) return true;
        }
        return false;
    };
    t.check(waitUntil(shows), cat("the new window is not below the selected fixture:\n",
                                  describe(readTree(t.session()))));
    t.checkText(selectedText(t.session()), fixtureMainEntry(), "selected entry");
    t.checkText(windowText(tool.txtInf), details, "details");
    checkNoReport(t);
    // The other cases expect the fixture as it was.
    SendMessageW(added, WM_CLOSE, 0, 0);
}

E2E_TEST(f5_after_the_targets_process_ended_changes_nothing) {
    const FixtureWindows& f = t.session().fixture();
    const ToolWindows& tool = t.session().tool();
    t.require(probeAndCheck(t, clientToScreen(f.main, kBareMainPoint), fixtureMainEntry()),
              "no tree to start from");
    const auto before = readTree(t.session());

    DWORD process = 0;
    GetWindowThreadProcessId(f.main, &process);
    const UniqueHandle fixture(OpenProcess(PROCESS_TERMINATE, FALSE, process));
    t.require(fixture && TerminateProcess(fixture.get(), 1), "the fixture could not be ended");
    t.require(waitUntil([&] { return !IsWindow(f.main); }), "the fixture's window stayed");

    t.require(bringToFront(tool.main), "the tool did not come to the front");
    pressKey(VK_F5);
    t.session().settleTool();
    t.check(readTree(t.session()) == before,
            cat("F5 changed the tree:\n", describe(readTree(t.session()))));
    checkNoReport(t);
}
