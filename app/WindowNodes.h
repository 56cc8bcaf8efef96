// A window's node in the tree: its key, "a" followed by the decimal text of the window's handle,
// names the window. The probe's handlers build the keys; the details and the tree's text read
// the window back from them. The desktop's node has no key.
#pragma once

#include <string>
#include <string_view>

#include "platform/Types.h"

namespace quellon {

[[nodiscard]] std::wstring nodeKey(Hwnd hwnd);

// The handle's decimal text in a key, as the tree stored it: the key without its first
// character; empty for no key.
[[nodiscard]] std::wstring_view keyDigits(std::wstring_view key);

// The window that the key names. A key whose digits are no number raises TypeMismatch; one
// outside the 32-bit range raises Overflow.
[[nodiscard]] Hwnd keyWindow(std::wstring_view key);

}  // namespace quellon
