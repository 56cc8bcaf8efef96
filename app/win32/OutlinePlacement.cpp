#include "app/win32/OutlinePlacement.h"

namespace quellon::win32 {

void TargetOutlinePlacement::bringToTop(HWND outline) {
    ::SetWindowPos(outline, HWND_TOPMOST, 0, 0, 0, 0, kZOrderOnly);
}

}  // namespace quellon::win32
