// The tree view's paint under Wine, where every picture drawn on the screen asked the display
// driver for its settings and Wine's control sets its scroll bars whenever it lays out or
// paints, which Wine paints anew each time, changed or not. The control paints into a buffer of
// the tool's own, kept between paints, through its WM_PRINTCLIENT, with its scroll bars painted
// only when they change; after a rebuild it is laid out and painted at once. Tool picks it
// under Wine alone (Wine.h).
#pragma once

#include <windows.h>

#include <optional>

#include "app/win32/TreePaint.h"
#include "platform/win32/Unique.h"

namespace quellon::win32 {

class WineTreePaint final : public TreePaint {
public:
    WineTreePaint() = default;
    WineTreePaint(const WineTreePaint&) = delete;
    WineTreePaint& operator=(const WineTreePaint&) = delete;

    // Subclassed directly rather than with SetWindowSubclass, whose chain Wine pays for with
    // window-property look-ups on every message.
    void attach(HWND tree) override;
    void picturesReplaced() override { buffer_.clear(); }
    // Laid out and painted at once, rather than invalidated and painted through WM_PAINT: one
    // quiet stretch of the scroll bars instead of two, and the frame left as it is.
    void endRebuild(const std::function<void()>& resume) override;

private:
    // A 32-bit bitmap of the client area's size and the memory DC it is selected into.
    class Buffer {
    public:
        // The DC of a bitmap of that size, made again only when the size differs; nothing where
        // none could be made.
        HDC fit(SIZE size);
        HDC dc() const { return dc_.get(); }
        void clear();

    private:
        UniqueMemoryDC dc_;
        UniqueBitmap bitmap_;
        std::optional<Selected> selected_;  // goes first, so the bitmap is freed unselected
        SIZE size_{};
    };

    static LRESULT CALLBACK procedure(HWND tree, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void paintOnto(HDC screen, std::optional<RECT> area, const std::function<void()>& first);
    void print(HDC target) const;

    HWND tree_ = nullptr;
    WNDPROC controlProcedure_ = nullptr;
    Buffer buffer_;
};

}  // namespace quellon::win32
