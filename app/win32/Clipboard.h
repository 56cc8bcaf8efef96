// Text onto the clipboard, as Unicode text that every program can paste, and back from it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

namespace quellon::win32 {

// Replaces what the clipboard holds with the text; false when another program holds the
// clipboard at the moment or memory runs out.
bool copyToClipboard(HWND owner, const std::wstring& text);

// The clipboard's Unicode text; nothing when it holds none, or one longer than `most`
// characters, or another program holds the clipboard at the moment.
std::optional<std::wstring> clipboardText(HWND owner, std::size_t most);

}  // namespace quellon::win32
