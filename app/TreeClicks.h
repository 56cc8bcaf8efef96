// Clicks on the tree's entries, handed to the details handler once the tree control's own click
// handling has returned. The control reports a click before it is done with the item it hit,
// and the details let events through while the window flashes: a drag among them deletes every
// item.
#pragma once

#include <functional>
#include <utility>

#include "app/treeview/Nodes.h"

namespace quellon {

class FrmMain;

class TreeClicks {
public:
    // `post` has the window call deliver(id) after the message it handles now.
    using Post = std::function<void(NodeId)>;

    TreeClicks(Nodes& nodes, FrmMain& form, Post post)
        : nodes_(nodes), form_(form), post_(std::move(post)) {}

    // In the control's notification of a click on the entry with this id.
    void clicked(NodeId id) { post_(id); }
    // The click posted: the details of its entry, unless the tree has been rebuilt since.
    void deliver(NodeId id);
    // Whether the details of a click run: they nest while they let events through.
    [[nodiscard]] bool running() const { return running_ > 0; }

private:
    Nodes& nodes_;
    FrmMain& form_;
    Post post_;
    int running_ = 0;
};

}  // namespace quellon
