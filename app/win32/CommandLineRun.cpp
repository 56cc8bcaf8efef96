#include "app/win32/CommandLineRun.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/WindowDump.h"
#include "app/win32/Dpi.h"
#include "app/win32/StandardOutput.h"
#include "app/win32/WindowProcedure.h"
#include "platform/win32/SystemFunctions.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32WindowGeometry.h"

namespace quellon::win32 {

namespace {

// Where no console and no redirection takes the text (the tool was started from a shortcut),
// a message box shows it.
void tell(DWORD which, const std::wstring& text) {
    if (writeStandard(which, text) == 0) return;
    user32().MessageBoxW(nullptr, text.c_str(), kApplicationTitle,
                         MB_OK | (which == STD_ERROR_HANDLE ? MB_ICONEXCLAMATION : 0));
}

// The numbered steps' reports of a dump, one line each on standard error.
class ErrorLines final : public Reports {
public:
    void messageBox(const std::wstring& text) override { tellError(text); }
};

// The arguments after the program's name, split as the system documents it.
std::optional<std::vector<std::wstring>> arguments() {
    auto* split = shell32().CommandLineToArgvW.find();
    int count = 0;
    LPWSTR* list = split ? split(::GetCommandLineW(), &count) : nullptr;
    if (!list) return std::nullopt;
    std::vector<std::wstring> found(list + std::min(count, 1), list + count);
    ::LocalFree(list);
    return found;
}

// As the main window would show the details: it opens on the primary monitor.
float screenTwipsPerPixel() {
    return twipsPerPixel(monitorDpi(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY)));
}

int dump(const Command& command) {
    ErrorLines reports;
    Win32WindowGeometry geometry;
    std::optional<std::wstring> text;
    bool failed = false;
    containErrors(
        [&] {
            text = dumpWindow(systemPlatform(reports), geometry, screenTwipsPerPixel,
                              command.dumped, command.form);
        },
        [&](const RuntimeError& error) {
            failed = true;
            tellError(errorText(error));
        });
    if (failed) return kExitNotWritten;
    if (!text) {
        tellError(noWindowMessage(command.dumped));
        return kExitNoWindow;
    }
    const DWORD error = command.outFile.empty() ? writeStandard(STD_OUTPUT_HANDLE, *text)
                                                : writeWholeFile(command.outFile, *text);
    if (error == 0) return kExitDone;
    tellError(notWrittenMessage(command.outFile, error));
    return kExitNotWritten;
}

}  // namespace

void tellError(const std::wstring& message) { tell(STD_ERROR_HANDLE, message + L"\r\n"); }

std::variant<WindowStart, int> runCommandLine(const wchar_t* commandLine) {
    // A plain start does without the library that splits arguments.
    if (!commandLine || !*commandLine) return WindowStart{};
    const std::optional<std::vector<std::wstring>> given = arguments();
    if (!given) {
        tellError(L"Die Kommandozeile ist nicht lesbar (Systemfehler " +
                  std::to_wstring(::GetLastError()) + L").");
        return kExitUsage;
    }
    const auto parsed = parseCommandLine(*given);
    if (const auto* message = std::get_if<std::wstring>(&parsed)) {
        tellError(*message);
        return kExitUsage;
    }
    const Command& command = std::get<Command>(parsed);
    switch (command.action) {
        case Command::Action::Help: tell(STD_OUTPUT_HANDLE, helpText()); return kExitDone;
        case Command::Action::Dump: return dump(command);
        case Command::Action::Show: break;
    }
    if (command.startWith && !Win32WindowGeometry().isWindow(*command.startWith)) {
        tellError(noWindowMessage(*command.startWith));
        return kExitNoWindow;
    }
    return WindowStart{command.startWith};
}

}  // namespace quellon::win32
