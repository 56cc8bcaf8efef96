// The tree as text, for the clipboard, a file or a pipe. One line per entry in display order,
// each ending in CR LF: a tab per level of depth ("DesktopWindow" at none), the entry's text as
// the tree shows it, then for a window a tab and its handle as the details box writes it
// (&H…), and a tab and "unsichtbar" for a window that is not visible. A control character in
// an entry's text (a tab or a line break of a window's text) is written as its Unicode control
// picture, U+2400 plus its code, so that each entry keeps to its line and its fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/treeview/TreeBackend.h"
#include "app/treeview/Nodes.h"
#include "platform/WindowQueries.h"

namespace quellon {

inline constexpr std::wstring_view kHiddenWord = L"unsichtbar";
inline constexpr std::wstring_view kLineEnd = L"\r\n";

// The entries in display order, their windows read from their nodes' keys. `shown` is the
// window that the tree shows (hwndLastTarget). Whether the windows below it are visible, their
// pictures tell, as the walk found them; its own entry and the chain above it, which the tree
// always pictures as visible, are asked of `windows` as the text is made. Until the entry of
// `shown` comes, every window is asked: a rebuild that failed leaves only a chain.
[[nodiscard]] std::wstring treeText(const std::vector<ListedEntry>& entries, const Nodes& nodes,
                                    WindowQueries& windows, Hwnd shown);

}  // namespace quellon
