#include "tests/support/MemoryTree.h"

namespace quellon::test {

void MemoryTree::removeAll() {
    items_.clear();
    selected_ = 0;
}

ItemRef MemoryTree::insertLast(ItemRef parent, const std::wstring& text, int image, NodeId id) {
    if (beforeInsert) beforeInsert(text);
    items_.push_back({parent, text, image, id, false, {}});
    const ItemRef ref = items_.size();
    if (parent) items_.at(parent - 1).children.push_back(ref);
    return ref;
}

void MemoryTree::expand(ItemRef item) { items_.at(item - 1).expanded = true; }

void MemoryTree::select(ItemRef item) { selected_ = item; }

std::vector<ItemRef> MemoryTree::roots() const {
    std::vector<ItemRef> result;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].parent == 0) result.push_back(i + 1);
    }
    return result;
}

std::wstring MemoryTree::describe() const {
    std::wstring out;
    for (ItemRef root : roots()) describe(root, 0, out);
    return out;
}

void MemoryTree::describe(ItemRef ref, int depth, std::wstring& out) const {
    // Iterative over siblings, recursive over depth would overflow on deep chains: walk with
    // an explicit stack instead.
    std::vector<std::pair<ItemRef, int>> stack{{ref, depth}};
    while (!stack.empty()) {
        const auto [current, level] = stack.back();
        stack.pop_back();
        const Item& it = item(current);
        out.append(static_cast<std::size_t>(level) * 2, L' ');
        if (current == selected_) out += L'*';
        out += it.text;
        if (it.image) out += L" [" + std::to_wstring(it.image) + L"]";
        if (it.expanded) out += L" +";
        out += L'\n';
        for (auto child = it.children.rbegin(); child != it.children.rend(); ++child) {
            stack.emplace_back(*child, level + 1);
        }
    }
}

}  // namespace quellon::test
