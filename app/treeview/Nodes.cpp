#include "app/treeview/Nodes.h"

#include "platform/RuntimeError.h"

namespace quellon {

namespace {

// Item ids carry the generation in the high bits so that an event for an item of an earlier
// tree is never taken for a node of the current one.
constexpr int kIndexBits = 24;

NodeId makeId(std::uint32_t generation, int index) {
    return (static_cast<NodeId>(generation & 0xFF) << kIndexBits) | static_cast<NodeId>(index);
}

}  // namespace

Nodes::Nodes(TreeBackend& widget) : widget_(widget) {}

void Nodes::clear() {
    widget_.removeAll();
    items_.clear();
    indexByKey_.clear();
    ++generation_;
}

Node Nodes::addTopLevel(const std::wstring& text) { return append(0, {}, text, 0); }

Node Nodes::addChild(Node relative, const std::wstring& key, const std::wstring& text, int image) {
    const ItemRef parent = itemOf(relative).item;
    if (indexByKey_.count(key)) raise(ErrorNumber::KeyNotUnique);
    return append(parent, key, text, image);
}

Node Nodes::append(ItemRef parent, std::wstring key, const std::wstring& text, int image) {
    if (items_.size() + 1 >= (std::size_t{1} << kIndexBits)) raise(ErrorNumber::OutOfMemory);
    const int index = static_cast<int>(items_.size()) + 1;
    // Make the push below unable to fail; growing by doubling keeps a long rebuild linear.
    if (items_.size() == items_.capacity()) items_.reserve(2 * items_.size() + 16);
    // The key goes in first and comes out again when the widget fails, so that no item is ever
    // shown without a node of its own (a later node would take its index).
    if (!key.empty()) indexByKey_.emplace(key, index);
    ItemRef item = 0;
    try {
        item = widget_.insertLast(parent, text, image, makeId(generation_, index));
    } catch (...) {
        if (!key.empty()) indexByKey_.erase(key);
        throw;
    }
    items_.push_back({item, std::move(key)});
    return {index, generation_};
}

Node Nodes::find(std::wstring_view key) const {
    const auto found = indexByKey_.find(std::wstring(key));
    if (found == indexByKey_.end()) raise(ErrorNumber::ElementNotFound);
    return {found->second, generation_};
}

void Nodes::setExpanded(Node node) { widget_.expand(itemOf(node).item); }

void Nodes::setSelected(Node node) { widget_.select(itemOf(node).item); }

int Nodes::index(Node node) const {
    itemOf(node);
    return node.index;
}

std::wstring Nodes::key(Node node) const { return itemOf(node).key; }

std::optional<Node> Nodes::fromId(NodeId id) const {
    const int index = static_cast<int>(id & ((NodeId{1} << kIndexBits) - 1));
    const auto generation = static_cast<std::uint32_t>(id >> kIndexBits);
    if (generation != (generation_ & 0xFF) || index < 1 || index > count()) return std::nullopt;
    return Node{index, generation_};
}

const Nodes::NodeItem& Nodes::itemOf(Node node) const {
    if (node.index == 0) raise(ErrorNumber::ObjectNotSet);
    if (node.generation != generation_ || node.index > count()) raise(ErrorNumber::NodeRemoved);
    return items_[static_cast<std::size_t>(node.index - 1)];
}

}  // namespace quellon
