#include "app/win32/TreePaint.h"

#include <commctrl.h>

namespace quellon::win32 {

void DoubleBufferedTreePaint::attach(HWND tree) {
    tree_ = tree;
    TreeView_SetExtendedStyle(tree_, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
}

void DoubleBufferedTreePaint::endRebuild(const std::function<void()>& resume) {
    resume();
    ::RedrawWindow(tree_, nullptr, nullptr,
                   RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace quellon::win32
