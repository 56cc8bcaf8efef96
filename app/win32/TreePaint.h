// How the tree view paints, and how it shows itself again after a rebuild during which it did not
// draw. The tool's way is the documented one (DoubleBufferedTreePaint); Tool picks it.
#pragma once

#include <windows.h>

#include <functional>

namespace quellon::win32 {

class TreePaint {
public:
    virtual ~TreePaint() = default;
    // Takes over the control's paint, once, right after it was created.
    virtual void attach(HWND tree) = 0;
    // The control's pictures were replaced by pictures of another size or colour.
    virtual void picturesReplaced() = 0;
    // Ends a rebuild during which the control did not draw: `resume` lets it draw again
    // (WM_SETREDRAW) and scrolls the selection into view; then the tree shows anew.
    virtual void endRebuild(const std::function<void()>& resume) = 0;
};

// The control's own double buffer (TVS_EX_DOUBLEBUFFER), which paints every frame off the screen
// and copies it there at once; after WM_SETREDRAW the control redrawn with RedrawWindow, as
// WM_SETREDRAW documents.
class DoubleBufferedTreePaint final : public TreePaint {
public:
    void attach(HWND tree) override;
    void picturesReplaced() override {}
    void endRebuild(const std::function<void()>& resume) override;

private:
    HWND tree_ = nullptr;
};

}  // namespace quellon::win32
