// Which executable runs a process: the bare file name from a process snapshot on the Windows
// 95 family, the full path of the first module on the NT family. The family is decided anew
// at every call. Lookups that find nothing give the empty text.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace quellon::mdlProcessesGeneral {

std::wstring GetProcInfo(Platform& api, std::uint32_t processId);
bool IsWin95(Platform& api);
std::wstring GetProcessName95(Platform& api, std::uint32_t processId);
std::wstring GetProcessNameNT(Platform& api, std::uint32_t processId);

}  // namespace quellon::mdlProcessesGeneral
