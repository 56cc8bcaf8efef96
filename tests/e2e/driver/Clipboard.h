// The clipboard as another program leaves it: read back as Unicode text, emptied first, or given
// a text as a user's copy in another program gives it.
#pragma once

#include <optional>
#include <string>

namespace e2e {

// The clipboard's Unicode text; nothing when it holds none or another program has it open.
std::optional<std::wstring> clipboardText();

// Empties the clipboard; false when another program has it open.
bool emptyClipboard();

// Puts the Unicode text on the clipboard; false when another program has it open.
bool setClipboardText(const std::wstring& text);

}  // namespace e2e
