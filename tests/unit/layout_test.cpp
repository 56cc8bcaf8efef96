#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/frmMain.h"
#include "tests/support/FakeForm.h"
#include "tests/support/MemoryTree.h"
#include "tests/support/SimDesktop.h"
#include "tests/support/SimOutline.h"

namespace quellon {
namespace {

using Assignment = std::tuple<Control, Property, float>;
using Layout = std::vector<Assignment>;

// Keeps every property assignment that succeeded, in order.
class RecordingForm : public test::FakeForm {
public:
    Layout assignments;

    void setControl(Control control, Property property, float twips) override {
        FakeForm::setControl(control, property, twips);
        assignments.emplace_back(control, property, twips);
    }
};

class LayoutTest : public ::testing::Test {
protected:
    Layout resizeTo(std::int32_t width, std::int32_t height) {
        form_.outerWidth = width;
        form_.outerHeight = height;
        form_.assignments.clear();
        frm_.Form_Resize();
        return form_.assignments;
    }

    test::SimDesktop api_;
    test::MemoryTree widget_;
    Nodes trv_{widget_};
    RecordingForm form_;
    test::SimOutline outline_{api_};
    FrmMain frm_{api_.platform(), form_, trv_, outline_.geometry, outline_.outline};
};

// The design places, except the tree view, which is 5 twips wider than designed.
const Layout kMinimumLayout = {
    {Control::r1, Property::Left, 6030},         {Control::txtInf, Property::Top, 3840},
    {Control::txtInf, Property::Width, 6840},    {Control::trv, Property::Height, 3690},
    {Control::trv, Property::Width, 5840},       {Control::LabelT, Property::Left, 5955},
    {Control::LabelT, Property::Top, 3165},      {Control::Command1_0, Property::Left, 5985},
    {Control::Command1_1, Property::Left, 6315}, {Control::Command1_2, Property::Left, 6630},
    {Control::Command1_0, Property::Top, 3465},  {Control::Command1_1, Property::Top, 3465},
    {Control::Command1_2, Property::Top, 3465},  {Control::chkTop, Property::Left, 6030},
};

const Layout kLayout9000x7500 = {
    {Control::r1, Property::Left, 7890},         {Control::txtInf, Property::Top, 5610},
    {Control::txtInf, Property::Width, 8700},    {Control::trv, Property::Height, 5460},
    {Control::trv, Property::Width, 7700},       {Control::LabelT, Property::Left, 7815},
    {Control::LabelT, Property::Top, 4935},      {Control::Command1_0, Property::Left, 7845},
    {Control::Command1_1, Property::Left, 8175}, {Control::Command1_2, Property::Left, 8490},
    {Control::Command1_0, Property::Top, 5235},  {Control::Command1_1, Property::Top, 5235},
    {Control::Command1_2, Property::Top, 5235},  {Control::chkTop, Property::Left, 7890},
};

// Narrower than the minimum but taller: only the height counts.
const Layout kLayout5000x7000 = {
    {Control::r1, Property::Left, 6030},         {Control::txtInf, Property::Top, 5110},
    {Control::txtInf, Property::Width, 6840},    {Control::trv, Property::Height, 4960},
    {Control::trv, Property::Width, 5840},       {Control::LabelT, Property::Left, 5955},
    {Control::LabelT, Property::Top, 4435},      {Control::Command1_0, Property::Left, 5985},
    {Control::Command1_1, Property::Left, 6315}, {Control::Command1_2, Property::Left, 6630},
    {Control::Command1_0, Property::Top, 4735},  {Control::Command1_1, Property::Top, 4735},
    {Control::Command1_2, Property::Top, 4735},  {Control::chkTop, Property::Left, 6030},
};

TEST_F(LayoutTest, SetsTheFourteenPropertiesInOrderForTheWindowSize) {
    EXPECT_EQ(resizeTo(7140, 5730), kMinimumLayout);
    EXPECT_EQ(resizeTo(9000, 7500), kLayout9000x7500);
    EXPECT_EQ(resizeTo(5000, 7000), kLayout5000x7000);
}

TEST_F(LayoutTest, AtOrBelowTheMinimumInBothDirectionsGivesTheMinimumLayout) {
    const std::pair<std::int32_t, std::int32_t> sizes[] = {{7139, 5729}, {7140, 5000}, {3000, 5730},
                                                           {120, 450},   {0, 0},       {-200, -15}};
    for (const auto& [width, height] : sizes) {
        EXPECT_EQ(resizeTo(width, height), kMinimumLayout) << width << " x " << height;
        // Only the layout's own values are raised, never the window.
        EXPECT_EQ(form_.outerWidth, width);
        EXPECT_EQ(form_.outerHeight, height);
    }
}

TEST_F(LayoutTest, ResizingBackAndForthGivesTheSamePlacesForTheSameSize) {
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(resizeTo(9000, 7500), kLayout9000x7500);
        EXPECT_EQ(resizeTo(100, 100), kMinimumLayout);
        EXPECT_EQ(resizeTo(5000, 7000), kLayout5000x7000);
    }
}

TEST_F(LayoutTest, APropertyThatCannotBeSetLeavesTheOthersSet) {
    form_.failingControls = {{Control::r1, Property::Left}, {Control::trv, Property::Width}};
    Layout expected = kLayout9000x7500;
    expected.erase(expected.begin() + 4);  // trv Width
    expected.erase(expected.begin());      // r1 Left
    EXPECT_EQ(resizeTo(9000, 7500), expected);
    EXPECT_TRUE(api_.messages.empty());
}

TEST_F(LayoutTest, AnUnreadableSizeCountsAsZeroAndIsRaisedToTheMinimum) {
    form_.failing = {"width"};
    EXPECT_EQ(resizeTo(5000, 7000), kLayout5000x7000);
    EXPECT_EQ(resizeTo(9000, 7000), kLayout5000x7000);

    form_.failing = {"height"};
    const Layout layout = resizeTo(9000, 7500);
    EXPECT_EQ(form_.controls.at({Control::r1, Property::Left}), 7890);
    EXPECT_EQ(form_.controls.at({Control::trv, Property::Height}), 3690);
    EXPECT_EQ(layout.size(), 14u);

    form_.failing = {"width", "height"};
    EXPECT_EQ(resizeTo(9000, 7500), kMinimumLayout);
    EXPECT_TRUE(api_.messages.empty());
}

}  // namespace
}  // namespace quellon
