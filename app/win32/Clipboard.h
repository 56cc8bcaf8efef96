// Text onto the clipboard, as Unicode text that every program can paste.
#pragma once

#include <windows.h>

#include <string>

namespace quellon::win32 {

// Replaces what the clipboard holds with the text; false when another program holds the
// clipboard at the moment or memory runs out.
bool copyToClipboard(HWND owner, const std::wstring& text);

}  // namespace quellon::win32
