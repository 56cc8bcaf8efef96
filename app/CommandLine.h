// The tool's command line as Windows tools take theirs: options begin with "/", their case does
// not matter, and "/?" asks for the help. Read from the arguments after the program's name;
// every message is one line in the tool's language.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/WindowDump.h"

namespace quellon {

// The exit codes of a run from the command line.
enum ExitCode : int { kExitDone = 0, kExitNoWindow = 1, kExitUsage = 2, kExitNotWritten = 3 };

struct Command {
    enum class Action { Show, Help, Dump };
    Action action = Action::Show;
    // Show: the window whose tree the main window starts with (/hwnd), if any.
    std::optional<Hwnd> startWith;
    // Dump: the window (/dump, or /all for every one), the form (/json) and the file to write
    // (/out), empty for standard output.
    WindowChoice dumped;
    DumpForm form = DumpForm::Text;
    std::wstring outFile;
};

// The command, or the message that says what is wrong with the arguments.
[[nodiscard]] std::variant<Command, std::wstring> parseCommandLine(
    const std::vector<std::wstring>& arguments);

[[nodiscard]] std::wstring helpText();

// The arguments of a process's command line after the program's name, as the system's start-up
// code takes them for WinMain: the name ends at its closing quote or at the first blank.
[[nodiscard]] std::wstring_view afterProgramName(std::wstring_view commandLine);

// What the user reads when the chosen window is not there.
[[nodiscard]] std::wstring noWindowMessage(const WindowChoice& choice);

// What the user reads when the tool could not be started (by its console companion).
[[nodiscard]] std::wstring notStartedMessage(const std::wstring& program,
                                             unsigned long systemError);

// What the user reads when a file or the output could not be written.
[[nodiscard]] std::wstring notWrittenMessage(const std::wstring& file, unsigned long systemError);

}  // namespace quellon
