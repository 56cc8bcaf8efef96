// The in-memory tree widget for the unit tests: it describes what it holds as indented text,
// counts its bulk updates, and can be told to fail an insertion.
#pragma once

#include <functional>
#include <string>

#include "app/treeview/ListedTree.h"

namespace quellon::test {

class MemoryTree : public ListedTree {
public:
    ItemRef insertLast(ItemRef parent, const std::wstring& text, int image, NodeId id) override {
        if (beforeInsert) beforeInsert(text);
        return ListedTree::insertLast(parent, text, image, id);
    }
    void beginBulkUpdate() override { ++bulkDepth; }
    void endBulkUpdate() override { --bulkDepth, ++bulkUpdates; }

    // One line per item in display order: two blanks per level, the text, then
    // " [image]" when it has a picture and " +" when it is expanded; "*" marks the selection.
    std::wstring describe() const;

    // Called before each insertion; throwing from it makes the insertion fail.
    std::function<void(const std::wstring& text)> beforeInsert;
    int bulkDepth = 0;
    int bulkUpdates = 0;
};

}  // namespace quellon::test
