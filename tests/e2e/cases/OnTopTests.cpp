// The always-on-top switch and the transparency buttons, clicked with the real mouse and read
// from outside through the window system: z-order, extended style and layered opacity.
#include <windows.h>

#include <string>

#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/MessageBoxes.h"
#include "../driver/RemoteMemory.h"
#include "../driver/Session.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "SteadyInput.h"

using namespace e2e;

namespace {

// What the window system holds for the window's transparency: no layered style, or the
// opacity it is drawn with.
constexpr int kNotLayered = -1;
constexpr int kNoAlpha = -2;

LONG exStyle(HWND window) { return GetWindowLongW(window, GWL_EXSTYLE); }

bool isTopmost(HWND window) { return (exStyle(window) & WS_EX_TOPMOST) != 0; }

int transparency(HWND window) {
    if ((exStyle(window) & WS_EX_LAYERED) == 0) return kNotLayered;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) {
        return kNoAlpha;
    }
    return alpha;
}

std::string transparencyText(int value) {
    if (value == kNotLayered) return "not layered";
    if (value == kNoAlpha) return "layered without an opacity";
    return cat("layered with opacity ", value);
}

std::string rectText(const RECT& r) {
    return cat(r.left, ",", r.top, " ", r.right - r.left, "x", r.bottom - r.top);
}

bool isChecked(HWND box) { return sendTo(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The top-level window that shows at the screen point.
HWND topLevelAt(POINT point) { return GetAncestor(WindowFromPoint(point), GA_ROOT); }

// Whether `upper` comes before `lower` in the z-order of the top-level windows.
bool isAbove(HWND upper, HWND lower) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper) return true;
        if (w == lower) return false;
    }
    return false;
}

// Clicks the check box and waits until the window system reports the topmost state it should
// give; records a failure with both states otherwise.
bool clickOnTop(TestContext& t, bool expectTopmost) {
    const ToolWindows& tool = t.session().tool();
    steadyClick(tool.chkTop);
    t.session().settleTool();
    auto state = [&] {
        return cat("check box ", isChecked(tool.chkTop) ? "checked" : "unchecked", ", window ",
                   isTopmost(tool.main) ? "topmost" : "not topmost");
    };
    const std::string expected = cat("check box ", expectTopmost ? "checked" : "unchecked",
                                     ", window ", expectTopmost ? "topmost" : "not topmost");
    return t.check(waitUntil([&] { return state() == expected; }),
                   cat("after a click on \"On Top\": expected ", expected, ", got ", state()));
}

// Activates the fixture's main window with a click on a bare spot of it, away from the tool.
// Not on the caption: there Wine starts moving the window and keeps the pointer.
bool activateFixture(Session& session, POINT spot) {
    const FixtureWindows& fixture = session.fixture();
    steadyClick(spot);
    return waitUntil([&] { return GetForegroundWindow() == fixture.main; });
}

void checkNoMessageBox(TestContext& t) {
    t.session().settleTool();
    auto boxes = messageBoxesOf(t.session().toolProcessId());
    t.check(boxes.empty(), cat("the tool showed a message box: ",
                               boxes.empty() ? std::string() : quote(boxes[0].text)));
}

