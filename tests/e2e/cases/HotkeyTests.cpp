// The hotkey Ctrl+Shift+F11, which picks the window under the pointer without a drag, so that
// menus and drop-down lists that close on a click stay open to be probed; copying out of the
// tree (Ctrl+C, and Ctrl+Shift+C for the whole tree as text) and the details (Ctrl+A, then
// Ctrl+C); and a handle pasted into the tree (Ctrl+V), which picks its window.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../driver/Clipboard.h"
#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/MessageBoxes.h"
#include "../driver/Probe.h"
#include "../driver/Processes.h"
#include "../driver/Screenshot.h"
#include "../driver/Session.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "SteadyInput.h"
#include "TreeExpectations.h"
#include "shared_names.h"

using namespace e2e;
using namespace fixture;

namespace {

// Right of the centred tool, so that its menu and list open beside it.
constexpr POINT kPopupsOrigin = {890, 300};

void pressHotkey() { pressChord({VK_CONTROL, VK_SHIFT, VK_F11}); }

SideFixture startPopups(TestContext& t) {
    return startSideFixture(t,
                            {L"--popups", L"--x", std::to_wstring(kPopupsOrigin.x), L"--y",
                             std::to_wstring(kPopupsOrigin.y)},
                            kPopupsClass);
}

// The visible window of the class among all windows of the process whose rectangle holds the
// point: found by enumeration, not by WindowFromPoint as the tool asks.
HWND visibleWindowAt(DWORD process, const std::wstring& cls, POINT point) {
    for (HWND top : topLevelWindows(process)) {
        std::vector<HWND> windows = allDescendants(top);
        windows.insert(windows.begin(), top);
        for (HWND w : windows) {
            const RECT r = windowRect(w);
            if (IsWindowVisible(w) && className(w) == cls && PtInRect(&r, point)) return w;
        }
    }
    return nullptr;
}

// Has the point opened by the fixture (the pointer first, then the message) and waits for the
// window of the class to show under it.
HWND openAround(TestContext& t, const SideFixture& side, POINT point, const wchar_t* message,
                const std::wstring& cls) {
    moveSteadily(point);
    PostMessageW(side.top, RegisterWindowMessageW(message), 0, 0);
    HWND opened = nullptr;
    t.require(waitUntil([&] { return (opened = visibleWindowAt(side.process.id(), cls, point)); }),
              cat("no window of the class ", quote(cls), " opened under the pointer"));
    return opened;
}

bool outlineShown(Session& session) {
    for (HWND w : topLevelWindows(session.toolProcessId())) {
        if (className(w) == QUELLON_OUTLINE_CLASS) return true;
    }
    return false;
}

// Presses the hotkey, or gives another gesture that picks, and checks that the tree comes to
// show the window with its chain and descendants, and that the outline shows and goes again after
// about a second.
void pickAndCheck(TestContext& t, HWND expected, void (*gesture)() = pressHotkey) {
    t.session().tool();  // a hotkey before the start would reach nobody
    const std::wstring entry = chainOf(expected).back();
    const ULONGLONG pressed = GetTickCount64();
    gesture();
    bool outlined = false;
    const bool picked = waitUntil([&] {
        outlined = outlined || outlineShown(t.session());
        return selectedText(t.session()) == entry;
    });
    t.require(picked, cat("the pick did not show ", quote(entry),
                          "; the tree:", describe(readTree(t.session()))));
    checkTreeShows(t, readTree(t.session()), expected);
    const bool gone = waitUntil([&] {
        outlined = outlined || outlineShown(t.session());
        return outlined && !outlineShown(t.session());
    });
    t.check(gone, outlined ? "the outline did not go" : "no outline showed");
    if (gone)
        std::printf("       outline gone %llu ms after the pick\n", GetTickCount64() - pressed);
}

// The tool neither took the foreground nor left the popped-up window.
void checkStillOpen(TestContext& t, HWND popup, HWND foreground) {
    t.session().settleTool();
    t.check(IsWindowVisible(popup), cat(quote(className(popup)), " closed"));
    t.check(GetForegroundWindow() == foreground,
            cat("the foreground went to ", quote(className(GetForegroundWindow()))));
    checkNoReport(t);
}

// Waits until the clipboard holds exactly this text.
void checkClipboard(TestContext& t, const std::wstring& expected, const char* what) {
    std::optional<std::wstring> text;
    waitUntil([&] { return (text = clipboardText()) == expected; });
    t.checkText(text.value_or(L"<no text>"), expected, what);
}

// Brings the tool to the front, waits until the control has the focus and empties the
// clipboard.
void readyToCopy(TestContext& t, HWND control) {
    const ToolWindows& tool = t.session().tool();
    t.require(bringToFront(tool.main), "the tool did not come to the front");
    t.require(waitUntil([&] { return focusOf(tool.main) == control; }),
              cat(quote(className(control)), " does not have the focus"));
    t.require(emptyClipboard(), "the clipboard could not be emptied");
}

// With the tool started already: a start afterwards would take the foreground.
void checkPickOfAnOpenContextMenu(TestContext& t, const ToolWindows& tool) {
    // The tool's activation after its start is over before the menu opens, which another
    // program's activation would close.
    t.require(bringToFront(tool.main), "the tool did not come to the front");
    t.session().settleTool();
    const SideFixture side = startPopups(t);
    const POINT point = clientToScreen(side.top, {kPopupsClient.cx / 2, kPopupsClient.cy - 90});
    const HWND menu = openAround(t, side, point, kOpenMenuMessage, L"#32768");
    const HWND foreground = GetForegroundWindow();

    pickAndCheck(t, menu);
    checkStillOpen(t, menu, foreground);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(side.top, nullptr), &thread);
    t.check((thread.flags & GUI_INMENUMODE) != 0, "the fixture left its menu");
}

}  // namespace

