// Window texts and class names are read into buffers of a fixed number of characters, as the
// system functions fill them.
#pragma once

#include <algorithm>
#include <array>
#include <string>

namespace quellon {

inline constexpr int kTextCapacity = 255;
using TextBuffer = std::array<wchar_t, kTextCapacity>;

inline bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The characters a system call reports as copied into a buffer of `capacity`; a count it could
// not have copied is cut to what the buffer holds before its terminator. The system cuts a long
// text at the buffer's end whatever lies there, so a cut between the two halves of a surrogate
// pair drops the first half. A shorter text was not cut: a lone half at its end is the window's
// own and stays.
inline std::wstring copiedText(const wchar_t* buffer, int capacity, int count) {
    const int kept = std::clamp(count, 0, std::max(capacity - 1, 0));
    std::wstring text(buffer, static_cast<std::size_t>(kept));
    if (kept > 0 && kept == capacity - 1 && isHighSurrogate(text.back())) text.pop_back();
    return text;
}

inline std::wstring copiedText(const TextBuffer& buffer, int count) {
    return copiedText(buffer.data(), kTextCapacity, count);
}

}  // namespace quellon
