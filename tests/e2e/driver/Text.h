// Text helpers of the test driver: UTF-8 output of wide strings and message composition.
#pragma once

#include <windows.h>

#include <sstream>
#include <string>
#include <string_view>

namespace e2e {

std::string utf8(std::wstring_view text);
std::wstring widen(std::string_view text);

// The environment variable's value, empty when it is not set (or longer than a path).
std::wstring environmentVariable(const wchar_t* name);

// Shows a text as a test message does: quoted, with line breaks and quotes visible. (Not named
// `quoted`: for a std::wstring, argument-dependent lookup would find std::quoted as well.)
std::string quote(std::wstring_view text);

inline void appendText(std::ostringstream& out, const std::wstring& v) { out << utf8(v); }
inline void appendText(std::ostringstream& out, const wchar_t* v) { out << utf8(v); }
inline void appendText(std::ostringstream& out, HWND v) {
    out << static_cast<long long>(reinterpret_cast<intptr_t>(v));
}
template <class T>
void appendText(std::ostringstream& out, const T& v) {
    out << v;
}

// Joins the pieces into one UTF-8 message; wide strings are converted.
template <class... Parts>
std::string cat(const Parts&... parts) {
    std::ostringstream out;
    (appendText(out, parts), ...);
    return out.str();
}

}  // namespace e2e
