#include "app/win32/Clipboard.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/Unique.h"

namespace quellon::win32 {

namespace {

void freeGlobal(HGLOBAL memory) { ::GlobalFree(memory); }

using UniqueGlobal = Unique<HGLOBAL, freeGlobal>;

// The text with its terminating NUL in movable global memory, as the clipboard takes it.
UniqueGlobal globalCopy(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return memory;
    void* target = ::GlobalLock(memory.get());
    if (!target) return {};
    std::memcpy(target, text.c_str(), bytes);
    ::GlobalUnlock(memory.get());
    return memory;
}

// Another program may hold the clipboard open for a moment (a clipboard manager reading what
// was copied last): the copy waits for it a little rather than fail at once.
bool openClipboard(HWND owner) {
    constexpr int kAttempts = 10;
    constexpr DWORD kPauseMs = 10;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(kPauseMs);
    }
    return false;
}

// The text in the clipboard's memory, up to its terminating NUL or the memory's end; a long
// text is looked at no further than `most` characters.
std::optional<std::wstring> textIn(HANDLE memory, std::size_t most) {
    const std::size_t capacity = ::GlobalSize(memory) / sizeof(wchar_t);
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(memory));
    if (!text) return std::nullopt;
    std::optional<std::wstring> found;
    const wchar_t* end = std::find(text, text + std::min(capacity, most + 1), L'\0');
    if (static_cast<std::size_t>(end - text) <= most) found.emplace(text, end);
    ::GlobalUnlock(memory);
    return found;
}

}  // namespace

bool copyToClipboard(HWND owner, const std::wstring& text) {
    UniqueGlobal memory = globalCopy(text);
    if (!memory) return false;
    bool taken = false;
    if (const OpenedClipboard clipboard(openClipboard(owner)); clipboard && ::EmptyClipboard()) {
        taken = ::SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr;
    }
    // The system owns the memory once it took it.
    if (taken) memory.release();
    return taken;
}

std::optional<std::wstring> clipboardText(HWND owner, std::size_t most) {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
    const OpenedClipboard clipboard(openClipboard(owner));
    if (!clipboard) return std::nullopt;
    const HANDLE memory = ::GetClipboardData(CF_UNICODETEXT);
    return memory ? textIn(memory, most) : std::nullopt;
}

}  // namespace quellon::win32
