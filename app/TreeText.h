// The tree as text, for the clipboard, a file or a pipe. One line per entry in display order,
// each ending in CR LF: a tab per level of depth ("DesktopWindow" at none), the entry's text as
// the tree shows it, then for a window a tab and its handle as the details box writes it
// (&H…), and a tab and "unsichtbar" for a window that is not visible. A control character in
// an entry's text (a tab or a line break of a window's text) is written as its Unicode control
// picture, U+2400 plus its code, so that each entry keeps to its line and its fields.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/treeview/TreeBackend.h"
#include "app/treeview/Nodes.h"
#include "platform/WindowQueries.h"

namespace quellon {

inline constexpr std::wstring_view kHiddenWord = L"unsichtbar";
inline constexpr std::wstring_view kLineEnd = L"\r\n";

// One entry as the tree's text forms write it.
struct ShownEntry {
    int depth = 0;
    std::wstring text;           // as the tree shows it
    std::optional<Hwnd> window;  // none for "DesktopWindow"
    bool visible = true;
    bool inChain = false;  // the window shown or one above it
};

// The entries in display order, their windows read from their nodes' keys. `shown` is the
// window that the tree shows (hwndLastTarget), none for the whole desktop, which has no chain.
// Whether the windows below it are visible, their pictures tell, as the walk found them; its
// own entry and the chain above it, which the tree always pictures as visible, are asked of
// `windows` as the entries are listed. Until the entry of `shown` comes, every window is asked:
// a rebuild that failed leaves only a chain.
[[nodiscard]] std::vector<ShownEntry> shownEntries(const std::vector<ListedEntry>& entries,
                                                   const Nodes& nodes, WindowQueries& windows,
                                                   std::optional<Hwnd> shown);

[[nodiscard]] std::wstring treeText(const std::vector<ShownEntry>& entries);

// The text of the tree that shows `shown`.
[[nodiscard]] std::wstring treeText(const std::vector<ListedEntry>& entries, const Nodes& nodes,
                                    WindowQueries& windows, Hwnd shown);

}  // namespace quellon
