#include "app/TreeClicks.h"

#include "app/frmMain.h"

namespace quellon {

void TreeClicks::deliver(NodeId id) {
    const std::optional<Node> node = nodes_.fromId(id);
    if (!node) return;
    struct Running {
        int& count;
        explicit Running(int& c) : count(++c) {}
        ~Running() { --count; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
    } running(running_);
    form_.onTreeNodeClick(*node);
}

}  // namespace quellon
