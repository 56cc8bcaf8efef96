// A hosting window for the handlers in the unit tests: records what they set and can be made
// to fail any property.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/ControlGeometry.h"
#include "app/FormHost.h"
#include "platform/RuntimeError.h"

namespace quellon::test {

class FakeForm : public FormHost {
public:
    Hwnd handle = 0x20020;
    float tppX = 15.0f;
    float tppY = 15.0f;
    MousePointer pointer = MousePointer::Default;
    int doEventsCalls = 0;
    std::function<void()> onDoEvents;  // runs inside doEvents, as nested events would
    std::int32_t outerWidth = kDesignOuter.width;
    std::int32_t outerHeight = kDesignOuter.height;
    std::map<std::pair<Control, Property>, float> controls;
    // Every property set, in order.
    std::vector<std::tuple<Control, Property, float>> assignments;
    int chkTop = 0;
    std::wstring txtInf;
    // Names of members that raise: "hwnd", "width", "height", "chkTop", "txtInf",
    // "twipsPerPixel", "pointer"; control properties are listed in failingControls.
    std::set<std::string> failing;
    std::set<std::pair<Control, Property>> failingControls;

    Hwnd hwnd() override {
        check("hwnd");
        return handle;
    }
    float twipsPerPixelX() override {
        check("twipsPerPixel");
        return tppX;
    }
    float twipsPerPixelY() override {
        check("twipsPerPixel");
        return tppY;
    }
    void setMousePointer(MousePointer shape) override {
        check("pointer");
        pointer = shape;
    }
    void doEvents() override {
        ++doEventsCalls;
        if (onDoEvents) onDoEvents();
    }
    std::int32_t width() override {
        check("width");
        return outerWidth;
    }
    std::int32_t height() override {
        check("height");
        return outerHeight;
    }
    void setControl(Control control, Property property, float twips) override {
        if (failingControls.count({control, property})) raise(ErrorNumber::InvalidCall);
        controls[{control, property}] = twips;
        assignments.emplace_back(control, property, twips);
    }
    int chkTopValue() override {
        check("chkTop");
        return chkTop;
    }
    void setTxtInfText(const std::wstring& text) override {
        check("txtInf");
        txtInf = text;
    }

private:
    void check(const std::string& member) const {
        if (failing.count(member)) raise(ErrorNumber::InvalidCall);
    }
};

}  // namespace quellon::test
