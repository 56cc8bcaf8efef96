#include <gtest/gtest.h>

#include "app/treeview/Nodes.h"
#include "platform/RuntimeError.h"
#include "tests/support/MemoryTree.h"

namespace quellon {
namespace {

int errorOf(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number;
    }
    return 0;
}

struct NodesTest : ::testing::Test {
    test::MemoryTree widget;
    Nodes nodes{widget};
};

TEST_F(NodesTest, IndexesCountFromOneAfterEachClearing) {
    const Node root = nodes.addTopLevel(L"DesktopWindow");
    nodes.addChild(root, L"a1", L"one", 1);
    nodes.clear();
    const Node again = nodes.addTopLevel(L"DesktopWindow");
    EXPECT_EQ(nodes.index(again), 1);
    EXPECT_EQ(nodes.index(nodes.addChild(again, L"a1", L"one", 1)), 2);
    EXPECT_EQ(nodes.key(again), L"");
}

TEST_F(NodesTest, DuplicateKeyRaisesAndAddsNothing) {
    const Node root = nodes.addTopLevel(L"DesktopWindow");
    nodes.addChild(root, L"a7", L"seven", 1);
    EXPECT_EQ(errorOf([&] { nodes.addChild(root, L"a7", L"again", 2); }),
              static_cast<int>(ErrorNumber::KeyNotUnique));
    EXPECT_EQ(nodes.count(), 2);
    EXPECT_EQ(widget.size(), 2u);
}

TEST_F(NodesTest, MissingKeyRaisesAndNeverAnswersAnotherNode) {
    const Node root = nodes.addTopLevel(L"DesktopWindow");
    nodes.addChild(root, L"a12", L"twelve", 1);
    EXPECT_EQ(errorOf([&] { nodes.find(L"a1"); }), static_cast<int>(ErrorNumber::ElementNotFound));
    EXPECT_EQ(nodes.index(nodes.find(L"a12")), 2);
}

TEST_F(NodesTest, NodesOfAClearedTreeAreRejected) {
    const Node old = nodes.addTopLevel(L"DesktopWindow");
    nodes.clear();
    nodes.addTopLevel(L"DesktopWindow");
    EXPECT_EQ(errorOf([&] { nodes.setExpanded(old); }), static_cast<int>(ErrorNumber::NodeRemoved));
    EXPECT_EQ(errorOf([&] { nodes.key(Node{}); }), static_cast<int>(ErrorNumber::ObjectNotSet));
}

TEST_F(NodesTest, PicturesExpansionAndSelectionReachTheWidget) {
    const Node root = nodes.addTopLevel(L"DesktopWindow");
    const Node hidden = nodes.addChild(root, L"a3", L"(Static)", 2);
    nodes.setExpanded(hidden);
    nodes.setSelected(hidden);
    EXPECT_EQ(widget.describe(), L"DesktopWindow\n  *(Static) [2] +\n");
}

TEST_F(NodesTest, WidgetIdsNameOnlyNodesOfTheCurrentTree) {
    nodes.addTopLevel(L"DesktopWindow");
    const std::uintptr_t oldId = widget.item(1).id;
    nodes.clear();
    const Node fresh = nodes.addTopLevel(L"DesktopWindow");
    EXPECT_FALSE(nodes.fromId(oldId).has_value());
    ASSERT_TRUE(nodes.fromId(widget.item(1).id).has_value());
    EXPECT_EQ(nodes.fromId(widget.item(1).id)->index, fresh.index);
}

TEST_F(NodesTest, AFailingWidgetLeavesTheKeyFree) {
    const Node root = nodes.addTopLevel(L"DesktopWindow");
    widget.beforeInsert = [](const std::wstring&) { raise(ErrorNumber::OutOfMemory); };
    EXPECT_NE(errorOf([&] { nodes.addChild(root, L"a5", L"five", 1); }), 0);
    widget.beforeInsert = nullptr;
    EXPECT_EQ(nodes.index(nodes.addChild(root, L"a5", L"five", 1)), 2);
}

}  // namespace
}  // namespace quellon
