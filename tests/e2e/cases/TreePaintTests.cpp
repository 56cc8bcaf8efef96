// What the tree shows on the screen while it grows a scroll bar and loses it again: its entries,
// its background, and the bar painted exactly while it is there; under Wine both with the tool's
// Wine-only paint and without it.
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/Probe.h"
#include "../driver/RemoteTree.h"
#include "../driver/Session.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "TreeExpectations.h"

using namespace e2e;
using namespace fixture;

namespace {

constexpr int kAddedWindows = 30;  // more entries than the tree has room for

RECT clientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// The pixels of a column from the client area's top to its bottom.
std::vector<COLORREF> column(int x, const RECT& client) {
    std::vector<COLORREF> pixels;
    for (int y = client.top; y < client.bottom; y += 2) pixels.push_back(screenPixel({x, y}));
    return pixels;
}

std::size_t colours(const std::vector<COLORREF>& pixels) {
    return std::set<COLORREF>(pixels.begin(), pixels.end()).size();
}

std::set<COLORREF> coloursAlongRow(int y, const RECT& client) {
    std::set<COLORREF> colours;
    for (int x = client.left; x < client.right; ++x) colours.insert(screenPixel({x, y}));
    return colours;
}

bool hasVerticalBar(HWND tree) { return (GetWindowLongW(tree, GWL_STYLE) & WS_VSCROLL) != 0; }

void pressF5In(TestContext& t, const ToolWindows& tool) {
    t.require(bringToFront(tool.main), "the tool did not come to the front");
    pressKey(VK_F5);
}

void checkPaint(TestContext& t, const ToolWindows& tool) {
    const FixtureWindows& f = t.session().fixture();
    t.require(probeAndCheck(t, clientToScreen(f.main, kBareMainPoint), fixtureMainEntry()),
              "no tree to start from");
    t.require(!hasVerticalBar(tool.trv), "the fixture's tree needs a scroll bar already");
    const RemoteTree tree(tool.trv);
    const int before = tree.count();
    const RECT narrow = clientOnScreen(tool.trv);
    // A column of the client area that a vertical scroll bar covers.
    const int barColumn = narrow.right - 4;
    const std::vector<COLORREF> withoutBar = column(barColumn, narrow);

    std::vector<HWND> added;
    const UINT addChild = RegisterWindowMessageW(kAddChildMessage);
    for (int i = 0; i < kAddedWindows; ++i) {
        added.push_back(reinterpret_cast<HWND>(SendMessageW(f.main, addChild, 0, 0)));
    }
    pressF5In(t, tool);
    t.require(waitUntil([&] { return tree.count() == before + kAddedWindows; }),
              cat("the tree holds ", tree.count(), " entries after F5"));
    t.check(hasVerticalBar(tool.trv), "no scroll bar for more entries than fit");
    const RECT wide = clientOnScreen(tool.trv);
    t.require(barColumn >= wide.right, "the scroll bar is narrower than 4 pixels");
    // The bar's arrows, thumb and track: a bar never painted shows what the tree showed there.
    const auto barPainted = [&] {
        const auto pixels = column(barColumn, narrow);
        return pixels != withoutBar && colours(pixels) >= 3;
    };
    t.check(waitUntil(barPainted),
            cat("the scroll bar shows ", colours(column(barColumn, narrow)), " colours"));

    const COLORREF background = GetSysColor(COLOR_WINDOW);
    t.check(screenPixel({wide.right - 3, wide.top + 2}) == background,
            "the tree's background is not the window colour");
    // The second entry, the fixture's: lines, button, picture and text.
    const int itemHeight = static_cast<int>(SendMessageW(tool.trv, TVM_GETITEMHEIGHT, 0, 0));
    const int secondRow = wide.top + itemHeight + itemHeight / 2;
    t.check(coloursAlongRow(secondRow, wide).size() >= 4,
            cat("the fixture's entry shows ", coloursAlongRow(secondRow, wide).size(), " colours"));

    for (HWND window : added) SendMessageW(window, WM_CLOSE, 0, 0);
    pressF5In(t, tool);
    t.require(waitUntil([&] { return tree.count() == before; }),
              cat("the tree holds ", tree.count(), " entries after the second F5"));
    t.check(!hasVerticalBar(tool.trv), "the scroll bar stayed");
    // Where the bar was, the tree as it was before.
    t.check(waitUntil([&] { return column(barColumn, narrow) == withoutBar; }),
            "the scroll bar's place was not painted over");
    checkNoReport(t);
}

}  // namespace

E2E_TEST(tree_paints_entries_and_a_scroll_bar_only_while_it_has_one) {
    withWineCodeOffThenOn(t, [&](const ToolWindows& tool, bool) { checkPaint(t, tool); });
}
