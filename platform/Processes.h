// Which process owns a window and which executable it runs: the process snapshot of the
// Windows 95 family, the module list of the NT family, and the narrow names they report.
// Failure is reported by value (0, false, kInvalidHandle); a function the running system lacks
// raises a run-time error at the call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace quellon {

class Processes {
public:
    virtual ~Processes() = default;

    virtual std::uint32_t getWindowThreadProcessId(Hwnd window, std::uint32_t* processId) = 0;
    [[nodiscard]] virtual std::uint32_t getVersion() = 0;
    [[nodiscard]] virtual Handle createToolhelp32Snapshot(std::uint32_t flags,
                                                          std::uint32_t processId) = 0;
    virtual bool process32First(Handle snapshot, ProcessRecord& record) = 0;
    [[nodiscard]] virtual bool process32Next(Handle snapshot, ProcessRecord& record) = 0;
    [[nodiscard]] virtual Handle openProcess(std::uint32_t access, bool inherit,
                                             std::uint32_t processId) = 0;
    virtual bool closeHandle(Handle handle) = 0;
    [[nodiscard]] virtual bool queryFullProcessImageName(Handle process, std::uint32_t flags,
                                                         wchar_t* buffer, std::uint32_t* size) = 0;
    [[nodiscard]] virtual bool enumProcessModules(Handle process, ModuleHandle* modules,
                                                  std::uint32_t bytes,
                                                  std::uint32_t* bytesNeeded) = 0;
    [[nodiscard]] virtual std::uint32_t getModuleFileNameEx(Handle process, ModuleHandle module,
                                                            wchar_t* buffer,
                                                            std::uint32_t capacity) = 0;
    // Text in the narrow characters of the active code page, converted to the tool's text.
    [[nodiscard]] virtual std::wstring fromActiveCodePage(std::string_view narrow) = 0;
};

namespace win {
inline constexpr std::uint32_t kTh32csSnapProcess = 2;
inline constexpr std::uint32_t kProcessQueryInformation = 0x400;
inline constexpr std::uint32_t kProcessVmRead = 0x10;
inline constexpr std::uint32_t kProcessQueryLimitedInformation = 0x1000;
}  // namespace win

}  // namespace quellon
