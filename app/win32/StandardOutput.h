// Text for the user of the command line. Standard output and standard error take UTF-8 where
// they are a file or a pipe, and Unicode through WriteConsoleW where they are a console: the
// tool's own, else the console of the program that started it (a windowed program gets none of
// its own). A file is written whole or not at all.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quellon::win32 {

// Writes the text to STD_OUTPUT_HANDLE or STD_ERROR_HANDLE; 0, or the system's error code when
// there is nowhere to write it (no console, nothing redirected) or the writing failed.
[[nodiscard]] DWORD writeStandard(DWORD which, std::wstring_view text);

// Writes the text in UTF-8 into a new file in the folder of `path`, which then takes the place
// of `path`: the file there holds the whole text, or stays as it was, and a file replaced keeps
// its security, attributes and creation time. A device (NUL, a port, a pipe) is written
// directly. 0, or the system's error code.
[[nodiscard]] DWORD writeWholeFile(const std::wstring& path, std::wstring_view text);

}  // namespace quellon::win32
