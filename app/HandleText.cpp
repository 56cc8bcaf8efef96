#include "app/HandleText.h"

#include <cstdint>
#include <limits>

#include "app/NumberText.h"

namespace quellon {

namespace {

constexpr std::wstring_view kBlanks = L" \t";
constexpr std::wstring_view kBlanksAndLineBreaks = L" \t\r\n";
constexpr std::uint64_t kLargest32 = std::numeric_limits<std::uint32_t>::max();
// The smallest sign-extended 32-bit handle: bit 31 and every bit above it set.
constexpr std::uint64_t kSmallestSignExtended = ~std::uint64_t{0} << 31;

std::wstring_view trimmed(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanksAndLineBreaks);
    return text.substr(first, last - first + 1);
}

wchar_t lowerCase(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// `prefix` is in lower case; the text's letters may be in either.
bool removePrefix(std::wstring_view& text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lowerCase(text[i]) != prefix[i]) return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

int digitValue(wchar_t c, unsigned base) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    const wchar_t lower = lowerCase(c);
    if (base == 16 && lower >= L'a' && lower <= L'f') return lower - L'a' + 10;
    return -1;
}

// The digits' value; nothing for a character that is no digit or a value over 64 bits.
std::optional<std::uint64_t> valueOf(std::wstring_view digits, unsigned base) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        const int digit = digitValue(c, base);
        if (digit < 0 || value > (std::numeric_limits<std::uint64_t>::max() - digit) / base) {
            return std::nullopt;
        }
        value = value * base + static_cast<unsigned>(digit);
    }
    return value;
}

Hwnd low32(std::uint64_t value) {
    return static_cast<Hwnd>(static_cast<std::uint32_t>(value & kLargest32));
}

}  // namespace

std::optional<Hwnd> parseHandle(std::wstring_view text, HandleWidth width) {
    text = trimmed(text);
    const bool hexadecimal = removePrefix(text, L"0x") || removePrefix(text, L"&h");
    const bool negative = !hexadecimal && removePrefix(text, L"-");
    const std::optional<std::uint64_t> value = valueOf(text, hexadecimal ? 16 : 10);
    if (!value) return std::nullopt;
    if (negative) {
        // Down to the smallest 32-bit number, as the tree's keys write negative handles.
        if (*value > kLargest32 / 2 + 1) return std::nullopt;
        return low32(~*value + 1);
    }
    if (*value <= kLargest32) return low32(*value);
    if (width == HandleWidth::Bits64 && *value >= kSmallestSignExtended) return low32(*value);
    return std::nullopt;
}

std::wstring handleText(Hwnd handle) { return L"&H" + hexText(handle); }

}  // namespace quellon
