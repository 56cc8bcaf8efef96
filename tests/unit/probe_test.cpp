#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "platform/RuntimeError.h"
#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

using test::FrmMainFixture;
using test::ReportTexts;

struct ProbeTest : FrmMainFixture {
    // The entry the tree shows for a top-level window with this text and class.
    std::wstring entryOf(const std::wstring& text, const std::wstring& className) {
        test::WindowSpec spec;
        spec.text = text;
        spec.className = className;
        moveOver(desktop.create(spec));
        return selectedEntry();
    }
};

TEST_F(ProbeTest, AnyButtonShowsTheQuestionPointerUntilReleasedWithoutTouchingTheTree) {
    for (int button : {kLeftButton, kRightButton, kMiddleButton}) {
        frm.r1_MouseDown(button);
        EXPECT_EQ(form.pointer, MousePointer::ArrowQuestion);
        frm.r1_MouseUp(button, 0, {});
        EXPECT_EQ(form.pointer, MousePointer::Default);
    }
    EXPECT_EQ(widget.size(), 0u);
}

TEST_F(ProbeTest, ATopLevelWindowSitsSelectedDirectlyBelowTheDesktopEntry) {
    const Hwnd frame = window(L"Frame");
    int bulkDepthWhileAdding = 0;
    widget.beforeInsert = [&](const std::wstring&) { bulkDepthWhileAdding = widget.bulkDepth; };

    moveOver(frame);

    EXPECT_EQ(tree(), L"DesktopWindow\n  *(Frame) [1] +\n");
    EXPECT_EQ(frm.hwndLastTarget(), frame);
    EXPECT_EQ(trv.index(desktopNode()), 1);
    EXPECT_EQ(trv.key(desktopNode()), L"");
    EXPECT_EQ(trv.index(trv.find(nodeKey(frame))), 2);
    EXPECT_EQ(bulkDepthWhileAdding, 1);
    EXPECT_EQ(widget.bulkDepth, 0);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ProbeTest, TheChainRunsThroughOwnersAndTheirOwnersAndShowsHiddenWindowsAsVisible) {
    const Hwnd main = window(L"Main");
    const Hwnd app = ownedWindow(L"App", main);
    const Hwnd dialog = ownedWindow(L"Dialog", app);
    desktop.window(dialog).spec.visible = false;
    const Hwnd button = window(L"Button", dialog);

    moveOver(button);

    EXPECT_EQ(tree(),
              L"DesktopWindow\n"
              L"  (Main) [1] +\n"
              L"    (App) [1] +\n"
              L"      (Dialog) [1] +\n"
              L"        *(Button) [1] +\n");
    int index = 2;
    for (Hwnd outermostFirst : {main, app, dialog, button}) {
        EXPECT_EQ(trv.index(trv.find(nodeKey(outermostFirst))), index++);
    }
}

