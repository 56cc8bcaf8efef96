#include "LayoutExpectations.h"

#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "../driver/Input.h"
#include "../driver/RemoteMemory.h"
#include "../driver/Session.h"
#include "../driver/ToolTips.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"

namespace e2e {

namespace {

// Left, top, width and height in twips.
struct Place {
    int left;
    int top;
    int width;
    int height;
};

// The window's outer size and every control's place, in twips.
struct Layout {
    const char* name;
    int width;
    int height;
    Place trv;
    Place txtInf;
    Place r1;
    Place labelT;
    Place command1[3];
    Place chkTop;
};

// Written out rather than taken from the tool's design table, so that a wrong number there
// shows here. Every size is a whole number of pixels at 15 and at 10 twips per pixel.
constexpr Layout kMinimum = {
    "the minimum size",
    7140,
    5730,
    {90, 60, 5840, 3690},
    {90, 3840, 6840, 1440},
    {6030, 90, 915, 945},
    {5955, 3165, 1065, 315},
    {{5985, 3465, 315, 270}, {6315, 3465, 300, 270}, {6630, 3465, 300, 270}},
    {6030, 2775, 915, 255}};

constexpr Layout kLarger = {
    "a larger size",
    9000,
    7500,
    {90, 60, 7700, 5460},
    {90, 5610, 8700, 1440},
    {7890, 90, 915, 945},
    {7815, 4935, 1065, 315},
    {{7845, 5235, 315, 270}, {8175, 5235, 300, 270}, {8490, 5235, 300, 270}},
    {7890, 2775, 915, 255}};

// Narrower than the minimum: only the height counts.
constexpr Layout kNarrowAndTall = {
    "a narrow, tall size",
    4500,
    7020,
    {90, 60, 5840, 4980},
    {90, 5130, 6840, 1440},
    {6030, 90, 915, 945},
    {5955, 4455, 1065, 315},
    {{5985, 4755, 315, 270}, {6315, 4755, 300, 270}, {6630, 4755, 300, 270}},
    {6030, 2775, 915, 255}};

// Below the minimum both ways: the controls keep their places at the minimum.
constexpr Layout kTiny = {"a size below the minimum",
                          4500,
                          4500,
                          kMinimum.trv,
                          kMinimum.txtInf,
                          kMinimum.r1,
                          kMinimum.labelT,
                          {kMinimum.command1[0], kMinimum.command1[1], kMinimum.command1[2]},
                          kMinimum.chkTop};

std::string placeText(const Place& p) {
    return cat(p.left, ",", p.top, " ", p.width, "x", p.height);
}

// A length in pixels fits its twips when it is their quotient, rounded either way where the
// quotient is not whole.
bool fits(int pixels, int twips, int twipsPerPixel) {
    return std::abs(pixels * twipsPerPixel - twips) < twipsPerPixel;
}

// What differs from the layout, one message per control or size that is off.
std::vector<std::string> differences(const ToolWindows& tool, const Layout& layout,
                                     int twipsPerPixel) {
    std::vector<std::string> found;
    SIZE outer = sizeOf(windowRect(tool.main));
    if (outer.cx * twipsPerPixel != layout.width || outer.cy * twipsPerPixel != layout.height) {
        found.push_back(cat("window: expected ", layout.width / twipsPerPixel, "x",
                            layout.height / twipsPerPixel, " pixels outside, got ", outer.cx, "x",
                            outer.cy));
    }
    const std::pair<const char*, std::pair<HWND, Place>> controls[] = {
        {"trv", {tool.trv, layout.trv}},
        {"txtInf", {tool.txtInf, layout.txtInf}},
        {"r1", {tool.r1, layout.r1}},
        {"LabelT", {tool.labelT, layout.labelT}},
        {"Command1(0)", {tool.command1[0], layout.command1[0]}},
        {"Command1(1)", {tool.command1[1], layout.command1[1]}},
        {"Command1(2)", {tool.command1[2], layout.command1[2]}},
        {"chkTop", {tool.chkTop, layout.chkTop}},
    };
    for (const auto& [name, control] : controls) {
        const auto& [window, twips] = control;
        RECT r = rectInParent(window);
        Place pixels = {r.left, r.top, r.right - r.left, r.bottom - r.top};
        if (!fits(pixels.left, twips.left, twipsPerPixel) ||
            !fits(pixels.top, twips.top, twipsPerPixel) ||
            !fits(pixels.width, twips.width, twipsPerPixel) ||
            !fits(pixels.height, twips.height, twipsPerPixel)) {
            found.push_back(cat(name, ": expected ", placeText(twips), " twips at ", twipsPerPixel,
                                " twips per pixel, got ", placeText(pixels), " pixels"));
        }
    }
    return found;
}

void resizeOutside(HWND window, int width, int height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Waits until the tool shows the layout, then records what still differs.
void checkPlaces(TestContext& t, const Layout& layout, int twipsPerPixel, const std::string& when) {
    const ToolWindows& tool = t.session().tool();
    t.session().settleTool();
    std::vector<std::string> found;
    waitUntil([&] { return (found = differences(tool, layout, twipsPerPixel)).empty(); }, 3000);
    for (const auto& message : found) {
        t.check(false,
                cat(when, " (", layout.width, "x", layout.height, " twips outside): ", message));
    }
}

void restore(Session& session, const RECT& rect) {
    SIZE size = sizeOf(rect);
    SetWindowPos(session.tool().main, nullptr, rect.left, rect.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    session.settleTool();
}

// Sizes that follow the DPI, read from outside: an entry of the tree (its picture and font),
// the distance between two lines of the details (their font) and a tooltip (its font).
struct ShownSizes {
    int entry;
    int line;
    int tip;
};

// The distance between the first two lines of a multi-line edit control, in pixels.
int lineHeight(HWND edit) {
    // The system carries WM_SETTEXT's text into the other process.
    sendTo(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1\r\n2"));
    const auto first = static_cast<DWORD>(sendTo(edit, EM_POSFROMCHAR, 0, 0));
    const auto second = static_cast<DWORD>(sendTo(edit, EM_POSFROMCHAR, 3, 0));
    sendTo(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    return static_cast<short>(HIWORD(second)) - static_cast<short>(HIWORD(first));
}

// The height of the tip that shows while the pointer rests on the control; 0 when none shows.
int tipHeight(Session& session, HWND control) {
    const ToolWindows& tool = session.tool();
    bringToFront(tool.main);
    moveSteadily(centreOf(windowRect(control)), [&] { session.settleTool(); });
    std::optional<ToolTip> shown;
    waitUntil(
        [&] {
            shown = shownToolTip(session.toolProcessId());
            return shown && shown->control == control;
        },
        8000);
    const int height =
        shown && shown->control == control ? sizeOf(windowRect(shown->tooltip)).cy : 0;
    // Away from the tool, so that the tip goes and shows afresh next time.
    moveSteadily({4, GetSystemMetrics(SM_CYSCREEN) - 4}, [&] { session.settleTool(); });
    return height;
}

ShownSizes shownSizes(Session& session) {
    const ToolWindows& tool = session.tool();
    session.settleTool();
    return {static_cast<int>(sendTo(tool.trv, TVM_GETITEMHEIGHT, 0, 0)), lineHeight(tool.txtInf),
            tipHeight(session, tool.txtInf)};
}

// Each size in proportion to the DPI, within a fifth, and exactly as it was at the start DPI.
void checkScaled(TestContext& t, const ShownSizes& start, const ShownSizes& now, UINT dpi,
                 UINT startDpi) {
    const std::pair<const char*, std::pair<int, int>> sizes[] = {
        {"an entry of the tree", {start.entry, now.entry}},
        {"a line of the details", {start.line, now.line}},
        {"a tooltip", {start.tip, now.tip}}};
    for (const auto& [what, pair] : sizes) {
        const auto [from, to] = pair;
        const double expected = static_cast<double>(from) * dpi / startDpi;
        const bool fits = dpi == startDpi ? to == from : std::abs(to - expected) <= expected / 5;
        t.check(fits && from > 0, cat("at ", dpi, " DPI ", what, " is ", to, " pixels high (", from,
                                      " at ", startDpi, " DPI)"));
    }
}

}  // namespace

void checkLayoutSequence(TestContext& t, int twipsPerPixel) {
    const ToolWindows& tool = t.session().tool();
    RECT original = windowRect(tool.main);
    // Back and forth: the same size must give the same places whatever came before.
    for (const Layout* layout :
         {&kMinimum, &kLarger, &kNarrowAndTall, &kTiny, &kLarger, &kMinimum}) {
        resizeOutside(tool.main, layout->width / twipsPerPixel, layout->height / twipsPerPixel);
        checkPlaces(t, *layout, twipsPerPixel, cat("at ", layout->name));
    }
    restore(t.session(), original);
}

void checkDpiChange(TestContext& t, UINT dpi) {
    const ToolWindows& tool = t.session().restartTool();
    const UINT original = screenDpi();
    const RECT before = windowRect(tool.main);
    const ShownSizes sizesBefore = shownSizes(t.session());
    for (const UINT now : {dpi, original}) {
        const int twipsPerPixel = static_cast<int>(1440 / now);
        // The system suggests the window at the new DPI: the same size in twips.
        const RECT suggested = {before.left + 30, before.top + 20,
                                before.left + 30 + kLarger.width / twipsPerPixel,
                                before.top + 20 + kLarger.height / twipsPerPixel};
        RemoteBuffer buffer(t.session().toolProcessId(), sizeof suggested);
        buffer.put(0, suggested);
        sendTo(tool.main, WM_DPICHANGED, MAKEWPARAM(now, now),
               reinterpret_cast<LPARAM>(buffer.address()));
        const RECT taken = windowRect(tool.main);
        t.check(
            EqualRect(&taken, &suggested),
            cat("at ", now, " DPI the window should take the suggested rectangle ", suggested.left,
                ",", suggested.top, " ", sizeOf(suggested).cx, "x", sizeOf(suggested).cy, ", got ",
                taken.left, ",", taken.top, " ", sizeOf(taken).cx, "x", sizeOf(taken).cy));
        checkPlaces(t, kLarger, twipsPerPixel, cat("after a change to ", now, " DPI"));
        checkScaled(t, sizesBefore, shownSizes(t.session()), now, original);
    }
    restore(t.session(), before);
}

}  // namespace e2e