// Moves the tool so that it covers part of the fixture's main window, and puts it back when
// the case ends.
class ToolOverFixture {
public:
    explicit ToolOverFixture(Session& session)
        : tool_(session.tool().main), original_(windowRect(tool_)) {
        const FixtureWindows& fixture = session.fixture();
        RECT f = windowRect(fixture.main);
        SetWindowPos(tool_, nullptr, (f.left + f.right) / 2, (f.top + f.bottom) / 3, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        session.settleTool();
        RECT t = windowRect(tool_);
        IntersectRect(&overlap_, &f, &t);
        spot_ = clientToScreen(fixture.main, {5, fixture::kMainClient.cy - 5});
    }
    ~ToolOverFixture() {
        SetWindowPos(tool_, nullptr, original_.left, original_.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ToolOverFixture(const ToolOverFixture&) = delete;
    ToolOverFixture& operator=(const ToolOverFixture&) = delete;

    // A point where both windows lie, one above the other.
    POINT overlap() const { return centreOf(overlap_); }
    // A spot of the fixture's main window, outside its children, that the tool does not cover.
    POINT fixtureSpot() const { return spot_; }

private:
    HWND tool_;
    RECT original_;
    RECT overlap_{};
    POINT spot_{};
};

}  // namespace

E2E_TEST(ontop_stays_above_activated_window) {
    const ToolWindows& tool = t.session().tool();
    const FixtureWindows& fixture = t.session().fixture();
    t.require(!isChecked(tool.chkTop) && !isTopmost(tool.main), "the tool starts topmost");
    ToolOverFixture place(t.session());
    POINT overlap = place.overlap();
    t.require(topLevelAt(place.fixtureSpot()) == fixture.main,
              "the bare spot of the fixture is covered");

    // Without the switch, the activated window comes to the front: the check below means
    // something.
    t.require(activateFixture(t.session(), place.fixtureSpot()),
              "the fixture did not become active");
    t.require(waitUntil([&] { return topLevelAt(overlap) == fixture.main; }, 3000),
              "the activated fixture is not in front of the normal tool");

    RECT before = windowRect(tool.main);
    t.require(clickOnTop(t, true), "checking \"On Top\" did not make the tool topmost");
    t.require(activateFixture(t.session(), place.fixtureSpot()),
              "the fixture did not become active");
    t.session().settleTool();
    t.check(topLevelAt(overlap) == tool.main && isAbove(tool.main, fixture.main),
            "the topmost tool fell behind the activated fixture");
    t.check(isTopmost(tool.main), "the tool lost the topmost style");
    RECT after = windowRect(tool.main);
    t.check(EqualRect(&before, &after),
            cat("checking moved the window from ", rectText(before), " to ", rectText(after)));

    t.require(clickOnTop(t, false), "unchecking \"On Top\" left the tool topmost");
    after = windowRect(tool.main);
    t.check(EqualRect(&before, &after),
            cat("unchecking moved the window from ", rectText(before), " to ", rectText(after)));
    t.require(activateFixture(t.session(), place.fixtureSpot()),
              "the fixture did not become active");
    t.check(waitUntil([&] { return topLevelAt(overlap) == fixture.main; }, 3000),
            "the tool stays in front of the activated fixture after unchecking");
    checkNoMessageBox(t);
}

E2E_TEST(transparency_buttons_in_any_order) {
    const ToolWindows& tool = t.session().tool();
    t.require(transparency(tool.main) == kNotLayered, "the tool starts layered");
    const LONG otherBits = exStyle(tool.main) & ~WS_EX_LAYERED;
    const RECT before = windowRect(tool.main);
    // Each press applies its own setting whatever came before, the same one twice included.
    const std::pair<int, int> presses[] = {{1, 200}, {2, 120},         {1, 200},
                                           {1, 200}, {0, kNotLayered}, {0, kNotLayered},
                                           {2, 120}, {2, 120},         {0, kNotLayered}};
    std::string history;
    for (const auto& [button, expected] : presses) {
        history += cat(" ", button);
        steadyClick(tool.command1[button]);
        t.session().settleTool();
        int actual = kNotLayered;
        // Captured by name, since clang 14 cannot capture a structured binding.
        waitUntil([&, alpha = expected] { return (actual = transparency(tool.main)) == alpha; },
                  3000);
        t.check(actual == expected,
                cat("after the buttons", history, ": expected ", transparencyText(expected),
                    ", got ", transparencyText(actual)));
        t.check((exStyle(tool.main) & ~WS_EX_LAYERED) == otherBits,
                cat("after the buttons", history, " other extended style bits changed"));
    }
    RECT after = windowRect(tool.main);
    t.check(EqualRect(&before, &after), "the buttons moved or resized the window");
    checkNoMessageBox(t);
}

E2E_TEST(ontop_and_transparency_independent) {
    const ToolWindows& tool = t.session().tool();
    t.require(!isTopmost(tool.main) && transparency(tool.main) == kNotLayered,
              "the tool does not start opaque in the normal z-order");
    auto pressAndWait = [&](int button, int expected) {
        steadyClick(tool.command1[button]);
        t.session().settleTool();
        return waitUntil([&] { return transparency(tool.main) == expected; }, 3000);
    };

    t.require(pressAndWait(2, 120), "button 2 did not make the tool transparent");
    t.require(clickOnTop(t, true), "checking \"On Top\" did not make the tool topmost");
    t.check(transparency(tool.main) == 120, cat("checking \"On Top\" changed the transparency: ",
                                                transparencyText(transparency(tool.main))));

    t.check(pressAndWait(1, 200), "button 1 did not set opacity 200 on the topmost tool");
    t.check(isTopmost(tool.main), "button 1 ended the topmost state");
    t.check(pressAndWait(0, kNotLayered), "button 0 did not make the topmost tool opaque");
    t.check(isTopmost(tool.main), "button 0 ended the topmost state");
    t.check(pressAndWait(1, 200), "button 1 did not set opacity 200");

    t.require(clickOnTop(t, false), "unchecking \"On Top\" left the tool topmost");
    t.check(transparency(tool.main) == 200, cat("unchecking \"On Top\" changed the transparency: ",
                                                transparencyText(transparency(tool.main))));
    t.check(pressAndWait(0, kNotLayered), "button 0 did not make the tool opaque");
    t.check(!isTopmost(tool.main), "button 0 made the tool topmost");
    checkNoMessageBox(t);
}
