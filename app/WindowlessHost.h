// The host of handlers that run without a window: a dump, which shows none, and the benchmark's
// rebuilds by the logic alone. Nothing to lay out or show; it keeps the details text written to
// it.
#pragma once

#include <string>

#include "app/FormHost.h"

namespace quellon {

class WindowlessHost : public FormHost {
public:
    explicit WindowlessHost(float twipsPerPixel) : twipsPerPixel_(twipsPerPixel) {}

    Hwnd hwnd() override { return 0; }
    float twipsPerPixelX() override { return twipsPerPixel_; }
    float twipsPerPixelY() override { return twipsPerPixel_; }
    void setMousePointer(MousePointer) override {}
    void doEvents() override {}
    std::int32_t width() override { return 0; }
    std::int32_t height() override { return 0; }
    void setControl(Control, Property, float) override {}
    int chkTopValue() override { return 0; }
    void setTxtInfText(const std::wstring& text) override { details_ = text; }

    const std::wstring& details() const { return details_; }

private:
    float twipsPerPixel_;
    std::wstring details_;
};

}  // namespace quellon
