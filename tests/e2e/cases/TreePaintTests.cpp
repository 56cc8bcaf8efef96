// What the tree shows on the screen while it grows a scroll bar and loses it again, and after the
// window grew: its entries, its background, and the bar painted exactly while it is there; under
// Wine both with the tool's Wine-only paint and without it, as on Windows, where the control
// double-buffers its own paint.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/Probe.h"
#include "../driver/RemoteMemory.h"
#include "../driver/RemoteTree.h"
#include "../driver/Session.h"
#include "../driver/TreeHook.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "DetailsExpectations.h"
#include "TreeExpectations.h"

using namespace e2e;
using namespace fixture;

namespace {

constexpr int kAddedWindows = 30;  // more entries than the tree has room for
constexpr int kGrowth = 60;        // pixels that the window grows each way

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

// Grows the window by `more` pixels each way, and back to its size at the end.
struct GrownWindow {
    GrownWindow(HWND window, int more) : window_(window), before_(sizeOf(windowRect(window))) {
        resize({before_.cx + more, before_.cy + more});
    }
    ~GrownWindow() { resize(before_); }
    GrownWindow(const GrownWindow&) = delete;
    GrownWindow& operator=(const GrownWindow&) = delete;

private:
    void resize(SIZE size) const {
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HWND window_;
    SIZE before_;
};

// Grown, the tree shows its background where no entry is, in the part it gained too (a buffer
// that was not erased after the resize would show black or old pixels there).
void checkBackgroundAfterGrowing(TestContext& t, const ToolWindows& tool) {
    const RECT before = clientOnScreen(tool.trv);
    const GrownWindow grown(tool.main, kGrowth);
    t.require(waitUntil([&] { return clientOnScreen(tool.trv).bottom > before.bottom; }),
              "the tree did not grow with the window");
    const RECT wide = clientOnScreen(tool.trv);
    const int itemHeight = static_cast<int>(sendTo(tool.trv, TVM_GETITEMHEIGHT, 0, 0));
    // Below the last entry, in the height gained among it.
    const int below = wide.top + RemoteTree(tool.trv).count() * itemHeight;
    const int top = std::max(below, static_cast<int>(wide.bottom) - kGrowth);
    t.require(top + itemHeight < wide.bottom, "no room below the entries");
    const std::set<COLORREF> background = {GetSysColor(COLOR_WINDOW)};
    const auto showsBackground = [&] {
        for (int y = top + 1; y < wide.bottom; y += 4) {
            if (coloursAlongRow(y, wide) != background) return false;
        }
        return true;
    };
    t.check(waitUntil(showsBackground), "the grown tree does not show its background");
}

// Whether the tool gave its tree TVS_EX_DOUBLEBUFFER: as the control answers; under Wine, whose
// control keeps no extended styles (TVM_GETEXTENDEDSTYLE answers 0), as the hook saw the tool
// tell it from the tool's start.
bool doubleBuffered(HWND tree, const TreeHook& hook) {
    if (!underWine()) {
        return (static_cast<DWORD>(sendTo(tree, TVM_GETEXTENDEDSTYLE, 0, 0)) &
                TVS_EX_DOUBLEBUFFER) != 0;
    }
    return (hook.toldExtendedStyle(tree).value_or(0) & TVS_EX_DOUBLEBUFFER) != 0;
}

// With the Wine code off, as on Windows, the tree is painted as Microsoft documents it: by the
// control's own double buffer, with no WM_PRINTCLIENT and no window procedure of the tool's own
// on the control (a subclass there is SetWindowSubclass's, in the common controls). With it on,
// each is the other way, which shows that the checks see what they look for.
void checkPaintingWay(TestContext& t, const ToolWindows& tool, const TreeHook& hook,
                      bool wineCode) {
    t.checkEqual(doubleBuffered(tool.trv, hook), !wineCode, "TVS_EX_DOUBLEBUFFER set");
    const int printClients = hook.printClients(tool.trv);
    t.checkEqual(printClients > 0, wineCode,
                 cat("WM_PRINTCLIENT sent to the tree (", printClients, " times)"));
    const std::optional<bool> ownProcedure = hook.procedureInTool(tool.trv);
    if (t.check(ownProcedure.has_value(), "the hook did not see the tree's window procedure")) {
        t.checkEqual(*ownProcedure, wineCode, "a window procedure of the tool's own on the tree");
    }
}

// `hook`: in the tool's thread from its start where that can be, else from now on.
void checkPaint(TestContext& t, const ToolWindows& tool, std::optional<TreeHook>& hook,
                bool wineCode) {
    if (!hook || !hook->installed()) hook.emplace(GetWindowThreadProcessId(tool.trv, nullptr));
    t.require(hook->installed(), "the driver's hook is not in the tool's thread");
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
    added.reserve(kAddedWindows);
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
    checkBackgroundAfterGrowing(t, tool);
    checkPaintingWay(t, tool, *hook, wineCode);
    checkNoReport(t);
}

}  // namespace

E2E_TEST(tree_paints_entries_and_a_scroll_bar_only_while_it_has_one) {
    std::optional<TreeHook> hook;
    withWineCodeOffThenOn(
        t, [&](const ToolWindows& tool, bool wineCode) { checkPaint(t, tool, hook, wineCode); },
        [&](DWORD thread) { hook.emplace(thread); });
}
