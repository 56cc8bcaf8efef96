#include "XPointer.h"

#include <windows.h>

#include <stdexcept>

#include "OwnedHandles.h"
#include "Text.h"

namespace e2e {

namespace {

std::wstring commandsPath() { return environmentVariable(L"QUELLON_E2E_XDOTOOL_COMMANDS"); }

// Opened at the first command and held for the whole run: xdotool ends when the pipe closes.
HANDLE commandPipe() {
    static const UniqueHandle pipe = quellon::win32::adoptFile(
        CreateFileW(commandsPath().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!pipe) {
        throw std::runtime_error(
            cat("xdotool's command pipe did not open (error ", GetLastError(), ")"));
    }
    return pipe.get();
}

}  // namespace

bool pointerThroughX() {
    static const bool throughX = !commandsPath().empty();
    return throughX;
}

void runXdotool(const std::string& commands) {
    const std::string line = commands + "\n";
    DWORD written = 0;
    if (!WriteFile(commandPipe(), line.data(), static_cast<DWORD>(line.size()), &written,
                   nullptr) ||
        written != line.size()) {
        throw std::runtime_error(cat("xdotool took no more commands (error ", GetLastError(), ")"));
    }
}

}  // namespace e2e
