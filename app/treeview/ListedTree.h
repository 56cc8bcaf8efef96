// A tree widget held in memory: the items that a tree view would show, with their texts,
// pictures and states, listed in display order. A window's tree is built in it where no window
// shows one (the command line's dump); the unit tests build theirs in it too.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/treeview/TreeBackend.h"

namespace quellon {

class ListedTree : public TreeBackend {
public:
    struct Item {
        ItemRef parent = 0;
        std::wstring text;
        int image = 0;
        NodeId id = 0;
        bool expanded = false;
        std::vector<ItemRef> children;
    };

    void removeAll() override;
    ItemRef insertLast(ItemRef parent, const std::wstring& text, int image, NodeId id) override;
    void expand(ItemRef item) override;
    void select(ItemRef item) override;
    void beginBulkUpdate() override {}
    void endBulkUpdate() override {}

    // Every item with its depth in display order: each before its children, which follow in
    // the order they were added.
    [[nodiscard]] std::vector<std::pair<ItemRef, int>> inDisplayOrder() const;
    [[nodiscard]] std::vector<ListedEntry> entries() const;

    [[nodiscard]] const Item& item(ItemRef ref) const { return items_.at(ref - 1); }
    [[nodiscard]] ItemRef selected() const { return selected_; }
    [[nodiscard]] std::size_t size() const { return items_.size(); }

private:
    std::vector<Item> items_;
    std::vector<ItemRef> roots_;
    ItemRef selected_ = 0;
};

}  // namespace quellon