TEST_F(ProbeTest, AChainThatComesBackToAListedWindowStopsBeforeIt) {
    const Hwnd a = window(L"A");
    const Hwnd b = ownedWindow(L"B", a);
    desktop.window(a).spec.owner = b;
    const Hwnd button = window(L"Button", a);
    const Hwnd own = window(L"Own");
    desktop.window(own).spec.owner = own;

    moveOver(button);
    EXPECT_EQ(tree(), L"DesktopWindow\n  (B) [1] +\n    (A) [1] +\n      *(Button) [1] +\n");

    moveOver(own);
    EXPECT_EQ(tree(), L"DesktopWindow\n  *(Own) [1] +\n");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ProbeTest, EntriesQuoteTheTextAsItIsAndCutTextsAt254Characters) {
    EXPECT_EQ(entryOf(L"OK", L"Button"), L"\"OK\"  (Button)");
    EXPECT_EQ(entryOf(L"", L"Static"), L"(Static)");
    EXPECT_EQ(entryOf(L"say \"hi\"\r\nnow", L"Edit"), L"\"say \"hi\"\r\nnow\"  (Edit)");
    EXPECT_EQ(entryOf(L"\u4E2D\u6587 \u0416 \U0001F600 \u00DF", L"\u0C95Class"),
              L"\"\u4E2D\u6587 \u0416 \U0001F600 \u00DF\"  (\u0C95Class)");
    EXPECT_EQ(entryOf(std::wstring(300, L't'), std::wstring(300, L'c')),
              L"\"" + std::wstring(254, L't') + L"\"  (" + std::wstring(254, L'c') + L")");
    // A cut between the halves of a surrogate pair drops the first half; a pair before it stays.
    const std::wstring pair{wchar_t{0xD83D}, wchar_t{0xDE00}};
    EXPECT_EQ(entryOf(std::wstring(253, L't') + pair, std::wstring(252, L'c') + pair + L"c"),
              L"\"" + std::wstring(253, L't') + L"\"  (" + std::wstring(252, L'c') + pair + L")");
    // A lone half in a text that was not cut is the window's own: shown as it is.
    const std::wstring lone = L"Titel" + pair.substr(0, 1);
    EXPECT_EQ(entryOf(lone, L"Button" + pair.substr(0, 1)),
              L"\"" + lone + L"\"  (Button" + pair.substr(0, 1) + L")");

    const Hwnd vanished = window(L"Gone");
    desktop.destroy(vanished);
    moveOver(vanished);
    EXPECT_EQ(selectedEntry(), L"()");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ProbeTest, AFailingTextQueryReportsAndTheEntryKeepsWhatWasBuilt) {
    const Hwnd first = desktop.create({.text = L"OK", .className = L"Button"});
    const Hwnd second = desktop.create({.text = L"OK", .className = L"Button"});

    desktop.missing = {"GetClassNameW"};
    moveOver(first);
    EXPECT_EQ(selectedEntry(), L"\"OK\"  ");

    desktop.missing = {"GetWindowTextW"};
    moveOver(second);
    EXPECT_EQ(selectedEntry(), L"");

    EXPECT_EQ(
        desktop.messages,
        (ReportTexts{report(60, entryPointNotFound("GetClassNameW", "user32"), L"GetEntry"),
                     report(30, entryPointNotFound("GetWindowTextW", "user32"), L"GetEntry")}));
    EXPECT_EQ(frm.hwndLastTarget(), second);
}

TEST_F(ProbeTest, OnlyTheLeftButtonAloneProbes) {
    const Hwnd frame = window(L"Frame");
    for (int buttons : {0, kRightButton, kMiddleButton, kLeftButton | kRightButton,
                        kLeftButton | kMiddleButton}) {
        moveOver(frame, buttons);
    }
    EXPECT_EQ(widget.size(), 0u);
    EXPECT_EQ(frm.hwndLastTarget(), 0);
    EXPECT_EQ(desktop.calls["WindowFromPoint"], 0);
}

// Under Wine a quick drag's last move can be followed by a late one with an earlier position.
TEST_F(ProbeTest, ADragEndsOnTheWindowWhereTheLeftButtonWentUp) {
    const Hwnd main = window(L"Main");
    form.handle = main;
    const Hwnd passed = window(L"Passed");
    const Hwnd target = window(L"Target");
    const Point release{300, -20};

    frm.r1_MouseDown(kLeftButton);
    frm.r1_MouseUp(kLeftButton, 0, release);
    EXPECT_EQ(widget.size(), 0u) << "a click on the probe probes nothing";

    frm.r1_MouseDown(kLeftButton);
    moveOver(passed);
    desktop.pointed = target;
    frm.r1_MouseUp(kRightButton, kLeftButton, release);
    frm.r1_MouseUp(kLeftButton, kMiddleButton, release);
    EXPECT_EQ(frm.hwndLastTarget(), passed) << "another button was still held";
    frm.r1_MouseUp(kLeftButton, 0, release);
    EXPECT_EQ(frm.hwndLastTarget(), target);
    EXPECT_EQ(selectedEntry(), L"(Target)");
    EXPECT_EQ(desktop.askedAt.x, release.x);
    EXPECT_EQ(desktop.askedAt.y, release.y);
    EXPECT_EQ(form.pointer, MousePointer::Default);

    frm.r1_MouseDown(kLeftButton);
    moveOver(passed);
    desktop.pointed = main;
    frm.r1_MouseUp(kLeftButton, 0, release);
    EXPECT_EQ(frm.hwndLastTarget(), passed) << "the main window itself is never shown";
    EXPECT_TRUE(desktop.messages.empty());
}

