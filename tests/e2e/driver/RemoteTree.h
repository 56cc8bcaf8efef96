// Reads the tool's tree view from outside its process: texts, pictures, states, structure and
// the places of the entries on the screen.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "RemoteMemory.h"

namespace e2e {

struct TreeItem {
    HTREEITEM handle = nullptr;
    std::wstring text;
    int image = 0;  // 1 or 2 as the tool numbers its pictures, 0 for none
    bool expanded = false;
    bool selected = false;
    std::vector<TreeItem> children;

    // Structure, texts, pictures and flags; the handles do not count.
    bool operator==(const TreeItem& other) const {
        return text == other.text && image == other.image && expanded == other.expanded &&
               selected == other.selected && children == other.children;
    }
};

class RemoteTree {
public:
    explicit RemoteTree(HWND tree);

    int count() const;
    std::vector<TreeItem> read() const;
    // The selected entry without its children.
    std::optional<TreeItem> selected() const;
    // One entry without its children.
    TreeItem item(HTREEITEM handle) const;
    HTREEITEM selection() const;
    // The entry's rectangle in screen coordinates (only the text part when textOnly), or none
    // when it is not shown.
    std::optional<RECT> itemRect(HTREEITEM handle, bool textOnly = true) const;

private:
    std::vector<TreeItem> readLevel(HTREEITEM first) const;
    HTREEITEM next(HTREEITEM item, UINT relation) const;

    HWND tree_;
    mutable RemoteBuffer buffer_;
};

// The entries from the top entry down to the selected one, empty when nothing is selected.
std::vector<const TreeItem*> selectionPath(const std::vector<TreeItem>& roots);

// An indented listing of the tree for failure messages: one entry per line with its picture
// and flags.
std::string describe(const std::vector<TreeItem>& roots);

}  // namespace e2e
