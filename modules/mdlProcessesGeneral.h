// Which executable runs a process: the bare file name from a process snapshot on the Windows
// 95 family, the full path of the first module on the NT family. The family is decided anew
// at every call. Lookups that find nothing give the empty text.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Processes.h"
#include "platform/Reports.h"

namespace quellon::mdlProcessesGeneral {

// Each procedure reports its failures to `reports`.
[[nodiscard]] std::wstring GetProcInfo(Processes& processes, Reports& reports,
                                       std::uint32_t processId);
[[nodiscard]] bool IsWin95(Processes& processes);
[[nodiscard]] std::wstring GetProcessName95(Processes& processes, Reports& reports,
                                            std::uint32_t processId);
[[nodiscard]] std::wstring GetProcessNameNT(Processes& processes, Reports& reports,
                                            std::uint32_t processId);

}  // namespace quellon::mdlProcessesGeneral
