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

// The characters a system call reports as copied; a count it could not have copied is cut to
// what the buffer holds before its terminator. The system cuts a long text at the buffer's end
// whatever lies there, so a cut between the two halves of a surrogate pair drops the first half.
// A shorter text was not cut: a lone half at its end is the window's own and stays.
inline std::wstring copiedText(const TextBuffer& buffer, int count) {
    const int kept = std::clamp(count, 0, kTextCapacity - 1);
    std::wstring text(buffer.data(), static_cast<std::size_t>(kept));
    if (kept == kTextCapacity - 1 && isHighSurrogate(text.back())) text.pop_back();
    return text;
}

}  // namespace quellon
