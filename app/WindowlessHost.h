// The host of handlers that run without a window: a dump, which shows none, and the benchmark's
// rebuilds by the logic alone. Nothing to lay out or show; it keeps the details text written to
// it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "app/FormHost.h"

namespace quellon {

class WindowlessHost : public FormHost {
public:
    // The screen's twips per pixel are asked for at their first need, if any: only the details
    // need them, and a dump of the whole desktop writes none.
    explicit WindowlessHost(std::function<float()> twipsPerPixel)
        : askTwipsPerPixel_(std::move(twipsPerPixel)) {}

    Hwnd hwnd() override { return 0; }
    float twipsPerPixelX() override { return screenTwipsPerPixel(); }
    float twipsPerPixelY() override { return screenTwipsPerPixel(); }
    void setMousePointer(MousePointer) override {}
    void doEvents() override {}
    std::int32_t width() override { return 0; }
    std::int32_t height() override { return 0; }
    void setControl(Control, Property, float) override {}
    int chkTopValue() override { return 0; }
    void setTxtInfText(const std::wstring& text) override { details_ = text; }

    const std::wstring& details() const { return details_; }

private:
    float screenTwipsPerPixel() {
        if (!twipsPerPixel_) twipsPerPixel_ = askTwipsPerPixel_();
        return *twipsPerPixel_;
    }

    std::function<float()> askTwipsPerPixel_;
    std::optional<float> twipsPerPixel_;
    std::wstring details_;
};

}  // namespace quellon
