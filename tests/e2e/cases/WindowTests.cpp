// The tool's main window as a user meets it: caption, size, controls, keyboard order, tool tips,
// and the version resource of its executable.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/RemoteMemory.h"
#include "../driver/RemoteTree.h"
#include "../driver/Session.h"
#include "../driver/ToolTips.h"
#include "../driver/VersionInfo.h"
#include "version.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "CommandLineRuns.h"
#include "TreeExpectations.h"

using namespace e2e;

namespace {

struct Placement {
    const char* name;
    HWND ToolWindows::*control;
    RECT expected;  // left, top, width, height in client pixels at 96 DPI
};

std::string rectText(const RECT& r) {
    return cat(r.left, ",", r.top, " ", r.right - r.left, "x", r.bottom - r.top);
}

// The outer size in twips at 96 DPI, which decides the layout of the first show.
std::string outerTwips(HWND main) {
    SIZE outer = sizeOf(windowRect(main));
    return cat(outer.cx * 15, "x", outer.cy * 15, " twips outside");
}

}  // namespace

E2E_TEST(window_first_show) {
    const ToolWindows& tool = t.session().restartTool();
    t.checkText(windowText(tool.main), L"Tarnwick Windows Quellon", "caption");
    SIZE client = clientSize(tool.main);
    t.check(client.cx == 468 && client.cy == 355,
            cat("client area: expected 468x355, got ", client.cx, "x", client.cy));

    RECT outer = windowRect(tool.main);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    t.check(
        std::abs(outer.left + outer.right - screenWidth) <= 1 &&
            std::abs(outer.top + outer.bottom - screenHeight) <= 1,
        cat("not centred on the ", screenWidth, "x", screenHeight, " screen: ", rectText(outer)));

    t.checkEqual(RemoteTree(tool.trv).count(), 0, "entries in the tree");
    t.checkText(windowText(tool.txtInf), L"", "text box");
    t.checkEqual(sendTo(tool.chkTop, BM_GETCHECK, 0, 0), BST_UNCHECKED, "check box state");
}

E2E_TEST(window_control_places) {
    const ToolWindows& tool = t.session().restartTool();
    // Twips of the design divided by 15; the tree is 5840 twips wide at the minimum size.
    const Placement placements[] = {
        {"trv", &ToolWindows::trv, {6, 4, 389, 246}},
        {"txtInf", &ToolWindows::txtInf, {6, 256, 456, 96}},
        {"r1", &ToolWindows::r1, {402, 6, 61, 63}},
        {"LabelT", &ToolWindows::labelT, {397, 211, 71, 21}},
        {"chkTop", &ToolWindows::chkTop, {402, 185, 61, 17}},
    };
    for (const auto& p : placements) {
        RECT actual = rectInParent(tool.*p.control);
        RECT expected = {p.expected.left, p.expected.top, p.expected.left + p.expected.right,
                         p.expected.top + p.expected.bottom};
        t.check(EqualRect(&actual, &expected),
                cat(p.name, ": expected ", rectText(expected), ", got ", rectText(actual), " (",
                    outerTwips(tool.main), ")"));
    }
    const int buttonLeft[3] = {399, 421, 442};
    const int buttonWidth[3] = {21, 20, 20};
    for (int i = 0; i < 3; ++i) {
        RECT actual = rectInParent(tool.command1[i]);
        RECT expected = {buttonLeft[i], 231, buttonLeft[i] + buttonWidth[i], 231 + 18};
        t.check(EqualRect(&actual, &expected),
                cat("Command1(", i, "): expected ", rectText(expected), ", got ", rectText(actual),
                    " (", outerTwips(tool.main), ")"));
    }
}

