// The main window's layout: the controls follow the window's outer size, but never below the
// size the window was designed at.
#include <cstdint>

#include "app/ControlGeometry.h"
#include "app/frmMain.h"
#include "platform/Procedure.h"

namespace quellon {

namespace {

// One property that follows the window's size: Left and Width its width, Top and Height its
// height. It keeps the distance from that edge that it has at the minimum size.
struct Placement {
    Control control;
    Property property;
    // How much more than its design value the property measures at the minimum size.
    std::int32_t beyondDesign = 0;
};

// In the order the properties are set. At the minimum size the tree view is 5 twips wider
// than designed.
constexpr Placement kPlacements[] = {
    {Control::r1, Property::Left},         {Control::txtInf, Property::Top},
    {Control::txtInf, Property::Width},    {Control::trv, Property::Height},
    {Control::trv, Property::Width, 5},    {Control::LabelT, Property::Left},
    {Control::LabelT, Property::Top},      {Control::Command1_0, Property::Left},
    {Control::Command1_1, Property::Left}, {Control::Command1_2, Property::Left},
    {Control::Command1_0, Property::Top},  {Control::Command1_1, Property::Top},
    {Control::Command1_2, Property::Top},  {Control::chkTop, Property::Left},
};

// The part of an outer size that a property follows.
std::int32_t followed(Property property, TwipsSize size) {
    return property == Property::Left || property == Property::Width ? size.width : size.height;
}

// How far the property keeps from the window's right or bottom edge, in outer twips.
std::int32_t distance(const Placement& placement) {
    const float design = designPlace(placement.control).*member(placement.property);
    return followed(placement.property, kDesignOuter) - static_cast<std::int32_t>(design) -
           placement.beyondDesign;
}

}  // namespace

void FrmMain::Form_Resize() {
    // A size that cannot be read stays 0 and is taken up to the minimum like any small one.
    std::int32_t height = 0;
    std::int32_t width = 0;
    skipOnError([&] { height = form_.height(); });
    skipOnError([&] { width = form_.width(); });
    if (width < kDesignOuter.width) width = kDesignOuter.width;
    if (height < kDesignOuter.height) height = kDesignOuter.height;

    for (const Placement& placement : kPlacements) {
        const std::int32_t edge = followed(placement.property, {width, height});
        skipOnError([&] {
            form_.setControl(placement.control, placement.property,
                             static_cast<float>(edge - distance(placement)));
        });
    }
}

}  // namespace quellon
