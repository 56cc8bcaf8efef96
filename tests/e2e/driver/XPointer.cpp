#include "XPointer.h"

#include <windows.h>

#include <stdexcept>

#include "Text.h"

namespace e2e {

namespace {

std::wstring xdotoolPath() { return environmentVariable(L"QUELLON_E2E_XDOTOOL"); }

}  // namespace

bool pointerThroughX() {
    static const bool throughX = !xdotoolPath().empty();
    return throughX;
}

void runXdotool(const std::string& commands) {
    static const std::wstring program = xdotoolPath();
    std::wstring commandLine = program + L" " + std::wstring(commands.begin(), commands.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const BOOL ok = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &started);
    const DWORD error = GetLastError();
    if (!ok) throw std::runtime_error(cat("xdotool did not start (error ", error, ")"));
    // For a Linux program Wine makes no process or thread handle, and leaves whatever happened
    // to be in its own variables in `started`: closing those would close handles of the driver.
}

}  // namespace e2e