E2E_TEST(window_tab_order) {
    const ToolWindows& tool = t.session().restartTool();
    t.require(bringToFront(tool.main), "the tool did not come to the front");
    t.require(waitUntil([&] { return focusOf(tool.main) == tool.trv; }, 3000),
              cat("focus at the start is on ", className(focusOf(tool.main)), ", not the tree"));

    const std::pair<const char*, HWND> order[] = {
        {"txtInf", tool.txtInf},           {"Command1(0)", tool.command1[0]},
        {"Command1(1)", tool.command1[1]}, {"Command1(2)", tool.command1[2]},
        {"chkTop", tool.chkTop},           {"trv", tool.trv}};
    for (const auto& [name, control] : order) {
        HWND before = focusOf(tool.main);
        pressKey(VK_TAB);
        waitUntil([&] { return focusOf(tool.main) != before; }, 3000);
        HWND now = focusOf(tool.main);
        t.require(now == control, cat("Tab should reach ", name, ", reached ", className(now), " ",
                                      quote(windowText(now))));
    }
}

namespace {

// Each control of the main window and its tip.
std::vector<std::pair<HWND, const wchar_t*>> expectedTips(const ToolWindows& tool) {
    return {
        {tool.trv, L"Element klicken für weitere Informationen im Textfeld unten"},
        {tool.txtInf, L"Infos zum markierten (angeklickten) Fenster"},
        {tool.r1, L"Maustaste drücken und Zeiger auf ein Anwendungsfenster ziehen"},
        {tool.labelT, L"Transparenz für das Tool einstellen (nur W2k/XP)"},
        {tool.command1[0], L"Keine Transparenz"},
        {tool.command1[1], L"Mäßige Transparenz"},
        {tool.command1[2], L"Starke Transparenz"},
        {tool.chkTop, L"Wenn angekreuzt bleibt Fenster im Vordergrund"},
    };
}

// Every control's tip, in a tooltip that the main window owns and that watches each control's
// mouse messages itself (TTF_SUBCLASS); with the Wine code on, a tooltip without an owner, to
// which the tool passes the tree's mouse messages.
void checkTips(TestContext& t, const ToolWindows& tool, bool wineCode) {
    std::vector<ToolTip> tips = toolTipsOf(t.session().toolProcessId());
    t.require(!tips.empty(), "the tool has no tooltip control with tools");
    for (const auto& [control, text] : expectedTips(tool)) {
        const ToolTip* tip = toolTipFor(tips, control);
        if (!t.check(tip != nullptr, cat("no tool tip for ", className(control), " ",
                                         quote(windowText(control))))) {
            continue;
        }
        t.checkText(tip->text, text, cat("tool tip of ", className(control)));
        const bool relayed = wineCode && control == tool.trv;
        t.checkEqual((tip->flags & TTF_SUBCLASS) != 0, !relayed,
                     cat("TTF_SUBCLASS for ", className(control)));
    }
    const HWND owner = GetWindow(tips.front().tooltip, GW_OWNER);
    t.checkEqual(owner == tool.main, !wineCode, "the tooltip owned by the main window");
}

// The tips show where the pointer rests: over the tree, the text box and a button.
void checkTipsShow(TestContext& t, const ToolWindows& tool) {
    t.require(bringToFront(tool.main), "the tool did not come to the front");
    const DWORD process = t.session().toolProcessId();
    const auto tips = expectedTips(tool);
    for (std::size_t i : {0, 1, 4, 0}) {
        // Not a structured binding: the lambda below uses it, which clang 14 cannot compile.
        const HWND control = tips[i].first;
        const wchar_t* const text = tips[i].second;
        const POINT centre = centreOf(windowRect(control));
        moveSteadily(centre, [&] { t.session().settleTool(); });
        std::optional<ToolTip> shown;
        const bool came = waitUntil(
            [&] {
                shown = shownToolTip(process);
                return shown && shown->control == control;
            },
            8000);
        if (t.check(came, cat("no tip shows over ", className(control)))) {
            t.checkText(shown->text, text, cat("tip shown over ", className(control)));
        }
    }
}

}  // namespace

