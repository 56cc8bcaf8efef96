#include "app/win32/Clipboard.h"

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

}  // namespace

bool copyToClipboard(HWND owner, const std::wstring& text) {
    UniqueGlobal memory = globalCopy(text);
    if (!memory || !openClipboard(owner)) return false;
    bool taken = false;
    if (::EmptyClipboard()) taken = ::SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr;
    ::CloseClipboard();
    // The system owns the memory once it took it.
    if (taken) memory.release();
    return taken;
}

}  // namespace quellon::win32
