#include "app/TreeText.h"

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

std::vector<ShownEntry> shownEntries(const std::vector<ListedEntry>& entries, const Nodes& nodes,
                                     WindowQueries& windows, std::optional<Hwnd> shown) {
    std::vector<ShownEntry> listed;
    listed.reserve(entries.size());
    bool inChain = shown.has_value();
    for (const ListedEntry& entry : entries) {
        ShownEntry& line = listed.emplace_back();
        line.depth = entry.depth;
        line.text = entry.text;
        line.window = windowOf(entry, nodes);
        if (!line.window) continue;
        line.inChain = inChain;
        line.visible =
            inChain ? windows.isWindowVisible(*line.window) : entry.image != kImageHidden;
        if (*line.window == shown) inChain = false;
    }
    return listed;
}

std::wstring treeText(const std::vector<ShownEntry>& entries) {
    std::wstring text;
    for (const ShownEntry& entry : entries) {
        text.append(static_cast<std::size_t>(entry.depth), L'\t');
        appendShown(text, entry.text);
        if (entry.window) {
            text += L'\t' + handleText(*entry.window);
            if (!entry.visible) (text += L'\t') += kHiddenWord;
        }
        text += kLineEnd;
    }
    return text;
}

std::wstring treeText(const std::vector<ListedEntry>& entries, const Nodes& nodes,
                      WindowQueries& windows, Hwnd shown) {
    return treeText(shownEntries(entries, nodes, windows, shown));
}

}  // namespace quellon
