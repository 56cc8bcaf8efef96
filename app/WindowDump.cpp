#include "app/WindowDump.h"

#include "app/TextsRead.h"
#include "app/TreeJson.h"
#include "app/TreeText.h"
#include "app/WindowlessHost.h"
#include "app/frmMain.h"
#include "app/treeview/ListedTree.h"

namespace quellon {

namespace {

// Picks the chosen window as a paste, a move of the probe or, for the whole desktop, the walk
// from it would; whether a target is shown. A target is stored only once its chain is in the
// tree with its entry selected.
bool pick(FrmMain& form, const WindowChoice& choice) {
    if (const Hwnd* handle = std::get_if<Hwnd>(&choice)) {
        if (!form.pickWindow(*handle)) return false;
    } else if (const Point* at = std::get_if<Point>(&choice)) {
        form.r1_MouseMove(kLeftButton, *at);
    } else {
        form.pickAllWindows();
    }
    return form.hwndLastTarget() != 0;
}

}  // namespace

std::optional<std::wstring> dumpWindow(const Platform& platform, WindowGeometry& geometry,
                                       const std::function<float()>& twipsPerPixel,
                                       const WindowChoice& choice, DumpForm form) {
    TextsRead texts(platform.windows);
    const Platform reading{texts, platform.processes, platform.screen, platform.reports};
    ListedTree tree;
    Nodes nodes(tree);
    WindowlessHost host(twipsPerPixel);
    NoOutlineFrames frames;
    ProbeOutline outline(geometry, frames);
    FrmMain frm(reading, host, nodes, geometry, outline);
    frm.Form_Load();
    if (!pick(frm, choice)) return std::nullopt;
    const Hwnd target = frm.hwndLastTarget();
    const bool whole = std::holds_alternative<AllWindows>(choice);
    std::optional<std::wstring> details;
    if (!whole) {
        const std::optional<Node> shown = nodes.fromId(tree.item(tree.selected()).id);
        if (!shown) return std::nullopt;
        frm.writeDetails(*shown, FrmMain::Flash::Off);
        details = host.details();
    }
    if (!geometry.isWindow(target)) return std::nullopt;
    const std::vector<ShownEntry> entries = shownEntries(
        tree.entries(), nodes, texts, whole ? std::nullopt : std::optional<Hwnd>(target));
    if (form == DumpForm::Json) return treeJson(entries, texts, reading, geometry, target, details);
    std::wstring text = treeText(entries);
    if (details) text += std::wstring(kLineEnd) + *details + std::wstring(kLineEnd);
    return text;
}

}  // namespace quellon
