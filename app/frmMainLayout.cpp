// The main window's layout: the controls follow the window's outer size, but never below the
// size the window was designed at.
#include <cstdint>

#include "app/frmMain.h"
#include "platform/Procedure.h"

namespace quellon {

namespace {

// The window's outer size at design; below it the controls keep their design places.
constexpr std::int32_t kMinWidth = 7140;
constexpr std::int32_t kMinHeight = 5730;

enum class Edge { Right, Bottom };

// One placement: the property is set to the window's width or height minus a fixed distance.
struct Placement {
    Control control;
    Property property;
    Edge from;
    std::int32_t distance;
};

// In the order the properties are set.
constexpr Placement kPlacements[] = {
    {Control::r1, Property::Left, Edge::Right, 1110},
    {Control::txtInf, Property::Top, Edge::Bottom, 1890},
    {Control::txtInf, Property::Width, Edge::Right, 300},
    {Control::trv, Property::Height, Edge::Bottom, 2040},
    {Control::trv, Property::Width, Edge::Right, 1300},
    {Control::LabelT, Property::Left, Edge::Right, 1185},
    {Control::LabelT, Property::Top, Edge::Bottom, 2565},
    {Control::Command1_0, Property::Left, Edge::Right, 1155},
    {Control::Command1_1, Property::Left, Edge::Right, 825},
    {Control::Command1_2, Property::Left, Edge::Right, 510},
    {Control::Command1_0, Property::Top, Edge::Bottom, 2265},
    {Control::Command1_1, Property::Top, Edge::Bottom, 2265},
    {Control::Command1_2, Property::Top, Edge::Bottom, 2265},
    {Control::chkTop, Property::Left, Edge::Right, 1110},
};

}  // namespace

void FrmMain::Form_Resize() {
    // A size that cannot be read stays 0 and is raised to the minimum like any small one.
    std::int32_t height = 0;
    std::int32_t width = 0;
    skipOnError([&] { height = form_.height(); });
    skipOnError([&] { width = form_.width(); });
    if (width < kMinWidth) width = kMinWidth;
    if (height < kMinHeight) height = kMinHeight;

    for (const Placement& placement : kPlacements) {
        const std::int32_t edge = placement.from == Edge::Right ? width : height;
        skipOnError([&] {
            form_.setControl(placement.control, placement.property,
                             static_cast<float>(edge - placement.distance));
        });
    }
}

}  // namespace quellon
