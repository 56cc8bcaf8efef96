// What the command line asks for before any window is made: the help shown, a dump written, or
// what is wrong told where the user reads it (standard error, the console the tool was started
// from, or else a message box).
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "platform/Types.h"

namespace quellon::win32 {

// The main window to start, and the window it shows first (/hwnd), if any.
struct WindowStart {
    std::optional<Hwnd> startWith;
};

// One line on standard error, or in a message box where the tool has neither a console nor a
// redirection (it was started from a shortcut).
void tellError(const std::wstring& message);

// `commandLine` is wWinMain's, without the program's name. The main window to start, or the
// exit code of a run that ends without it.
[[nodiscard]] std::variant<WindowStart, int> runCommandLine(const wchar_t* commandLine);

}  // namespace quellon::win32
