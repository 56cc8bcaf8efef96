#include "app/Utf8.h"

namespace quellon {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHigh(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLow(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendUtf8(std::string& out, char32_t c) {
    const auto byte = [&](char32_t bits) { out += static_cast<char>(bits); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::wstring& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<wchar_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (c >> 10));
    out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
}

// The code point of the sequence at `at`, which moves past it; U+FFFD for a byte that begins
// none, a cut sequence, an overlong one, a surrogate or one beyond U+10FFFF.
char32_t nextCodePoint(std::string_view bytes, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(bytes[at++]);
    if (lead < 0x80) return lead;
    const int following = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (following == 0 || lead > 0xF4) return kReplacement;
    auto c = static_cast<char32_t>(lead & (0x3F >> following));
    for (int i = 0; i < following; ++i) {
        if (at == bytes.size() || (static_cast<unsigned char>(bytes[at]) & 0xC0) != 0x80) {
            return kReplacement;
        }
        c = (c << 6) | (static_cast<unsigned char>(bytes[at++]) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[following] || c > 0x10FFFF || isHigh(c) || isLow(c)) return kReplacement;
    return c;
}

}  // namespace

std::string utf8(std::wstring_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = static_cast<char32_t>(utf16[i]);
        if (isHigh(c) && i + 1 < utf16.size() && isLow(static_cast<char32_t>(utf16[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(utf16[++i]) - 0xDC00);
        } else if (isHigh(c) || isLow(c) || c > 0x10FFFF) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::wstring utf16(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) appendUtf16(out, nextCodePoint(utf8, at));
    return out;
}

}  // namespace quellon
