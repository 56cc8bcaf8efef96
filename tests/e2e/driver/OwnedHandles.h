// The tool's owned handles for the driver and its cases, and the kind that only they open: a
// registry key. Whatever a case opens closes itself, also when a failed check ends the case.
#pragma once

#include <windows.h>

#include "platform/win32/Unique.h"

namespace e2e {

using quellon::win32::ClientDC;
using quellon::win32::OpenedClipboard;
using quellon::win32::Selected;
using quellon::win32::UniqueBitmap;
using quellon::win32::UniqueHandle;
using quellon::win32::UniqueMemoryDC;

inline void closeKey(HKEY key) { ::RegCloseKey(key); }
using UniqueKey = quellon::win32::Unique<HKEY, closeKey>;

}  // namespace e2e
