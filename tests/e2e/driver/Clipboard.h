// The clipboard as another program leaves it: read back as Unicode text, or emptied first.
#pragma once

#include <optional>
#include <string>

namespace e2e {

// The clipboard's Unicode text; nothing when it holds none or another program has it open.
std::optional<std::wstring> clipboardText();

// Empties the clipboard; false when another program has it open.
bool emptyClipboard();

}  // namespace e2e
