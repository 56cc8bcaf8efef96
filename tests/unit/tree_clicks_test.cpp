#include <gtest/gtest.h>

#include <vector>

#include "app/TreeClicks.h"
#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

struct TreeClicksTest : test::FrmMainFixture {
    std::vector<NodeId> posted;
    TreeClicks clicks{trv, frm, [this](NodeId id) { posted.push_back(id); }};
};

// The tree control reports a click before it is done with the item it hit; a drag during the
// details' flash would delete that item under it.
TEST_F(TreeClicksTest, TheDetailsRunOnlyOnceTheControlsClickHandlingHasReturned) {
    moveOver(window(L"Frame"));
    const Hwnd other = window(L"Other");
    bool runningDuringFlash = false;
    form.onDoEvents = [&] {
        runningDuringFlash = clicks.running();
        moveOver(other);
    };
    const std::wstring shown = tree();
    const NodeId hit = widget.item(widget.selected()).id;

    clicks.clicked(hit);
    EXPECT_EQ(tree(), shown) << "the details ran inside the control's click handling";
    EXPECT_TRUE(form.txtInf.empty());
    ASSERT_EQ(posted, std::vector<NodeId>{hit});

    clicks.deliver(hit);
    EXPECT_FALSE(form.txtInf.empty());
    EXPECT_TRUE(runningDuringFlash);
    EXPECT_FALSE(clicks.running());

    form.txtInf.clear();
    clicks.deliver(hit);
    EXPECT_TRUE(form.txtInf.empty()) << "the entry went with the rebuild since the click";
}

}  // namespace
}  // namespace quellon