// Both ways: the outline's window, which must not close the menu, stands elsewhere under Wine.
E2E_TEST(hotkey_picks_an_open_context_menu_which_stays_open) {
    withWineCodeOffThenOn(
        t, [&](const ToolWindows& tool, bool) { checkPickOfAnOpenContextMenu(t, tool); });
}

E2E_TEST(hotkey_picks_an_open_drop_down_list_which_stays_open) {
    t.session().tool();
    const SideFixture side = startPopups(t);
    const HWND combo = GetDlgItem(side.top, kIdCombo);
    const RECT closed = windowRect(combo);
    const POINT point = {closed.left + 40, closed.bottom + 30};
    const HWND list = openAround(t, side, point, kDropDownMessage, L"ComboLBox");
    const HWND foreground = GetForegroundWindow();
    t.check(WindowFromPoint(point) == list,
            cat("WindowFromPoint answers ", quote(className(WindowFromPoint(point)))));

    pickAndCheck(t, list);
    checkStillOpen(t, list, foreground);
    t.check(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0, "the combo box closed its list");
}

E2E_TEST(hotkey_rebuilds_for_the_window_shown_last) {
    const FixtureWindows& f = t.session().fixture();
    moveSteadily(clientToScreen(f.main, kBareMainPoint));
    pickAndCheck(t, f.main);
    const auto added = reinterpret_cast<HWND>(
        SendMessageW(f.main, RegisterWindowMessageW(kAddChildMessage), 0, 0));
    t.require(added != nullptr, "the fixture created no window");

    // expectedSubtree now holds the new window.
    pickAndCheck(t, f.main);
    checkNoReport(t);
    // The other cases expect the fixture as it was.
    SendMessageW(added, WM_CLOSE, 0, 0);
}

E2E_TEST(hotkey_over_the_tools_own_main_window_changes_nothing) {
    const FixtureWindows& f = t.session().fixture();
    const ToolWindows& tool = t.session().tool();
    moveSteadily(clientToScreen(f.main, kBareMainPoint));
    pickAndCheck(t, f.main);
    const auto before = readTree(t.session());
    const POINT gap = bareToolPoint(tool);
    t.require(WindowFromPoint(gap) == tool.main, "the gap is not on the tool's main window");

    moveSteadily(gap);
    pressHotkey();
    t.session().settleTool();
    const auto after = readTree(t.session());
    t.check(after == before, cat("the tree changed to:", describe(after)));
    t.check(!outlineShown(t.session()), "an outline shows");
    checkNoReport(t);
}

E2E_TEST(hotkey_second_instance_starts_without_it_and_without_a_box) {
    const FixtureWindows& f = t.session().fixture();
    t.session().tool();
    ChildProcess second(t.session().paths().tool, {});
    const HWND secondMain = waitForTopLevel(
        second.id(), [](HWND w) { return className(w) == QUELLON_MAIN_CLASS; }, 20000);
    t.require(secondMain != nullptr, "the second instance showed no main window");
    t.require(WaitForInputIdle(second.handle(), 10000) == 0, "the second instance is not idle");
    for (const auto& box : messageBoxesOf(second.id())) {
        t.check(false,
                cat("the second instance shows ", quote(box.caption), ": ", quote(box.text)));
    }

    // The combination stays with the first instance.
    moveSteadily(clientToScreen(f.main, kBareMainPoint));
    pickAndCheck(t, f.main);
    const HWND secondTree = childWith(secondMain, L"SysTreeView32", L"");
    t.require(secondTree != nullptr, "the second instance has no tree");
    t.check(RemoteTree(secondTree).count() == 0, "the second instance picked too");
}

