#include "app/win32/TreeTextKeys.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/HandleText.h"
#include "app/TextBuffer.h"
#include "app/TreeText.h"
#include "app/win32/Clipboard.h"

namespace quellon::win32 {

namespace {

// Two texts of kTextCapacity - 1 characters, two quotes, two blanks and the parentheses.
constexpr int kLongestEntry = 2 * (kTextCapacity - 1) + 6;
// A handle as users paste it: digits, a prefix, blanks and a line break.
constexpr std::size_t kLongestHandleText = 64;

// Ctrl with Shift, or Ctrl alone; never with Alt: Ctrl with Alt is AltGr on many keyboards.
bool controlHeld(bool withShift) {
    return ::GetKeyState(VK_CONTROL) < 0 && (::GetKeyState(VK_SHIFT) < 0) == withShift &&
           ::GetKeyState(VK_MENU) >= 0;
}

ListedEntry entryOf(HWND tree, HTREEITEM item, int depth) {
    std::array<wchar_t, kLongestEntry + 1> text{};
    TVITEMW data{};
    data.mask = TVIF_TEXT | TVIF_PARAM;
    data.hItem = item;
    data.pszText = text.data();
    data.cchTextMax = static_cast<int>(text.size());
    if (!TreeView_GetItem(tree, &data)) return {depth, {}, 0};
    return {depth, data.pszText, static_cast<NodeId>(data.lParam)};
}

// The control's items in display order, each before its children.
std::vector<ListedEntry> listedEntries(HWND tree) {
    std::vector<ListedEntry> entries;
    HTREEITEM item = TreeView_GetRoot(tree);
    int depth = 0;
    while (item) {
        entries.push_back(entryOf(tree, item, depth));
        if (const HTREEITEM child = TreeView_GetChild(tree, item)) {
            item = child;
            ++depth;
            continue;
        }
        // On to the next sibling of the item or of the nearest item above it that has one.
        for (;;) {
            if (const HTREEITEM next = TreeView_GetNextSibling(tree, item)) {
                item = next;
                break;
            }
            item = TreeView_GetParent(tree, item);
            if (!item) break;
            --depth;
        }
    }
    return entries;
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
    const std::vector<ListedEntry> entries = listedEntries(tree_.hwnd());
    if (entries.empty()) return;
    copyToClipboard(owner, treeText(entries, nodes_, windows_));
}

// Text that names no window changes nothing and says nothing: whatever was copied last may be
// in the clipboard.
void TreeTextKeys::pasteHandle(HWND owner) {
    const std::optional<std::wstring> text = clipboardText(owner, kLongestHandleText);
    if (!text) return;
    if (const std::optional<Hwnd> handle = parseHandle(*text)) pick_(*handle);
}

}  // namespace quellon::win32