// Under Wine the last move of a quick drag can carry an earlier position, and while the pointer
// rests no move follows.
TEST_F(ProbeTest, TheDragsTimerProbesTheRestingPointerOnceTheDragHasMoved) {
    const Hwnd main = window(L"Main");
    form.handle = main;
    const Hwnd passed = window(L"Passed");
    const Hwnd target = window(L"Target");
    desktop.cursor = {300, -20};
    desktop.pointed = target;
    const Rect targetRect{100, 100, 300, 200};
    outline.geometry.windowRects[target] = targetRect;

    outline.outline.beginDrag();
    frm.r1_MouseDown(kLeftButton);
    frm.r1_MouseResting(kLeftButton);
    EXPECT_EQ(widget.size(), 0u) << "a press without a move probes nothing";

    moveOver(passed);
    desktop.pointed = target;
    frm.r1_MouseResting(kLeftButton | kRightButton);
    EXPECT_EQ(frm.hwndLastTarget(), passed) << "another button is held too";
    frm.r1_MouseResting(kLeftButton);
    EXPECT_EQ(frm.hwndLastTarget(), target);
    EXPECT_EQ(selectedEntry(), L"(Target)");
    EXPECT_EQ(desktop.askedAt.x, 300);
    EXPECT_EQ(desktop.askedAt.y, -20);
    EXPECT_EQ(outline.frames.shown, outlineShape(targetRect, kOutlineWidth96));

    const int rebuilds = widget.bulkUpdates;
    frm.r1_MouseResting(kLeftButton);
    desktop.pointed = main;
    frm.r1_MouseResting(kLeftButton);
    desktop.cursorReadable = false;
    desktop.pointed = passed;
    frm.r1_MouseResting(kLeftButton);
    EXPECT_EQ(widget.bulkUpdates, rebuilds)
        << "neither the window shown, the main window nor an unreadable pointer rebuilds";
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ProbeTest, AMoveProbesWhereItHappened) {
    moveOver(window(L"Frame"), kLeftButton, {-1200, 40000});

    EXPECT_EQ(desktop.askedAt.x, -1200);
    EXPECT_EQ(desktop.askedAt.y, 40000);
    EXPECT_EQ(desktop.calls["GetCursorPos"], 0);
}

TEST_F(ProbeTest, MovesOverTheSameWindowLeaveTheTreeAndTheUsersSelectionAlone) {
    const Hwnd frame = window(L"Frame");
    moveOver(frame);
    trv.setSelected(desktopNode());
    const std::wstring shown = tree();

    moveOver(frame);
    moveOver(frame);

    EXPECT_EQ(tree(), shown);
    EXPECT_EQ(widget.bulkUpdates, 1);
}

TEST_F(ProbeTest, TheMainWindowItselfIsSkippedButItsControlsAreShown) {
    const Hwnd main = window(L"Main");
    const Hwnd probe = window(L"Probe", main);
    const Hwnd other = window(L"Other");
    form.handle = main;

    moveOver(other);
    moveOver(main);
    EXPECT_EQ(frm.hwndLastTarget(), other);
    moveOver(other);
    EXPECT_EQ(widget.bulkUpdates, 1);
    EXPECT_EQ(tree(), L"DesktopWindow\n  *(Other) [1] +\n");

    moveOver(probe);
    EXPECT_EQ(tree(), L"DesktopWindow\n  (Main) [1] +\n    *(Probe) [1] +\n");

    form.handle = other;  // the handle is asked anew at every move
    moveOver(other);
    EXPECT_EQ(frm.hwndLastTarget(), probe);
}

