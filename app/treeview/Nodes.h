// The tree's nodes as the tool's logic sees them: keys, 1-based indexes counted since the last
// clearing, add, look-up by key, expand and select. Keys live in a hash map, so a look-up
// never searches the tree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/treeview/TreeBackend.h"

namespace quellon {

// One entry of the tree as the logic refers to it; the widget shows it as an item. A node goes
// stale when the tree is cleared; using a stale node raises.
struct Node {
    int index = 0;  // 1-based; 0 for no node
    std::uint32_t generation = 0;
};

class Nodes {
public:
    explicit Nodes(TreeBackend& widget);

    void clear();
    // A new top-level node after the existing ones, with neither key nor picture.
    Node addTopLevel(const std::wstring& text);
    // A new last child of `relative`. A key that is already present raises and adds nothing.
    Node addChild(Node relative, const std::wstring& key, const std::wstring& text, int image);
    // The node with that key; an absent key raises.
    [[nodiscard]] Node find(std::wstring_view key) const;
    void setExpanded(Node node);
    void setSelected(Node node);

    [[nodiscard]] int index(Node node) const;
    [[nodiscard]] std::wstring key(Node node) const;
    [[nodiscard]] int count() const { return static_cast<int>(items_.size()); }

    // The node that the widget reports by the id given at insertion, if it is still current.
    [[nodiscard]] std::optional<Node> fromId(NodeId id) const;

    // Suspends the widget's repainting for the lifetime of the guard.
    class BulkUpdate {
    public:
        explicit BulkUpdate(Nodes& nodes) : widget_(nodes.widget_) { widget_.beginBulkUpdate(); }
        ~BulkUpdate() { widget_.endBulkUpdate(); }
        BulkUpdate(const BulkUpdate&) = delete;
        BulkUpdate& operator=(const BulkUpdate&) = delete;

    private:
        TreeBackend& widget_;
    };

private:
    // What each node has: its item in the widget and its key.
    struct NodeItem {
        ItemRef item;
        std::wstring key;
    };

    const NodeItem& itemOf(Node node) const;
    Node append(ItemRef parent, std::wstring key, const std::wstring& text, int image);

    TreeBackend& widget_;
    std::vector<NodeItem> items_;
    std::unordered_map<std::wstring, int> indexByKey_;
    std::uint32_t generation_ = 1;
};

}  // namespace quellon
