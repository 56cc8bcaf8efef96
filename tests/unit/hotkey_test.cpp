// The hotkey, which picks the window under the pointer as a move of a drag does, without a drag,
// and outlines it for a moment.
#include <gtest/gtest.h>

#include <string>

#include "platform/RuntimeError.h"
#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

using test::ReportTexts;

struct HotkeyTest : test::FrmMainFixture {
    const std::optional<OutlineShape>& shown = outline.frames.shown;

    void pick(Hwnd target) {
        desktop.pointed = target;
        frm.Form_HotKey();
    }

    void refresh(int times) {
        for (int i = 0; i < times; ++i) outline.outline.refresh();
    }
};

TEST_F(HotkeyTest, PicksTheWindowUnderThePointerAsAMoveWouldAndOutlinesIt) {
    const Hwnd frame = window(L"Frame");
    const Hwnd button = window(L"Button", frame);
    window(L"Inside", button);

    pick(button);

    EXPECT_EQ(tree(),
              L"DesktopWindow\n  (Frame) [1] +\n    *(Button) [1] +\n      (Inside) [1] +\n");
    EXPECT_EQ(frm.hwndLastTarget(), button);
    EXPECT_EQ(shown, outlineShape({0, 0, 100, 60}, kOutlineWidth96));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(HotkeyTest, RebuildsForTheWindowShownLastWhereAMoveWouldNot) {
    const Hwnd frame = window(L"Frame");
    moveOver(frame);
    window(L"Later", frame);
    trv.setSelected(desktopNode());

    moveOver(frame);
    EXPECT_EQ(tree(), L"*DesktopWindow\n  (Frame) [1] +\n");
    pick(frame);
    EXPECT_EQ(tree(), L"DesktopWindow\n  *(Frame) [1] +\n    (Later) [1] +\n");
    EXPECT_EQ(widget.bulkUpdates, 2);
}

TEST_F(HotkeyTest, OverTheToolsOwnMainWindowChangesNothingAndOutlinesNothing) {
    const Hwnd main = window(L"Main");
    const Hwnd other = window(L"Other");
    form.handle = main;
    pick(other);
    const std::wstring before = tree();

    pick(main);

    EXPECT_EQ(tree(), before);
    EXPECT_EQ(frm.hwndLastTarget(), other);
    EXPECT_EQ(shown, std::nullopt);
    EXPECT_EQ(widget.bulkUpdates, 1);
}

TEST_F(HotkeyTest, TheDesktopStandsAloneUnoutlined) {
    pick(test::SimDesktop::kDesktop);
    EXPECT_EQ(tree(), L"DesktopWindow\n  *(#32769) [1] +\n");
    EXPECT_EQ(shown, std::nullopt);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(HotkeyTest, AVanishedWindowGivesAnEmptyEntryAndNoOutline) {
    const Hwnd gone = window(L"Gone");
    desktop.destroy(gone);
    pick(gone);
    EXPECT_EQ(tree(), L"DesktopWindow\n  *() [1] +\n");
    EXPECT_EQ(shown, std::nullopt);

    // Gone, with its parent, right when its chain is asked for.
    const Hwnd frame = window(L"Frame");
    const Hwnd button = window(L"Button", frame);
    before("GetParent", button, 1, [&] { desktop.destroy(frame); });
    pick(button);
    EXPECT_EQ(tree(), L"DesktopWindow\n  *() [1] +\n");
    EXPECT_EQ(shown, std::nullopt);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(HotkeyTest, FailuresAreReportedUnderTheMoveHandlersName) {
    const Hwnd frame = window(L"Frame");
    window(L"Inside", frame);
    widget.beforeInsert = [](const std::wstring& text) {
        if (text == L"(Inside)") raise(ErrorNumber::OutOfMemory);
    };
    pick(frame);
    EXPECT_EQ(tree(), L"DesktopWindow\n  *(Frame) [1] +\n");

    desktop.missing = {"WindowFromPoint"};
    pick(frame);
    desktop.missing = {"GetCursorPos"};
    pick(frame);

    EXPECT_EQ(desktop.messages,
              (ReportTexts{report(550, ErrorNumber::OutOfMemory),
                           report(40, entryPointNotFound("WindowFromPoint", "user32")),
                           report(30, entryPointNotFound("GetCursorPos", "user32"))}));
}

// Another desktop takes the input (lock screen, elevation prompt).
TEST_F(HotkeyTest, APointerPositionThatCannotBeReadPicksNothing) {
    desktop.cursorReadable = false;
    pick(window(L"Frame"));

    EXPECT_EQ(widget.size(), 0u);
    EXPECT_EQ(desktop.calls["WindowFromPoint"], 0);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(HotkeyTest, TheOutlineGoesAfterItsRefreshesAndAnotherPickStartsThemAgain) {
    const Hwnd first = window(L"First");
    const Hwnd second = window(L"Second");
    pick(first);
    refresh(kPickRefreshes - 1);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(outline.outline.active());
    refresh(1);
    EXPECT_EQ(shown, std::nullopt);
    EXPECT_FALSE(outline.outline.active());

    // A move without a drag outlines nothing.
    moveOver(second);
    EXPECT_EQ(shown, std::nullopt);

    pick(first);
    refresh(kPickRefreshes - 1);
    pick(second);
    refresh(kPickRefreshes - 1);
    EXPECT_TRUE(shown);
}

TEST_F(HotkeyTest, APickDuringADragKeepsTheOutlineUntilTheDragEnds) {
    const Hwnd frame = window(L"Frame");
    outline.outline.beginDrag();
    pick(frame);
    refresh(3 * kPickRefreshes);
    EXPECT_TRUE(shown);

    outline.outline.endDrag();
    EXPECT_EQ(shown, std::nullopt);
    EXPECT_FALSE(outline.outline.active());
}

}  // namespace
}  // namespace quellon
