// A window's node in the tree: its key, "a" followed by the decimal text of the window's handle,
// names the window, and its picture tells whether the window is visible. The probe's handlers
// write both; the details and the tree's text read them back. The desktop's node has neither.
#pragma once

#include <string>
#include <string_view>

#include "platform/Types.h"

namespace quellon {

// The pictures: a visible window, and one that is not.
inline constexpr int kImageVisible = 1;
inline constexpr int kImageHidden = 2;

[[nodiscard]] std::wstring nodeKey(Hwnd hwnd);

// The handle's decimal text in a key, as the tree stored it: the key without its first
// character; empty for no key.
[[nodiscard]] std::wstring_view keyDigits(std::wstring_view key);

// The window that the key names. A key whose digits are no number raises TypeMismatch; one
// outside the 32-bit range raises Overflow.
[[nodiscard]] Hwnd keyWindow(std::wstring_view key);

}  // namespace quellon
