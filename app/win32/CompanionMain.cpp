// Entry point of the console companion ("Tarnwick WQuellon.com" beside the tool), which cmd.exe
// and PowerShell run for the tool's name typed without extension: the help, a dump and a mistake
// run the tool's own command line here, so that the shell waits for it, reads its output in
// order and gets its exit code; a start of the main window starts the tool beside it.
#include <windows.h>

#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "app/win32/CommandLineRun.h"
#include "app/win32/Dpi.h"
#include "platform/win32/SystemFunctions.h"
#include "platform/win32/Unique.h"
#include "shared_names.h"

namespace {

// The tool's executable in the companion's own folder, however long its path.
std::wstring toolBeside() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(2 * path.size());
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1) + QUELLON_TOOL_FILE_NAME;
}

// Starts the tool with the same arguments and leaves it running on its own, with no console of
// the companion's and none of its handles, so that a pipe that a script reads from the companion
// ends with the companion; 0, or the system's error code.
DWORD startTool(const std::wstring& exe, std::wstring_view arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) (commandLine += L' ') += arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          DETACHED_PROCESS, nullptr, nullptr, &startup, &started)) {
        const DWORD error = ::GetLastError();
        return error != 0 ? error : ERROR_FILE_NOT_FOUND;
    }
    const quellon::win32::UniqueHandle process(started.hProcess);
    const quellon::win32::UniqueHandle thread(started.hThread);
    return 0;
}

}  // namespace

int wmain() {
    using namespace quellon;
    win32::restrictLibrarySearch();
    win32::declareDpiAwareness();
    const std::wstring arguments(afterProgramName(::GetCommandLineW()));
    const auto start = win32::runCommandLine(arguments.c_str());
    if (const int* exitCode = std::get_if<int>(&start)) return *exitCode;
    const std::wstring exe = toolBeside();
    if (const DWORD error = startTool(exe, arguments)) {
        win32::tellError(notStartedMessage(exe, error));
        return kExitNoWindow;
    }
    return kExitDone;
}
