// What the main window's handlers need from the window that hosts them: its handle, the
// screen's twips per pixel, the pointer shape, delivery of pending events, and the
// properties of its controls. Every member may raise a run-time error.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace quellon {

enum class Control { r1, txtInf, trv, LabelT, Command1_0, Command1_1, Command1_2, chkTop };
// chkTop stays last: tables of the controls are indexed by Control.
inline constexpr int kControlCount = static_cast<int>(Control::chkTop) + 1;
enum class Property { Left, Top, Width, Height };

// Application-wide pointer shapes.
enum class MousePointer { Default = 0, ArrowQuestion = 14 };

class FormHost {
public:
    virtual ~FormHost() = default;

    virtual Hwnd hwnd() = 0;
    virtual float twipsPerPixelX() = 0;
    virtual float twipsPerPixelY() = 0;
    virtual void setMousePointer(MousePointer shape) = 0;
    // Lets the window system deliver every pending event, repaints included.
    virtual void doEvents() = 0;

    // The window's outer size in twips, frame and caption included, rounded to whole twips.
    virtual std::int32_t width() = 0;
    virtual std::int32_t height() = 0;
    virtual void setControl(Control control, Property property, float twips) = 0;

    virtual int chkTopValue() = 0;  // 0 unchecked, 1 checked, 2 greyed
    virtual void setTxtInfText(const std::wstring& text) = 0;
};

}  // namespace quellon
