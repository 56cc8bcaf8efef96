#include "app/win32/WindowForm.h"

#include <cmath>

#include "app/win32/Dpi.h"
#include "app/win32/MainWindow.h"
#include "platform/win32/Handles.h"

namespace quellon::win32 {

Hwnd WindowForm::hwnd() { return fromHwnd(window_.handle()); }

// The window's pixels are square: one DPI for both directions.
float WindowForm::twipsPerPixelX() { return twipsPerPixel(window_.dpi()); }

float WindowForm::twipsPerPixelY() { return twipsPerPixel(window_.dpi()); }

void WindowForm::setMousePointer(MousePointer shape) { window_.setPointer(shape); }

void WindowForm::doEvents() { window_.deliverPending(); }

SIZE WindowForm::outerSize() const {
    RECT outer{};
    ::GetWindowRect(window_.handle(), &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

std::int32_t WindowForm::width() {
    return static_cast<std::int32_t>(
        std::lround(static_cast<float>(outerSize().cx) * twipsPerPixelX()));
}

std::int32_t WindowForm::height() {
    return static_cast<std::int32_t>(
        std::lround(static_cast<float>(outerSize().cy) * twipsPerPixelY()));
}

void WindowForm::setControl(Control control, Property property, float twips) {
    window_.setControlTwips(control, property, twips);
}

int WindowForm::chkTopValue() {
    return static_cast<int>(::SendMessageW(window_.control(Control::chkTop), BM_GETCHECK, 0, 0));
}

void WindowForm::setTxtInfText(const std::wstring& text) {
    ::SetWindowTextW(window_.control(Control::txtInf), text.c_str());
}

}  // namespace quellon::win32
