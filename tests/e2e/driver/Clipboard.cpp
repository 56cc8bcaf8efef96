#include "Clipboard.h"

#include <windows.h>

namespace e2e {

namespace {

// Opens the clipboard for the calls of `use` and closes it again; false when it was not open.
template <class Use>
bool withClipboard(Use use) {
    if (!OpenClipboard(nullptr)) return false;
    use();
    CloseClipboard();
    return true;
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

}  // namespace e2e
