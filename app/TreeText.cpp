#include "app/TreeText.h"

#include <optional>

#include "app/HandleText.h"
#include "app/WindowNodes.h"

namespace quellon {

namespace {

constexpr wchar_t kControlPictures = 0x2400;

void appendShown(std::wstring& line, std::wstring_view text) {
    for (wchar_t c : text) line += c < 0x20 ? static_cast<wchar_t>(kControlPictures + c) : c;
}

// The window of the entry, from its node's key; nothing for an entry without one.
std::optional<Hwnd> windowOf(const ListedEntry& entry, const Nodes& nodes) {
    const std::optional<Node> node = nodes.fromId(entry.id);
    if (!node) return std::nullopt;
    const std::wstring key = nodes.key(*node);
    if (key.empty()) return std::nullopt;
    return keyWindow(key);
}

}  // namespace

std::wstring treeText(const std::vector<ListedEntry>& entries, const Nodes& nodes,
                      WindowQueries& windows, Hwnd shown) {
    std::wstring text;
    bool inChain = true;
    for (const ListedEntry& entry : entries) {
        text.append(static_cast<std::size_t>(entry.depth), L'\t');
        appendShown(text, entry.text);
        if (const std::optional<Hwnd> window = windowOf(entry, nodes)) {
            text += L'\t' + handleText(*window);
            const bool hidden =
                inChain ? !windows.isWindowVisible(*window) : entry.image == kImageHidden;
            if (hidden) (text += L'\t') += kHiddenWord;
            if (*window == shown) inChain = false;
        }
        text += kLineEnd;
    }
    return text;
}

}  // namespace quellon
