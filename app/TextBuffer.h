// Window texts and class names are read into buffers of a fixed number of characters, as the
// system functions fill them.
#pragma once

#include <algorithm>
#include <array>
#include <string>

namespace quellon {

inline constexpr int kTextCapacity = 255;
using TextBuffer = std::array<wchar_t, kTextCapacity>;

// The characters a system call reports as copied; a count it could not have copied is cut to
// what the buffer holds before its terminator.
inline std::wstring copiedText(const TextBuffer& buffer, int count) {
    return std::wstring(buffer.data(),
                        static_cast<std::size_t>(std::clamp(count, 0, kTextCapacity - 1)));
}

}  // namespace quellon
