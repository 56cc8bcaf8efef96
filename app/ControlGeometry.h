// The main window's geometry as designed, in twips: its client area, the frame around it and
// every control's place. The window creates its controls at these places, and the layout
// measures from them how far each control keeps from the window's edges.
#pragma once

#include <array>
#include <cstdint>

#include "app/FormHost.h"

namespace quellon {

// Left, top, width and height in twips: whole numbers, held in the single-precision type of
// the controls' properties.
struct TwipsRect {
    float left;
    float top;
    float width;
    float height;
};

// The member of a TwipsRect that a property names: `rect.*member(property)`.
constexpr float TwipsRect::*member(Property property) {
    switch (property) {
        case Property::Left: return &TwipsRect::left;
        case Property::Top: return &TwipsRect::top;
        case Property::Width: return &TwipsRect::width;
        case Property::Height: break;
    }
    return &TwipsRect::height;
}

struct TwipsSize {
    std::int32_t width;
    std::int32_t height;
};

// The client area, and the frame around it on the system it was designed on: 60 twips on the
// left, right and bottom edges, 345 on top with the caption.
inline constexpr TwipsSize kDesignClient{7020, 5325};
inline constexpr std::int32_t kDesignFrameEdge = 60;
inline constexpr std::int32_t kDesignFrameTop = 345;

// The outer size at design, which is the layout's minimum whatever the frame measures on the
// running system.
inline constexpr TwipsSize kDesignOuter{kDesignClient.width + 2 * kDesignFrameEdge,
                                        kDesignClient.height + kDesignFrameTop + kDesignFrameEdge};

struct ControlPlace {
    Control control;
    TwipsRect twips;
};

// In the client area, in tab order.
inline constexpr std::array<ControlPlace, kControlCount> kDesignPlaces{{
    {Control::trv, {90, 60, 5835, 3690}},
    {Control::txtInf, {90, 3840, 6840, 1440}},
    {Control::r1, {6030, 90, 915, 945}},
    {Control::LabelT, {5955, 3165, 1065, 315}},
    {Control::Command1_0, {5985, 3465, 315, 270}},
    {Control::Command1_1, {6315, 3465, 300, 270}},
    {Control::Command1_2, {6630, 3465, 300, 270}},
    {Control::chkTop, {6030, 2775, 915, 255}},
}};

// True when the rows name every control exactly once: a control added without a row of its own
// cannot silently take another's.
template <class Row>
constexpr bool eachControlOnce(const std::array<Row, kControlCount>& rows) {
    std::array<bool, kControlCount> seen{};
    for (const Row& row : rows) {
        const int index = static_cast<int>(row.control);
        if (index < 0 || index >= kControlCount || seen[static_cast<std::size_t>(index)]) {
            return false;
        }
        seen[static_cast<std::size_t>(index)] = true;
    }
    return true;
}
static_assert(eachControlOnce(kDesignPlaces));

constexpr const TwipsRect& designPlace(Control control) {
    for (const ControlPlace& place : kDesignPlaces) {
        if (place.control == control) return place.twips;
    }
    return kDesignPlaces.front().twips;  // not reached: the check above gives each its row
}

}  // namespace quellon
