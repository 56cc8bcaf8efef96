// What a tree widget must offer so that Nodes can drive it: the comctl32 tree view in the
// tool, an in-memory tree for a dump and the unit tests.
#pragma once

#include <cstdint>
#include <string>

namespace quellon {

// The widget's own reference to one item (an HTREEITEM in the tool); 0 means none.
using ItemRef = std::uintptr_t;

// What the widget keeps with an item so that its events name the item's node (Nodes.h).
using NodeId = std::uintptr_t;

// One item of a widget as the tree's text form lists it.
struct ListedEntry {
    int depth = 0;  // 0 for a top-level item
    std::wstring text;
    int image = 0;
    NodeId id = 0;
};

class TreeBackend {
public:
    virtual ~TreeBackend() = default;

    virtual void removeAll() = 0;
    // Insert as the last child of parent (0: last top-level item). image 0 means no picture.
    // `id` is stored with the item so that events can name its node.
    virtual ItemRef insertLast(ItemRef parent, const std::wstring& text, int image, NodeId id) = 0;
    // Mark the item expanded; children added later must show too.
    virtual void expand(ItemRef item) = 0;
    virtual void select(ItemRef item) = 0;
    // Between these calls the widget need not repaint; afterwards it shows the final state
    // with the selected item scrolled into view.
    virtual void beginBulkUpdate() = 0;
    virtual void endBulkUpdate() = 0;
};

}  // namespace quellon
