#include "app/NumberText.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "platform/RuntimeError.h"

namespace quellon {

std::wstring hexText(std::int32_t value) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    auto bits = static_cast<std::uint32_t>(value);
    std::wstring text;
    do {
        text.insert(text.begin(), kDigits[bits % 16]);
        bits /= 16;
    } while (bits != 0);
    return text;
}

std::wstring generalText(double value, std::wstring_view decimalSeparator) {
    char digits[64];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15).ptr;
    std::wstring text;
    for (const char* c = digits; c != end; ++c) {
        if (*c == '.') {
            text += decimalSeparator;
        } else {
            text += static_cast<wchar_t>(*c);
        }
    }
    return text;
}

std::int32_t parseInt32(std::wstring_view text) {
    const bool negative = !text.empty() && text.front() == L'-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) raise(ErrorNumber::TypeMismatch);
    // One past the largest magnitude, so that the most negative value still fits.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 2;
    std::int64_t magnitude = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') raise(ErrorNumber::TypeMismatch);
        magnitude = std::min(magnitude * 10 + (c - L'0'), kLimit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        raise(ErrorNumber::Overflow);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace quellon
