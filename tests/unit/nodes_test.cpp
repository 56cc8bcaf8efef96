#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "app/WindowNodes.h"
#include "app/treeview/Nodes.h"
#include "platform/RuntimeError.h"
#include "tests/support/MemoryTree.h"

namespace quellon {
namespace {

int errorOf(auto&& call) {
    try {
        static_cast<void>(call());
    } catch (const RuntimeError& e) {
        return e.number;
    }
    return 0;
}

struct NodesTest : ::testing::Test {
    test::MemoryTree widget;
    Nodes trv{widget};
};

TEST_F(NodesTest, IndexesCountFromOneAfterEachClearing) {
    const Node root = trv.addTopLevel(L"DesktopWindow");
    trv.addChild(root, L"a1", L"one", 1);
    trv.clear();
    const Node again = trv.addTopLevel(L"DesktopWindow");
    EXPECT_EQ(trv.index(again), 1);
    EXPECT_EQ(trv.index(trv.addChild(again, L"a1", L"one", 1)), 2);
    EXPECT_EQ(trv.key(again), L"");
}

TEST_F(NodesTest, DuplicateKeyRaisesAndAddsNothing) {
    const Node root = trv.addTopLevel(L"DesktopWindow");
    trv.addChild(root, L"a7", L"seven", 1);
    EXPECT_EQ(errorOf([&] { trv.addChild(root, L"a7", L"again", 2); }),
              ErrorNumber::KeyNotUnique.number);
    EXPECT_EQ(trv.count(), 2);
    EXPECT_EQ(widget.size(), 2u);
}

TEST_F(NodesTest, MissingKeyRaisesAndNeverAnswersAnotherNode) {
    const Node root = trv.addTopLevel(L"DesktopWindow");
    trv.addChild(root, L"a12", L"twelve", 1);
    EXPECT_EQ(errorOf([&] { return trv.find(L"a1"); }), ErrorNumber::ElementNotFound.number);
    EXPECT_EQ(trv.index(trv.find(L"a12")), 2);
}

TEST_F(NodesTest, NodesOfAClearedTreeAreRejected) {
    const Node old = trv.addTopLevel(L"DesktopWindow");
    trv.clear();
    trv.addTopLevel(L"DesktopWindow");
    EXPECT_EQ(errorOf([&] { trv.setExpanded(old); }), ErrorNumber::NodeRemoved.number);
    EXPECT_EQ(errorOf([&] { return trv.key(Node{}); }), ErrorNumber::ObjectNotSet.number);
}

TEST_F(NodesTest, PicturesExpansionAndSelectionReachTheWidget) {
    const Node root = trv.addTopLevel(L"DesktopWindow");
    const Node hidden = trv.addChild(root, L"a3", L"(Static)", 2);
    trv.setExpanded(hidden);
    trv.setSelected(hidden);
    EXPECT_EQ(widget.describe(), L"DesktopWindow\n  *(Static) [2] +\n");
}

TEST_F(NodesTest, WidgetIdsNameOnlyNodesOfTheCurrentTree) {
    trv.addTopLevel(L"DesktopWindow");
    const NodeId oldId = widget.item(1).id;
    trv.clear();
    const Node fresh = trv.addTopLevel(L"DesktopWindow");
    EXPECT_FALSE(trv.fromId(oldId).has_value());
    ASSERT_TRUE(trv.fromId(widget.item(1).id).has_value());
    EXPECT_EQ(trv.fromId(widget.item(1).id)->index, fresh.index);
}

TEST_F(NodesTest, AFailingWidgetLeavesTheKeyFree) {
    const Node root = trv.addTopLevel(L"DesktopWindow");
    widget.beforeInsert = [](const std::wstring&) { raise(ErrorNumber::OutOfMemory); };
    EXPECT_NE(errorOf([&] { trv.addChild(root, L"a5", L"five", 1); }), 0);
    widget.beforeInsert = nullptr;
    EXPECT_EQ(trv.index(trv.addChild(root, L"a5", L"five", 1)), 2);
}

// Every handle comes back from its node's key, the negative ones and both ends of the range too;
// the digits are the handle's decimal text, as the details box shows them.
TEST(WindowNodes, AKeyGivesBackItsWindow) {
    for (const Hwnd window : {Hwnd{0}, Hwnd{0x10058}, Hwnd{-5}, std::numeric_limits<Hwnd>::min(),
                              std::numeric_limits<Hwnd>::max()}) {
        EXPECT_EQ(keyWindow(nodeKey(window)), window);
        EXPECT_EQ(keyDigits(nodeKey(window)), std::to_wstring(window));
    }
    EXPECT_EQ(nodeKey(-5), L"a-5");
    EXPECT_EQ(keyDigits(L""), L"");
}

}  // namespace
}  // namespace quellon
