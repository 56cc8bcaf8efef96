// What the main window's handlers ask of the window that hosts them (FormHost), answered by the
// real main window: its handle, twips per pixel at its DPI, its outer size in twips, the
// controls' places and values, the pointer shape and the delivery of pending events.
#pragma once

#include <windows.h>

#include "app/FormHost.h"

namespace quellon::win32 {

class MainWindow;

class WindowForm final : public FormHost {
public:
    // The window may be made after this, but before the first call.
    explicit WindowForm(MainWindow& window) : window_(window) {}

    Hwnd hwnd() override;
    float twipsPerPixelX() override;
    float twipsPerPixelY() override;
    void setMousePointer(MousePointer shape) override;
    void doEvents() override;
    std::int32_t width() override;
    std::int32_t height() override;
    void setControl(Control control, Property property, float twips) override;
    int chkTopValue() override;
    void setTxtInfText(const std::wstring& text) override;

private:
    SIZE outerSize() const;

    MainWindow& window_;
};

}  // namespace quellon::win32
