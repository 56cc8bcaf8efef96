#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "app/ControlGeometry.h"
#include "app/frmMain.h"
#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

using Assignment = std::tuple<Control, Property, float>;
using Layout = std::vector<Assignment>;

class LayoutTest : public test::FrmMainFixture {
protected:
    Layout resizeTo(std::int32_t width, std::int32_t height) {
        form.outerWidth = width;
        form.outerHeight = height;
        form.assignments.clear();
        frm.Form_Resize();
        return form.assignments;
    }

    Layout resizeToMinimum() { return resizeTo(kDesignOuter.width, kDesignOuter.height); }
};

bool followsWidth(Property property) {
    return property == Property::Left || property == Property::Width;
}

// How much the window is larger than the minimum along what the property follows.
float growth(Property property, std::int32_t width, std::int32_t height) {
    return static_cast<float>(followsWidth(property) ? std::max(width - kDesignOuter.width, 0)
                                                     : std::max(height - kDesignOuter.height, 0));
}

TEST_F(LayoutTest, SetsTheFourteenPropertiesInOrder) {
    const std::vector<std::pair<Control, Property>> expected = {
        {Control::r1, Property::Left},         {Control::txtInf, Property::Top},
        {Control::txtInf, Property::Width},    {Control::trv, Property::Height},
        {Control::trv, Property::Width},       {Control::LabelT, Property::Left},
        {Control::LabelT, Property::Top},      {Control::Command1_0, Property::Left},
        {Control::Command1_1, Property::Left}, {Control::Command1_2, Property::Left},
        {Control::Command1_0, Property::Top},  {Control::Command1_1, Property::Top},
        {Control::Command1_2, Property::Top},  {Control::chkTop, Property::Left},
    };
    std::vector<std::pair<Control, Property>> set;
    for (const auto& [control, property, twips] : resizeTo(9000, 7500)) {
        set.emplace_back(control, property);
    }
    EXPECT_EQ(set, expected);
}

TEST_F(LayoutTest, AtTheMinimumSizeTheControlsStandAtTheirDesignPlaces) {
    for (const auto& [control, property, twips] : resizeToMinimum()) {
        const float design = designPlace(control).*member(property);
        // The one exception: the tree view is 5 twips wider than designed.
        const bool treeWidth = control == Control::trv && property == Property::Width;
        EXPECT_EQ(twips, treeWidth ? design + 5 : design)
            << "control " << static_cast<int>(control) << ", property "
            << static_cast<int>(property);
    }
}

TEST_F(LayoutTest, ControlsKeepTheirDistanceFromTheEdgesTheyFollow) {
    const Layout minimum = resizeToMinimum();
    const std::pair<std::int32_t, std::int32_t> sizes[] = {
        {9000, 7500}, {7141, 5731}, {5000, 7000}, {9000, 3000}, {40000, 30000}};
    for (const auto& [width, height] : sizes) {
        const Layout layout = resizeTo(width, height);
        ASSERT_EQ(layout.size(), minimum.size());
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const auto& [control, property, twips] = layout[i];
            EXPECT_EQ(twips, std::get<float>(minimum[i]) + growth(property, width, height))
                << width << " x " << height << ": control " << static_cast<int>(control)
                << ", property " << static_cast<int>(property);
        }
    }
}

TEST_F(LayoutTest, AtOrBelowTheMinimumInBothDirectionsGivesTheMinimumLayout) {
    const Layout minimum = resizeToMinimum();
    const std::pair<std::int32_t, std::int32_t> sizes[] = {{7139, 5729}, {7140, 5000}, {3000, 5730},
                                                           {120, 450},   {0, 0},       {-200, -15}};
    for (const auto& [width, height] : sizes) {
        EXPECT_EQ(resizeTo(width, height), minimum) << width << " x " << height;
        // Only the layout's own values are raised, never the window.
        EXPECT_EQ(form.outerWidth, width);
        EXPECT_EQ(form.outerHeight, height);
    }
}

TEST_F(LayoutTest, NoSizeMakesAValueNegativeOrZero) {
    for (const auto& [control, property, twips] : resizeTo(-200, -15)) {
        EXPECT_GT(twips, 0) << "control " << static_cast<int>(control) << ", property "
                            << static_cast<int>(property);
    }
}

TEST_F(LayoutTest, ResizingBackAndForthGivesTheSamePlacesForTheSameSize) {
    const Layout larger = resizeTo(9000, 7500);
    const Layout minimum = resizeToMinimum();
    const Layout tall = resizeTo(5000, 7000);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(resizeTo(9000, 7500), larger);
        EXPECT_EQ(resizeTo(100, 100), minimum);
        EXPECT_EQ(resizeTo(5000, 7000), tall);
    }
}

TEST_F(LayoutTest, APropertyThatCannotBeSetLeavesTheOthersSet) {
    Layout expected = resizeTo(9000, 7500);
    form.failingControls = {{Control::r1, Property::Left}, {Control::trv, Property::Width}};
    std::erase_if(expected, [&](const Assignment& assignment) {
        const auto& [control, property, twips] = assignment;
        return form.failingControls.count({control, property}) > 0;
    });
    EXPECT_EQ(resizeTo(9000, 7500), expected);
    EXPECT_EQ(expected.size(), 12u);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(LayoutTest, AnUnreadableSizeCountsAsZeroAndIsRaisedToTheMinimum) {
    const Layout minimumWidth = resizeTo(kDesignOuter.width, 7000);
    const Layout minimumHeight = resizeTo(9000, kDesignOuter.height);
    const Layout minimum = resizeToMinimum();

    form.failing = {"width"};
    EXPECT_EQ(resizeTo(9000, 7000), minimumWidth);
    form.failing = {"height"};
    EXPECT_EQ(resizeTo(9000, 7500), minimumHeight);
    form.failing = {"width", "height"};
    EXPECT_EQ(resizeTo(9000, 7500), minimum);
    EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace quellon
