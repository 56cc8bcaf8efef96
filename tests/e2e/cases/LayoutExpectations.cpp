#include "LayoutExpectations.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../driver/RemoteMemory.h"
#include "../driver/Session.h"
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

void checkDpiChangeMessage(TestContext& t, int twipsPerPixel) {
    const ToolWindows& tool = t.session().tool();
    RECT original = windowRect(tool.main);
    const UINT dpi = 1440 / twipsPerPixel;
    const RECT suggested = {original.left + 30, original.top + 20,
                            original.left + 30 + kLarger.width / twipsPerPixel,
                            original.top + 20 + kLarger.height / twipsPerPixel};
    // The rectangle travels by pointer, which the system does not carry into the other process.
    RemoteBuffer buffer(t.session().toolProcessId(), sizeof suggested);
    buffer.put(0, suggested);
    sendTo(tool.main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
           reinterpret_cast<LPARAM>(buffer.address()));
    RECT now = windowRect(tool.main);
    t.check(EqualRect(&now, &suggested),
            cat("the window should take the suggested rectangle ", suggested.left, ",",
                suggested.top, " ", sizeOf(suggested).cx, "x", sizeOf(suggested).cy, ", got ",
                now.left, ",", now.top, " ", sizeOf(now).cx, "x", sizeOf(now).cy));
    checkPlaces(t, kLarger, twipsPerPixel, "after a DPI change");
    restore(t.session(), original);
}

}  // namespace e2e
