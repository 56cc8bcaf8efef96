#include "app/WindowDump.h"

#include "app/TreeText.h"
#include "app/WindowlessHost.h"
#include "app/frmMain.h"
#include "app/treeview/ListedTree.h"

namespace quellon {

std::optional<std::wstring> dumpWindow(const Platform& platform, WindowGeometry& geometry,
                                       float twipsPerPixel, const WindowChoice& choice) {
    ListedTree tree;
    Nodes nodes(tree);
    WindowlessHost host(twipsPerPixel);
    NoOutlineFrames frames;
    ProbeOutline outline(geometry, frames);
    FrmMain form(platform, host, nodes, geometry, outline);
    form.Form_Load();
    if (const Hwnd* handle = std::get_if<Hwnd>(&choice)) {
        if (!form.pickWindow(*handle)) return std::nullopt;
    } else {
        form.r1_MouseMove(kLeftButton, std::get<Point>(choice));
    }
    // A target is stored only once its chain is in the tree with its entry selected.
    const Hwnd target = form.hwndLastTarget();
    if (target == 0) return std::nullopt;
    const std::optional<Node> shown = nodes.fromId(tree.item(tree.selected()).id);
    if (!shown) return std::nullopt;
    form.writeDetails(*shown, FrmMain::Flash::Off);
    if (!geometry.isWindow(target)) return std::nullopt;
    return treeText(tree.entries(), nodes, platform.windows, target) + std::wstring(kLineEnd) +
           host.details() + std::wstring(kLineEnd);
}

}  // namespace quellon