TEST_F(ProbeTest, AFailedAddKeepsTheChainSoFarAndRepaintsBeforeTheReport) {
    const Hwnd app = window(L"App");
    const Hwnd button = window(L"Button", app);
    widget.beforeInsert = [](const std::wstring& text) {
        if (text == L"(Button)") raise(ErrorNumber::OutOfMemory);
    };
    int bulkDepthAtReport = -1;
    desktop.beforeCall = [&](const std::string& function, Hwnd) {
        if (function == "MessageBoxW") bulkDepthAtReport = widget.bulkDepth;
    };

    moveOver(button);

    EXPECT_EQ(tree(), L"DesktopWindow\n  (App) [1] +\n");
    EXPECT_EQ(desktop.messages, ReportTexts{report(130, ErrorNumber::OutOfMemory)});
    EXPECT_EQ(bulkDepthAtReport, 0);
}

TEST_F(ProbeTest, ARebuildByAMoveDuringTheFlashOfAClickIsSafe) {
    const Hwnd first = window(L"First");
    const Hwnd second = window(L"Second");
    window(L"Inside", second);
    moveOver(first);
    bool moved = false;
    form.onDoEvents = [&] {
        if (std::exchange(moved, true)) return;
        moveOver(second);
    };

    frm.trvw_NodeClick(trv.find(nodeKey(first)));

    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(form.txtInf.starts_with(L"Fensterhandle: " + std::to_wstring(first)));
    EXPECT_EQ(tree(), L"DesktopWindow\n  *(Second) [1] +\n    (Inside) [1] +\n");
}

// A step before the target is stored fails: the report names that step, the previous target
// stays, and the next move over the same window tries again.
struct ChainFailure {
    const char* name;
    std::function<void(ProbeTest&)> arrange;
    ReportTexts reports;
};

void PrintTo(const ChainFailure& failure, std::ostream* out) { *out << failure.name; }

struct ChainFailureTest : ProbeTest, ::testing::WithParamInterface<ChainFailure> {};

TEST_P(ChainFailureTest, ReportsTheStepAndTriesAgainOnTheNextMove) {
    const Hwnd before = window(L"Before");
    const Hwnd target = window(L"Target", window(L"App"));
    moveOver(before);

    GetParam().arrange(*this);
    moveOver(target);
    EXPECT_EQ(desktop.messages, GetParam().reports);
    EXPECT_EQ(frm.hwndLastTarget(), before);

    moveOver(target);
    EXPECT_EQ(desktop.messages.size(), 2 * GetParam().reports.size());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ChainFailureTest,
    ::testing::Values(
        ChainFailure{"WindowUnderThePointer",
                     [](ProbeTest& fixture) { fixture.desktop.missing = {"WindowFromPoint"}; },
                     {ProbeTest::report(40, entryPointNotFound("WindowFromPoint", "user32"))}},
        ChainFailure{"MainWindowHandle",
                     [](ProbeTest& fixture) { fixture.form.failing = {"hwnd"}; },
                     {ProbeTest::report(60, ErrorNumber::InvalidCall)}},
        ChainFailure{
            "AncestorList",
            [](ProbeTest& fixture) { fixture.desktop.missing = {"GetParent"}; },
            {ProbeTest::report(60, entryPointNotFound("GetParent", "user32"), L"GetParents"),
             ProbeTest::report(100, ErrorNumber::SubscriptOutOfRange)}},
        ChainFailure{"DetachedTree",
                     [](ProbeTest& fixture) { fixture.frm.Form_Terminate(); },
                     {ProbeTest::report(80, ErrorNumber::ObjectNotSet)}},
        ChainFailure{"TargetNode",
                     [](ProbeTest& fixture) {
                         fixture.widget.beforeInsert = [](const std::wstring& text) {
                             if (text == L"(Target)") raise(ErrorNumber::OutOfMemory);
                         };
                     },
                     {ProbeTest::report(130, ErrorNumber::OutOfMemory)}}),
    [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace quellon
