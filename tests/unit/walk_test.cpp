#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/RuntimeError.h"
#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

using test::ReportTexts;

// T has the children A (top) and B; A has the children A1 (top) and A2. T also owns a dialog,
// and a top-level window S with a child follows T.
struct WalkTest : test::FrmMainFixture {
    const Hwnd t = window(L"T");
    const Hwnd a = window(L"A", t);
    const Hwnd a1 = window(L"A1", a);
    const Hwnd a2 = window(L"A2", a);
    const Hwnd b = window(L"B", t);
    const Hwnd dialog = ownedWindow(L"Dialog", t);
    const Hwnd s = window(L"S");
    const Hwnd s1 = window(L"S1", s);

    static constexpr const wchar_t* kFullTree =
        L"DesktopWindow\n"
        L"  *(T) [1] +\n"
        L"    (A) [1] +\n"
        L"      (A1) [1] +\n"
        L"      (A2) [1] +\n"
        L"    (B) [1] +\n";

    // The tree as it stands after the first `count` entries of kFullTree.
    static std::wstring firstEntries(int count) {
        const std::wstring full = kFullTree;
        std::size_t end = 0;
        for (int i = 0; i < count; ++i) end = full.find(L'\n', end) + 1;
        return full.substr(0, end);
    }
};

TEST_F(WalkTest, TheSubtreeIsAddedInPreOrderBelowEachWindowsParent) {
    moveOver(t);

    // Neither T's dialog nor the window that follows T shows.
    EXPECT_EQ(tree(), kFullTree);
    EXPECT_TRUE(desktop.messages.empty());
    int index = 3;
    for (Hwnd preOrder : {a, a1, a2, b}) {
        EXPECT_EQ(trv.index(trv.find(nodeKey(preOrder))), index++);
    }
}

TEST_F(WalkTest, TheDesktopWindowAsTargetListsNoTopLevelWindowsAndReportsNothing) {
    moveOver(test::SimDesktop::kDesktop);

    EXPECT_EQ(tree(), L"DesktopWindow\n  *(#32769) [1] +\n");
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(frm.hwndLastTarget(), test::SimDesktop::kDesktop);
}

TEST_F(WalkTest, ATargetWithoutChildrenAsksForChildrenOnce) {
    moveOver(a2);

    EXPECT_EQ(tree(), L"DesktopWindow\n  (T) [1] +\n    (A) [1] +\n      *(A2) [1] +\n");
    EXPECT_EQ(desktop.calls["GetWindow"], 1);
}

TEST_F(WalkTest, ATargetWithOneChildlessChildStopsWhenTheClimbReachesIt) {
    const Hwnd only = window(L"Only", b);

    moveOver(b);

    EXPECT_EQ(tree(), L"DesktopWindow\n  (T) [1] +\n    *(B) [1] +\n      (Only) [1] +\n");
    // The child's children, the child's next sibling, and nothing about the target's siblings.
    EXPECT_EQ(desktop.calls["GetWindow"], 3);
    EXPECT_EQ(trv.index(trv.find(nodeKey(only))), 4);
}

TEST_F(WalkTest, SiblingsFollowTheZOrder) {
    const Hwnd x = window(L"X", b);
    window(L"Y", b);
    window(L"Z", b);
    desktop.moveToBottom(x);

    moveOver(b);

    EXPECT_EQ(tree(),
              L"DesktopWindow\n  (T) [1] +\n    *(B) [1] +\n"
              L"      (Y) [1] +\n      (Z) [1] +\n      (X) [1] +\n");
}

TEST_F(WalkTest, DescendantsThatCannotBeSeenGetTheHiddenPicture) {
    const Hwnd hidden = window(L"Hidden", b, false);
    window(L"InsideHidden", hidden);
    window(L"Shown", b);
    desktop.window(b).spec.visible = false;  // the target's own state does not count
    desktop.window(t).spec.visible = false;

    moveOver(b);

    EXPECT_EQ(tree(),
              L"DesktopWindow\n  (T) [1] +\n    *(B) [1] +\n"
              L"      (Hidden) [2] +\n        (InsideHidden) [2] +\n      (Shown) [2] +\n");
}

