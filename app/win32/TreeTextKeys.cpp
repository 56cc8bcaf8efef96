#include "app/win32/TreeTextKeys.h"

#include <optional>
#include <string>
#include <vector>

#include "app/HandleText.h"
#include "app/TreeText.h"
#include "app/win32/Clipboard.h"

namespace quellon::win32 {

namespace {

// A handle as users paste it: digits, a prefix, blanks and a line break.
constexpr std::size_t kLongestHandleText = 64;

// Ctrl with Shift, or Ctrl alone; never with Alt: Ctrl with Alt is AltGr on many keyboards.
bool controlHeld(bool withShift) {
    return ::GetKeyState(VK_CONTROL) < 0 && (::GetKeyState(VK_SHIFT) < 0) == withShift &&
           ::GetKeyState(VK_MENU) >= 0;
}

}  // namespace

bool TreeTextKeys::take(const MSG& message, HWND owner) {
    if (message.message != WM_KEYDOWN || message.hwnd != tree_.hwnd()) return false;
    if (message.wParam == 'C' && controlHeld(true)) {
        copyTree(owner);
        return true;
    }
    if (message.wParam == 'V' && controlHeld(false)) {
        pasteHandle(owner);
        return true;
    }
    return false;
}

void TreeTextKeys::copyTree(HWND owner) {
    const std::vector<ListedEntry> entries = tree_.entries();
    if (entries.empty()) return;
    copyToClipboard(owner, treeText(entries, nodes_, windows_, form_.hwndLastTarget()));
}

// Text that names no window changes nothing and says nothing: whatever was copied last may be
// in the clipboard.
void TreeTextKeys::pasteHandle(HWND owner) {
    const std::optional<std::wstring> text = clipboardText(owner, kLongestHandleText);
    if (!text) return;
    if (const std::optional<Hwnd> handle = parseHandle(*text)) pick_(*handle);
}

}  // namespace quellon::win32
