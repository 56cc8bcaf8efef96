#include "app/win32/TreeClipboard.h"

#include <optional>
#include <string>
#include <vector>

#include "app/HandleText.h"
#include "app/TreeText.h"
#include "app/frmMain.h"
#include "app/win32/Clipboard.h"
#include "app/win32/TreeViewControl.h"

namespace quellon::win32 {

namespace {

// A handle as users paste it: digits, a prefix, blanks and a line break.
constexpr std::size_t kLongestHandleText = 64;

}  // namespace

void TreeClipboard::copyEntry(HWND owner) {
    if (const std::optional<std::wstring> text = tree_.selectedText())
        copyToClipboard(owner, *text);
}

void TreeClipboard::copyTree(HWND owner) {
    const std::vector<ListedEntry> entries = tree_.entries();
    if (entries.empty()) return;
    copyToClipboard(owner, treeText(entries, nodes_, windows_, form_.hwndLastTarget()));
}

// Text that names no window changes nothing and says nothing: whatever was copied last may be
// in the clipboard.
void TreeClipboard::pasteHandle(HWND owner) {
    const std::optional<std::wstring> text = clipboardText(owner, kLongestHandleText);
    if (!text) return;
    if (const std::optional<Hwnd> handle = parseHandle(*text)) pick_(*handle);
}

}  // namespace quellon::win32
