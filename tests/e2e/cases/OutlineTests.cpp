// The outline that marks the probed window on the screen while the probe is dragged.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "../driver/Harness.h"
#include "../driver/Input.h"
#include "../driver/Probe.h"
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

// The outermost pixel in the middle of each edge of the rectangle: the outline covers them.
std::vector<POINT> edgePixels(const RECT& r) {
    const POINT middle = centreOf(r);
    return {
        {middle.x, r.top}, {middle.x, r.bottom - 1}, {r.left, middle.y}, {r.right - 1, middle.y}};
}

std::vector<COLORREF> colours(const std::vector<POINT>& points) {
    std::vector<COLORREF> result;
    for (POINT p : points) result.push_back(screenPixel(p));
    return result;
}

bool allDiffer(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) return false;
    }
    return true;
}

// A point of the fixture's main window that none of its children covers.
POINT bareFixtureMain(const FixtureWindows& f) {
    return clientToScreen(f.main, {kMainClientWidth / 2, kMainClientHeight - 5});
}

// Pixels of the outline's colour from the left edge of the rectangle inwards, in its middle.
int leftEdgeWidth(const RECT& r) {
    const POINT start = edgePixels(r)[2];
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
    const auto before = colours(edgePixels(bounds));
    drag.glideTo(bareFixtureMain(f));
    const bool shown = waitUntil([&] {
        drag.nudge();
        return allDiffer(colours(edgePixels(bounds)), before);
    });
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

}  // namespace

E2E_TEST(outline_marks_the_probed_window_and_goes_with_the_drag) {
    const FixtureWindows& f = t.session().fixture();
    const RECT bounds = windowRect(f.main);
    std::vector<COLORREF> before;
    {
        ProbeDrag drag(t.session());
        // Read once the press has made the tool the active window, which may recolour captions.
        before = colours(edgePixels(bounds));
        t.checkEqual(outlineWidthOnFixture(t, drag), kOutlineWidth96, "outline width");
        RECT around = bounds;
        InflateRect(&around, 12, 12);
        std::wstring picture = saveScreenshot(around, L"outline");
        if (!picture.empty()) std::printf("       screenshot: %s\n", utf8(picture).c_str());

        // Hit-testing passes through the outline to the window below.
        const POINT onOutline = {bounds.left + 1, centreOf(bounds).y};
        drag.jumpTo(onOutline);
        drag.nudge();
        t.check(WindowFromPoint(onOutline) == f.main, "the outline is hit by WindowFromPoint");
        t.checkText(selectedText(t.session()), fixtureMainEntry(), "target on the outline");
    }
    t.check(waitUntil([&] { return colours(edgePixels(bounds)) == before; }),
            "the edges did not return to what they showed before the drag");
    t.check(strayToolWindows(t.session()).empty(), "the tool still shows a window of its own");
}

E2E_TEST_AT_DPI(dpi144_outline_is_wider, 144) {
    ProbeDrag drag(t.session());
    t.checkEqual(outlineWidthOnFixture(t, drag), 5, "outline width at 144 DPI");
}

E2E_TEST(outline_none_over_the_tools_own_window) {
    const ToolWindows& tool = t.session().tool();
    const RECT fixture = windowRect(t.session().fixture().main);
    ProbeDrag drag(t.session());
    const auto fixtureBefore = colours(edgePixels(fixture));
    t.require(outlineWidthOnFixture(t, drag) > 0, "no outline to start from");
    const auto toolBefore = colours(edgePixels(windowRect(tool.main)));

    // The gap between the tree and the probe belongs to the main window itself.
    const RECT tree = rectInParent(tool.trv);
    const RECT probe = rectInParent(tool.r1);
    const POINT gap = clientToScreen(tool.main, {(tree.right + probe.left) / 2, probe.bottom + 20});
    t.require(WindowFromPoint(gap) == tool.main, "the gap is not on the tool's main window");
    drag.jumpTo(gap);
    drag.nudge();
    t.check(waitUntil([&] { return colours(edgePixels(fixture)) == fixtureBefore; }),
            "the fixture's outline stayed while the pointer is over the tool");
    t.check(colours(edgePixels(windowRect(tool.main))) == toolBefore,
            "the tool's main window is outlined");
}
