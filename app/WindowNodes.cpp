#include "app/WindowNodes.h"

#include "app/NumberText.h"

namespace quellon {

namespace {

constexpr wchar_t kKeyLetter = L'a';

}  // namespace

std::wstring nodeKey(Hwnd hwnd) { return kKeyLetter + std::to_wstring(hwnd); }

std::wstring_view keyDigits(std::wstring_view key) { return key.empty() ? key : key.substr(1); }

Hwnd keyWindow(std::wstring_view key) { return parseInt32(keyDigits(key)); }

}  // namespace quellon
