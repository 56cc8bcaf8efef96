// An owned image list of the common controls, apart from Unique.h so that only the code that
// makes image lists includes commctrl.h.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/Unique.h"

namespace quellon::win32 {

inline void destroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }

using UniqueImageList = Unique<HIMAGELIST, destroyImageList>;

}  // namespace quellon::win32
