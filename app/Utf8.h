// UTF-8 for the JSON form, from and to the system's UTF-16 text. A wchar_t holds one UTF-16
// code unit as the system's texts give them, also where wchar_t is wider (the unit tests' native
// build): a surrogate pair is two of them.
#pragma once

#include <string>
#include <string_view>

namespace quellon {

// A half of a surrogate pair without its other half (a lone surrogate) becomes U+FFFD, the
// replacement character: UTF-8 cannot hold it.
[[nodiscard]] std::string utf8(std::wstring_view utf16);

// Bytes that are no UTF-8 become U+FFFD.
[[nodiscard]] std::wstring utf16(std::string_view utf8);

}  // namespace quellon
