#include "RemoteTree.h"

#include <stdexcept>

#include "Text.h"

namespace e2e {

namespace {

// The item record first, its text buffer after it.
constexpr size_t kTextOffset = (sizeof(TVITEMW) + 15) / 16 * 16;
constexpr int kTextCapacity = 4096;

bool findPath(const std::vector<TreeItem>& items, std::vector<const TreeItem*>& path) {
    for (const auto& item : items) {
        path.push_back(&item);
        if (item.selected || findPath(item.children, path)) return true;
        path.pop_back();
    }
    return false;
}

void describeLevel(const std::vector<TreeItem>& items, int depth, std::string& out) {
    for (const auto& item : items) {
        // Appended piece by piece: GCC 12 takes a concatenation here for overlapping copies.
        out += "\n         ";
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += quote(item.text);
        out += cat(" img", item.image, item.expanded ? " expanded" : "",
                   item.selected ? " SELECTED" : "");
        describeLevel(item.children, depth + 1, out);
    }
}

}  // namespace

RemoteTree::RemoteTree(HWND tree)
    : tree_(tree), buffer_(processOf(tree), kTextOffset + kTextCapacity * sizeof(wchar_t)) {}

int RemoteTree::count() const { return static_cast<int>(sendTo(tree_, TVM_GETCOUNT, 0, 0)); }

HTREEITEM RemoteTree::next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(
        sendTo(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM RemoteTree::selection() const { return next(nullptr, TVGN_CARET); }

TreeItem RemoteTree::item(HTREEITEM handle) const {
    TVITEMW record{};
    record.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
    record.hItem = handle;
    record.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
    record.pszText = reinterpret_cast<LPWSTR>(buffer_.address(kTextOffset));
    record.cchTextMax = kTextCapacity;
    buffer_.put(0, record);
    buffer_.put(kTextOffset, L'\0');
    if (!sendTo(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer_.address()))) {
        throw std::runtime_error(cat("TVM_GETITEMW failed for entry ", handle));
    }
    record = buffer_.get<TVITEMW>(0);
    std::wstring text(kTextCapacity, L'\0');
    buffer_.read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
    text.resize(text.find(L'\0'));

    TreeItem result;
    result.handle = handle;
    result.text = text;
    // The tool's picture n is the image list's index n - 1; any other index draws nothing.
    result.image = (record.iImage == 0 || record.iImage == 1) ? record.iImage + 1 : 0;
    result.expanded = (record.state & TVIS_EXPANDED) != 0;
    result.selected = (record.state & TVIS_SELECTED) != 0;
    return result;
}

std::vector<TreeItem> RemoteTree::readLevel(HTREEITEM first) const {
    std::vector<TreeItem> items;
    for (HTREEITEM h = first; h; h = next(h, TVGN_NEXT)) {
        items.push_back(item(h));
        items.back().children = readLevel(next(h, TVGN_CHILD));
    }
    return items;
}

// The tool may rebuild the tree between two of our messages; an entry that vanished under the
// reading makes us start again.
template <class Reading>
auto retried(Reading reading) {
    for (int attempt = 1;; ++attempt) {
        try {
            return reading();
        } catch (const std::runtime_error&) {
            if (attempt == 20) throw;
            Sleep(25);
        }
    }
}

std::vector<TreeItem> RemoteTree::read() const {
    return retried([&] { return readLevel(next(nullptr, TVGN_ROOT)); });
}

std::optional<TreeItem> RemoteTree::selected() const {
    return retried([&]() -> std::optional<TreeItem> {
        HTREEITEM handle = selection();
        if (!handle) return std::nullopt;
        return item(handle);
    });
}

std::optional<RECT> RemoteTree::itemRect(HTREEITEM handle, bool textOnly) const {
    // TVM_GETITEMRECT takes the item's handle in the place of the rectangle it fills.
    buffer_.put(0, handle);
    if (!sendTo(tree_, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(buffer_.address()))) {
        return std::nullopt;
    }
    RECT rect = buffer_.get<RECT>(0);
    MapWindowPoints(tree_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<const TreeItem*> selectionPath(const std::vector<TreeItem>& roots) {
    std::vector<const TreeItem*> path;
    findPath(roots, path);
    return path;
}

std::string describe(const std::vector<TreeItem>& roots) {
    std::string out;
    describeLevel(roots, 0, out);
    return roots.empty() ? std::string(" (empty)") : out;
}

}  // namespace e2e
