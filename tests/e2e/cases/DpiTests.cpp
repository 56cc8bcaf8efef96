// The tool on a screen of 144 DPI, where one pixel is 10 twips: sizes, places and fonts follow
// from twips, and the probe, the details and the flash work in real pixels.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/Probe.h"
#include "../driver/RemoteMemory.h"
#include "../driver/Screenshot.h"
#include "../driver/Session.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "LayoutExpectations.h"
#include "SteadyInput.h"
#include "TreeExpectations.h"

using namespace e2e;

namespace {

constexpr int kTwipsPerPixel = 10;

// Within a pixel of the twips divided by 10: the tool may round a half either way.
bool fits(int pixels, int twips) {
    return std::abs(pixels * kTwipsPerPixel - twips) < kTwipsPerPixel;
}

// Moves the tool into the lower right corner of the screen, clear of the fixture's windows.
void moveClearOfFixture(HWND main) {
    SIZE size = sizeOf(windowRect(main));
    SetWindowPos(main, nullptr, GetSystemMetrics(SM_CXSCREEN) - size.cx - 4,
                 GetSystemMetrics(SM_CYSCREEN) - size.cy - 4, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The distance between the first two lines of a multi-line edit control, in pixels.
int lineHeight(HWND edit) {
    auto secondLine = static_cast<WPARAM>(sendTo(edit, EM_LINEINDEX, 1, 0));
    auto first = static_cast<DWORD>(sendTo(edit, EM_POSFROMCHAR, 0, 0));
    auto second = static_cast<DWORD>(sendTo(edit, EM_POSFROMCHAR, secondLine, 0));
    return static_cast<short>(HIWORD(second)) - static_cast<short>(HIWORD(first));
}

std::wstring lastLine(const std::wstring& text) {
    size_t end = text.rfind(L"\r\n");
    return end == std::wstring::npos ? text : text.substr(end + 2);
}

}  // namespace

E2E_TEST_AT_DPI(dpi144_first_show, 144) {
    const ToolWindows& tool = t.session().restartTool();
    SIZE client = clientSize(tool.main);
    t.check(fits(client.cx, 7020) && fits(client.cy, 5325),
            cat("client area: expected 7020x5325 twips at 10 per pixel, got ", client.cx, "x",
                client.cy, " pixels"));
    // An entry holds a picture of 16 pixels at 96 DPI, 24 here, and text of 8.25 points, 17
    // pixels here; entries as high as at 96 DPI would cut both.
    auto itemHeight = static_cast<int>(sendTo(tool.trv, TVM_GETITEMHEIGHT, 0, 0));
    t.check(itemHeight >= 24, cat("tree entries are ", itemHeight, " pixels high"));
}

E2E_TEST_AT_DPI(dpi144_layout_follows_window_size, 144) { checkLayoutSequence(t, kTwipsPerPixel); }

E2E_TEST_AT_DPI(dpi144_layout_after_a_move_to_a_monitor_of_96_dpi_and_back, 144) {
    checkDpiChange(t, 96);
}

E2E_TEST_AT_DPI(dpi144_probe_and_details, 144) {
    const FixtureWindows& f = t.session().fixture();
    const ToolWindows& tool = t.session().tool();
    RECT original = windowRect(tool.main);
    moveClearOfFixture(tool.main);
    t.session().settleTool();

    std::wstring target = entryFor(fixture::kDeepButtonText, fixture::kButtonClass);
    t.require(probeAndCheck(t, centreOf(windowRect(f.byId(fixture::kIdDeepButton))), target),
              "no chain");
    auto roots = readTree(t.session());
    checkChain(t, roots,
               {fixtureMainEntry(), entryFor(fixture::kOuterText, fixture::kPanelClass),
                entryFor(fixture::kMiddleText, fixture::kPanelClass),
                entryFor(fixture::kInnerText, fixture::kPanelClass), target});
    t.require(!roots.empty() && !roots[0].children.empty(), "no entry for the fixture");

    // The details of the fixture's main window give its client size in real pixels, and in
    // twips 10 times as much.
    auto entry = RemoteTree(tool.trv).itemRect(roots[0].children[0].handle);
    t.require(entry.has_value(), "the fixture's entry is not shown");
    steadyClick(centreOf(*entry));
    SIZE size = clientSize(f.main);
    std::wstring expected =
        widen(cat("Größe:         ", size.cx, " x ", size.cy, " Pixel( ", size.cx * kTwipsPerPixel,
                  " x ", size.cy * kTwipsPerPixel, " Twips)"));
    std::wstring shown;
    waitUntil([&] { return lastLine(shown = windowText(tool.txtInf)) == expected; });
    t.checkText(lastLine(shown), expected, "last line of the details");
    // Courier New of 9 points is 18 pixels high at 144 DPI.
    int line = lineHeight(tool.txtInf);
    t.check(line >= 18, cat("lines of the text box are ", line, " pixels apart"));

    // Away from the tool, so that no tool tip covers it in the picture.
    moveSteadily({20, GetSystemMetrics(SM_CYSCREEN) - 20});
    t.session().settleTool();
    std::wstring picture = saveScreenshot(windowRect(tool.main), L"dpi144_tool");
    if (!picture.empty()) std::printf("       screenshot: %s\n", utf8(picture).c_str());

    SIZE outer = sizeOf(original);
    SetWindowPos(tool.main, nullptr, original.left, original.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
