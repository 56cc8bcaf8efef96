#include "app/win32/TooltipHosting.h"

#include <commctrl.h>

namespace quellon::win32 {

UINT OwnedTooltip::treeToolFlags() { return TTF_SUBCLASS; }

}  // namespace quellon::win32