// Docked tool windows and embedded programs: pop-up style windows moved into B, one without
// owner and one owned by T, each with a child, between ordinary children. GetParent names the
// owner or nothing for them; the walk files them below the window they sit in.
TEST_F(WalkTest, PopUpsMovedIntoAWindowSitBelowIt) {
    window(L"Before", b);
    const Hwnd loose = window(L"Loose", b);
    window(L"LooseChild", loose);
    const Hwnd owned = window(L"Owned", b);
    window(L"OwnedChild", owned);
    window(L"After", b);
    desktop.window(loose).spec.popup = true;
    desktop.window(owned).spec.popup = true;
    desktop.window(owned).spec.owner = t;
    ASSERT_EQ(desktop.getParent(loose), 0);
    ASSERT_EQ(desktop.getParent(owned), t);
    const std::wstring belowB =
        L"      (Before) [1] +\n"
        L"      (Loose) [1] +\n        (LooseChild) [1] +\n"
        L"      (Owned) [1] +\n        (OwnedChild) [1] +\n"
        L"      (After) [1] +\n";

    moveOver(b);
    EXPECT_EQ(tree(), L"DesktopWindow\n  (T) [1] +\n    *(B) [1] +\n" + belowB);

    moveOver(t);
    EXPECT_EQ(tree(), kFullTree + belowB);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(WalkTest, WithoutGetAncestorGetParentFindsTheParents) {
    desktop.missing = {"GetAncestor"};

    moveOver(t);

    EXPECT_EQ(tree(), kFullTree);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(desktop.calls["GetAncestor"], 1);
}

TEST_F(WalkTest, AClimbFromADestroyedWindowEndsTheWalk) {
    // A goes away (with A2) while the climb from A2 asks for A2's parent.
    int parentQueries = 0;
    bool askedAboutNoWindow = false;
    desktop.beforeCall = [&](const std::string& function, Hwnd window) {
        if (function == "GetAncestor" && window == a2 && ++parentQueries == 2) desktop.destroy(a);
        if (function == "GetWindow" && window == 0) askedAboutNoWindow = true;
    };

    moveOver(t);

    EXPECT_EQ(tree(), firstEntries(5));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(askedAboutNoWindow);
}

TEST_F(WalkTest, AClimbThatNeverReachesTheRootEnds) {
    // While A2's next sibling is asked for, A moves below a new child of A2: climbing from A2
    // now goes round A, X, A2 for ever.
    before("GetWindow", a2, 2, [&] { desktop.reparent(a, window(L"X", a2)); });

    moveOver(t);

    EXPECT_EQ(tree(), firstEntries(5));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(WalkTest, TenThousandNestedWindowsAndTenThousandSiblings) {
    constexpr int kCount = 10'000;
    Hwnd innermost = b;
    // Hidden, so that the simulated visibility check stops at the window itself instead of
    // climbing the whole chain for every window.
    for (int i = 0; i < kCount; ++i) innermost = window(L"N", innermost, false);
    for (int i = 0; i < kCount; ++i) window(L"C" + std::to_wstring(i), a1);

    moveOver(b);
    ASSERT_EQ(trv.count(), 3 + kCount);
    for (ItemRef item = 5; item <= widget.size(); ++item) {
        ASSERT_EQ(widget.item(item).parent, item - 1);
    }
    EXPECT_EQ(trv.index(trv.find(nodeKey(innermost))), 3 + kCount);

    moveOver(a1);
    ASSERT_EQ(trv.count(), 4 + kCount);
    for (int i = 0; i < kCount; ++i) {
        const ItemRef item = ItemRef{5} + static_cast<ItemRef>(i);
        ASSERT_EQ(widget.item(item).parent, 4u);
        ASSERT_EQ(widget.item(item).text, L"(C" + std::to_wstring(i) + L")");
    }
    EXPECT_TRUE(desktop.messages.empty());
}

// A failing add, or a desktop that changes while the walk runs: the report names the add
// sequence that failed, the tree keeps every entry added before, and since the target was
// stored before the walk, the next move over it leaves that partial tree alone.
struct Disturbance {
    const char* name;
    std::function<void(WalkTest&)> arrange;
    int label;
    StandardError error;
    int entriesKept;
};

void PrintTo(const Disturbance& disturbance, std::ostream* out) { *out << disturbance.name; }

struct DisturbedWalkTest : WalkTest, ::testing::WithParamInterface<Disturbance> {};

TEST_P(DisturbedWalkTest, ReportsTheFailedStepAndKeepsTheTreeSoFar) {
    GetParam().arrange(*this);

    moveOver(t);

    EXPECT_EQ(desktop.messages, ReportTexts{report(GetParam().label, GetParam().error)});
    EXPECT_EQ(tree(), firstEntries(GetParam().entriesKept));
    EXPECT_EQ(widget.bulkDepth, 0);
    EXPECT_EQ(frm.hwndLastTarget(), t);

    moveOver(t);
    EXPECT_EQ(desktop.messages.size(), 1u);
}

std::function<void(WalkTest&)> failAdd(const wchar_t* entry) {
    return [entry](WalkTest& w) {
        w.widget.beforeInsert = [entry](const std::wstring& text) {
            if (text == entry) raise(ErrorNumber::OutOfMemory);
        };
    };
}

// Destroys a window as soon as its entry is asked for, so that it has no parent any more.
std::function<void(WalkTest&)> destroyWhileAdding(const Hwnd WalkTest::*window) {
    return [window](WalkTest& w) {
        w.before("GetWindowTextW", w.*window, 1, [&w, window] { w.desktop.destroy(w.*window); });
    };
}

INSTANTIATE_TEST_SUITE_P(
    Example, DisturbedWalkTest,
    ::testing::Values(
        Disturbance{"AddFirstChild", failAdd(L"(A)"), 550, ErrorNumber::OutOfMemory, 2},
        Disturbance{"AddFirstChildOfChild", failAdd(L"(A1)"), 550, ErrorNumber::OutOfMemory, 3},
        Disturbance{"AddNextSibling", failAdd(L"(A2)"), 460, ErrorNumber::OutOfMemory, 4},
        Disturbance{"AddAncestorsNextSibling", failAdd(L"(B)"), 360, ErrorNumber::OutOfMemory, 5},
        Disturbance{"DestroyedFirstChild", destroyWhileAdding(&WalkTest::a), 530,
                    ErrorNumber::ElementNotFound, 2},
        Disturbance{"DestroyedNextSibling", destroyWhileAdding(&WalkTest::a2), 440,
                    ErrorNumber::ElementNotFound, 4},
        Disturbance{"DestroyedAncestorsNextSibling", destroyWhileAdding(&WalkTest::b), 340,
                    ErrorNumber::ElementNotFound, 5},
        // A1 moves below B just before B's children are asked for.
        Disturbance{"FirstChildMetTwice",
                    [](WalkTest& w) {
                        w.before("GetWindow", w.b, 1, [&w] { w.desktop.reparent(w.a1, w.b); });
                    },
                    550, ErrorNumber::KeyNotUnique, 6},
        // A moves below B just before B's next sibling is asked for.
        Disturbance{"NextSiblingMetTwice",
                    [](WalkTest& w) {
                        w.before("GetWindow", w.b, 2, [&w] { w.desktop.moveToBottom(w.a); });
                    },
                    460, ErrorNumber::KeyNotUnique, 6},
        // A1 moves up next to A just before the climb asks for A's next sibling.
        Disturbance{"AncestorsNextSiblingMetTwice",
                    [](WalkTest& w) {
                        w.before("GetWindow", w.a, 2, [&w] {
                            w.desktop.reparent(w.a1, w.t);
                            w.desktop.moveToBottom(w.b);
                        });
                    },
                    360, ErrorNumber::KeyNotUnique, 5}),
    [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace quellon
