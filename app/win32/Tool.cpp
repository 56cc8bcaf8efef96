#include "app/win32/Tool.h"

namespace quellon::win32 {

Tool::Tool(HINSTANCE instance, const Platform& platform, Win32Reports* boxes)
    : outlineWindow_(instance, palette_),
      frmMain_(platform, form_, nodes_, geometry_, outline_),
      treeClipboard_(tree_, nodes_, platform.windows, frmMain_,
                     [this](Hwnd target) { return window_.pickWindow(target); }),
      window_(instance, MainWindow::Parts{tree_, clicks_, treeClipboard_, outline_, outlineWindow_,
                                          frmMain_, palette_, platform.reports, boxes}) {}

}  // namespace quellon::win32
