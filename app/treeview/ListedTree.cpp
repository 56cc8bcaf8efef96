#include "app/treeview/ListedTree.h"

namespace quellon {

void ListedTree::removeAll() {
    items_.clear();
    roots_.clear();
    selected_ = 0;
}

ItemRef ListedTree::insertLast(ItemRef parent, const std::wstring& text, int image, NodeId id) {
    items_.push_back({parent, text, image, id, false, {}});
    const ItemRef ref = items_.size();
    (parent ? items_.at(parent - 1).children : roots_).push_back(ref);
    return ref;
}

void ListedTree::expand(ItemRef item) { items_.at(item - 1).expanded = true; }

void ListedTree::select(ItemRef item) { selected_ = item; }

std::vector<std::pair<ItemRef, int>> ListedTree::inDisplayOrder() const {
    std::vector<std::pair<ItemRef, int>> order;
    order.reserve(items_.size());
    // An explicit stack: a chain of windows can be deeper than the call stack.
    std::vector<std::pair<ItemRef, int>> stack;
    for (auto root = roots_.rbegin(); root != roots_.rend(); ++root) stack.emplace_back(*root, 0);
    while (!stack.empty()) {
        const auto [current, depth] = stack.back();
        stack.pop_back();
        order.emplace_back(current, depth);
        const std::vector<ItemRef>& children = item(current).children;
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            stack.emplace_back(*child, depth + 1);
        }
    }
    return order;
}

std::vector<ListedEntry> ListedTree::entries() const {
    std::vector<ListedEntry> listed;
    for (const auto& [ref, depth] : inDisplayOrder()) {
        listed.push_back({depth, item(ref).text, item(ref).image, item(ref).id});
    }
    return listed;
}

}  // namespace quellon