E2E_TEST(copy_ctrl_c_in_the_tree_copies_the_selected_entry_as_shown) {
    const FixtureWindows& f = t.session().fixture();
    // Earlier cases may have left the focus on another control.
    const ToolWindows& tool = t.session().restartTool();
    // Quotes, a line break, and characters outside the Western code page.
    for (int id : {kIdQuoted, kIdForeign}) {
        moveSteadily(centreOf(windowRect(f.byId(id))));
        pickAndCheck(t, f.byId(id));
        const std::wstring entry = selectedText(t.session());
        // The tree has the focus since the start, and gets it back with the foreground.
        readyToCopy(t, tool.trv);
        pressChord({VK_CONTROL, 'C'});
        checkClipboard(t, entry, "the copied entry");
        t.checkText(selectedText(t.session()), entry, "the selection after copying");
    }

    pressKey(VK_HOME);
    t.require(waitUntil([&] { return selectedText(t.session()) == L"DesktopWindow"; }),
              "Home did not select the desktop entry");
    t.require(emptyClipboard(), "the clipboard could not be emptied");
    pressChord({VK_CONTROL, 'C'});
    checkClipboard(t, L"DesktopWindow", "the copied desktop entry");
    checkNoReport(t);
}

E2E_TEST(copy_ctrl_shift_c_in_the_tree_copies_the_whole_tree_as_text) {
    const FixtureWindows& f = t.session().fixture();
    const ToolWindows& tool = t.session().tool();
    // Hidden windows, quotes and a line break, characters outside the Western code page.
    moveSteadily(clientToScreen(f.main, kBareMainPoint));
    pickAndCheck(t, f.main);
    readyToCopy(t, tool.trv);
    pressChord({VK_CONTROL, VK_SHIFT, 'C'});
    checkClipboard(t, expectedTreeText(f.main), "the copied tree");
    checkNoReport(t);
}

E2E_TEST(paste_ctrl_v_in_the_tree_picks_the_window_of_a_handle_and_nothing_else) {
    const FixtureWindows& f = t.session().fixture();
    const ToolWindows& tool = t.session().tool();
    const HWND gone = vanishedWindow(t);
    readyToCopy(t, tool.trv);
    // As a handle is often copied: with blanks and a line break.
    t.require(setClipboardText(L" 0x" + hexDigits(f.dialog) + L"\r\n"), "no text set to paste");
    pickAndCheck(t, f.dialog, [] { pressChord({VK_CONTROL, 'V'}); });

    const std::vector<TreeItem> before = readTree(t.session());
    for (const std::wstring& text :
         {std::wstring(fixture::kDialogTitle), L"&H" + hexDigits(gone)}) {
        t.require(setClipboardText(text), "no text set to paste");
        pressChord({VK_CONTROL, 'V'});
        t.session().settleTool();
        t.check(
            readTree(t.session()) == before,
            cat("pasting ", quote(text), " changed the tree to:", describe(readTree(t.session()))));
        t.check(!outlineShown(t.session()), cat("pasting ", quote(text), " outlined a window"));
    }
    checkNoReport(t);
    // Emptying sends the owner of the clipboard a message: the driver's window owns it now.
    t.check(emptyClipboard(), "the clipboard could not be emptied");
}

E2E_TEST(copy_ctrl_a_in_the_details_selects_all_of_them) {
    const ToolWindows& tool = t.session().tool();
    const std::wstring details = L"Fensterhandle: 1\r\nFensterklasse: Zweite Zeile";
    SendMessageW(tool.txtInf, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(details.c_str()));
    t.require(bringToFront(tool.main), "the tool did not come to the front");
    steadyClick(tool.txtInf);
    readyToCopy(t, tool.txtInf);

    pressChord({VK_CONTROL, 'A'});
    const DWORD all = MAKELONG(0, static_cast<WORD>(details.size()));
    t.check(waitUntil([&] {
                return static_cast<DWORD>(SendMessageW(tool.txtInf, EM_GETSEL, 0, 0)) == all;
            }),
            "the whole text is not selected");
    t.checkText(windowText(tool.txtInf), details, "the details after Ctrl+A");
    pressChord({VK_CONTROL, 'C'});
    checkClipboard(t, details, "the copied details");
}

// The README's picture of a pick with the hotkey: the fixture's context menu open beside the
// tool, and the tool's tree showing it.
E2E_ON_REQUEST_TEST(readme_hotkey_screenshot) {
    const ToolWindows& tool = t.session().tool();
    const SideFixture side = startPopups(t);
    const POINT point = clientToScreen(side.top, {kPopupsClient.cx / 2, kPopupsClient.cy - 90});
    const HWND menu = openAround(t, side, point, kOpenMenuMessage, L"#32768");
    pickAndCheck(t, menu);

    RECT area{};
    const RECT toolRect = windowRect(tool.main);
    const RECT popupsRect = windowRect(side.top);
    const RECT menuRect = windowRect(menu);
    UnionRect(&area, &toolRect, &popupsRect);
    UnionRect(&area, &area, &menuRect);
    InflateRect(&area, 8, 8);
    const std::wstring picture = saveScreenshot(area, L"readme_hotkey_screenshot");
    t.require(!picture.empty(), "no picture written (is QUELLON_E2E_SCREENSHOTS set?)");
    std::printf("       screenshot: %s\n", utf8(picture).c_str());
}
