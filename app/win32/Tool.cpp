#include "app/win32/Tool.h"

#include "app/win32/Wine.h"
#include "app/win32/WineOutline.h"
#include "app/win32/WineTooltips.h"
#include "app/win32/WineTreePaint.h"

namespace quellon::win32 {

namespace {

// Windows' documented way, or Wine's where the tool runs under Wine with its Wine code on.
template <class Interface, class Documented, class ForWine>
std::unique_ptr<Interface> forThisSystem() {
    if (wineCodeActive()) return std::make_unique<ForWine>();
    return std::make_unique<Documented>();
}

}  // namespace

Tool::Tool(HINSTANCE instance, const Platform& platform, Win32Reports* boxes)
    : treePaint_(forThisSystem<TreePaint, DoubleBufferedTreePaint, WineTreePaint>()),
      outlinePlacement_(
          forThisSystem<OutlinePlacement, TargetOutlinePlacement, WineOutlinePlacement>()),
      tooltips_(forThisSystem<TooltipHosting, OwnedTooltip, WineTooltips>()),
      outlineWindow_(instance, palette_, geometry_, *outlinePlacement_),
      frmMain_(platform, form_, nodes_, geometry_, outline_),
      treeClipboard_(tree_, nodes_, platform.windows, frmMain_,
                     [this](Hwnd target) { return window_.pickWindow(target); }),
      window_(instance,
              MainWindow::Parts{tree_, clicks_, treeClipboard_, outline_, outlineWindow_,
                                *tooltips_, frmMain_, palette_, platform.reports, boxes}) {}

}  // namespace quellon::win32