E2E_TEST(window_tooltips) {
    withWineCodeOffThenOn(
        t, [&](const ToolWindows& tool, bool wineCode) { checkTips(t, tool, wineCode); });
}

E2E_TEST(window_tooltips_show) {
    withWineCodeOffThenOn(t, [&](const ToolWindows& tool, bool) { checkTipsShow(t, tool); });
}

namespace {

// The version resource that the tool and its console companion carry, each naming its own file.
void checkVersionResource(TestContext& t, const std::wstring& program, const wchar_t* fileName) {
    auto info = VersionInfo::of(program);
    t.require(info.has_value(), cat("no version resource in ", program));
    const std::wstring block = L"040904B0";
    auto blocks = info->translations();
    t.check(blocks.size() == 1 && blocks[0] == block,
            cat("translation table should name only ", block));
    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"CompanyName", L"Tarnwick"},
        {L"FileDescription", L"Tool zum Anzeigen von Fenstern und Unterfenstern"},
        {L"ProductName", L"Tarnwick Windows Quellon"},
        {L"FileVersion", L"" QUELLON_VERSION_RESOURCE_TEXT},
        {L"ProductVersion", L"" QUELLON_VERSION_RESOURCE_TEXT},
        {L"InternalName", L"Tarnwick WQuellon"},
        {L"OriginalFilename", fileName},
    };
    for (const auto& [key, value] : strings) {
        auto actual = info->string(block, key);
        if (t.check(actual.has_value(), cat(key, " is missing")))
            t.checkText(*actual, value, utf8(key));
    }
    const VS_FIXEDFILEINFO* fixed = info->fixed();
    t.require(fixed != nullptr, "no fixed version part");
    constexpr DWORD versionHigh = MAKELONG(QUELLON_VERSION_MINOR, QUELLON_VERSION_MAJOR);
    constexpr DWORD versionLow = MAKELONG(QUELLON_VERSION_TWEAK, QUELLON_VERSION_PATCH);
    t.check(fixed->dwFileVersionMS == versionHigh && fixed->dwFileVersionLS == versionLow,
            "file version should be " QUELLON_VERSION_TEXT);
    t.check(fixed->dwProductVersionMS == versionHigh && fixed->dwProductVersionLS == versionLow,
            "product version should be " QUELLON_VERSION_TEXT);
    t.checkEqual(fixed->dwFileType, static_cast<DWORD>(VFT_APP), "file type");
    t.checkEqual(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32), "operating system");
    t.checkEqual(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0ul, "flags");
}

}  // namespace

E2E_TEST(version_resource) {
    checkVersionResource(t, t.session().paths().tool, L"Tarnwick WQuellon.exe");
    checkVersionResource(t, companionPath(t.session()), L"Tarnwick WQuellon.com");
}

// After the system's colours or its contrast setting change, the tool paints its surfaces
// again: outside high-contrast mode in the colours of its design. (Under Wine another program
// cannot change the colours a running program draws with, nor turn high contrast on.)
E2E_TEST(window_colours_stay_after_a_system_colour_change) {
    const ToolWindows& tool = t.session().tool();
    t.require(bringToFront(tool.main), "the tool did not come to the front");
    const POINT window = bareToolPoint(tool);
    const RECT probe = windowRect(tool.r1);
    const POINT probeInside = {probe.left + 4, probe.bottom - 4};
    const auto expect = [&](const char* when) {
        t.session().settleTool();
        t.checkEqual(screenPixel(window), COLORREF{0x00AFCFC4}, cat("the window ", when));
        t.checkEqual(screenPixel(probeInside), COLORREF{0x00CADEF0}, cat("the probe ", when));
    };
    expect("before");
    sendTo(tool.main, WM_SYSCOLORCHANGE, 0, 0);
    expect("after WM_SYSCOLORCHANGE");
    sendTo(tool.main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    expect("after a change of the contrast setting");
}
