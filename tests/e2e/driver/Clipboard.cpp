#include "Clipboard.h"

#include <windows.h>

#include <cstring>

#include "OwnedHandles.h"

namespace e2e {

namespace {

// Opens the clipboard for the calls of `use` and closes it again; false when it was not open.
// Data set needs an owner window: the clipboard of a null owner takes none.
template <class Use>
bool withClipboard(Use use, HWND owner = nullptr) {
    const OpenedClipboard clipboard(OpenClipboard(owner) != FALSE);
    if (clipboard) use();
    return static_cast<bool>(clipboard);
}

}  // namespace

std::optional<std::wstring> clipboardText() {
    std::optional<std::wstring> text;
    withClipboard([&] {
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        if (!data) return;
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = characters;
            GlobalUnlock(data);
        }
    });
    return text;
}

bool emptyClipboard() {
    bool emptied = false;
    return withClipboard([&] { emptied = EmptyClipboard() != 0; }) && emptied;
}

bool setClipboardText(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, text.c_str(), bytes);
        GlobalUnlock(memory);
    }
    // A message-only window of the driver's. Emptying the clipboard sends its owner a message, so
    // the cases empty it themselves before the tool copies.
    static const HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    bool taken = false;
    withClipboard([&] { taken = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory); },
                  owner);
    // The system owns the memory once it took it.
    if (!taken) GlobalFree(memory);
    return taken;
}

}  // namespace e2e
