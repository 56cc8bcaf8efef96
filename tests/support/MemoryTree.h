// An in-memory tree widget for the unit tests: it keeps what a tree view would show and can
// describe it as indented text, and it can be told to fail an insertion.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/treeview/TreeBackend.h"

namespace quellon::test {

class MemoryTree : public TreeBackend {
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
    void beginBulkUpdate() override { ++bulkDepth; }
    void endBulkUpdate() override { --bulkDepth, ++bulkUpdates; }

    // One line per item in display order: two blanks per level, the text, then
    // " [image]" when it has a picture and " +" when it is expanded; "*" marks the selection.
    std::wstring describe() const;
    const Item& item(ItemRef ref) const { return items_.at(ref - 1); }
    std::vector<ItemRef> roots() const;
    ItemRef selected() const { return selected_; }
    std::size_t size() const { return items_.size(); }

    // Called before each insertion; throwing from it makes the insertion fail.
    std::function<void(const std::wstring& text)> beforeInsert;
    int bulkDepth = 0;
    int bulkUpdates = 0;

private:
    void describe(ItemRef ref, int depth, std::wstring& out) const;

    std::vector<Item> items_;
    ItemRef selected_ = 0;
};

}  // namespace quellon::test
