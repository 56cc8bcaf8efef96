// The probe: its drag gesture, the text of one tree entry, the chain from the desktop down to the
// window under the pointer, and the walk that adds every descendant of that window.
#include <unordered_set>
#include <utility>

#include "app/TextBuffer.h"
#include "app/WindowNodes.h"
#include "app/frmMain.h"
#include "platform/Procedure.h"
#include "platform/RuntimeError.h"

namespace quellon {

namespace {

constexpr ProcedureName kMoveProcedure{L"r1_MouseMove", kFormFrmMain};

// The window that a window sits in, as the walk needs it. For a pop-up style window moved into
// another window (a docked tool window, another program's window embedded by its host),
// GetParent names the owner, or 0, while GetAncestor names the window it sits in. Systems
// before Windows 98 and 2000 lack GetAncestor; there GetParent answers.
class ParentQuery {
public:
    explicit ParentQuery(WindowQueries& windows) : windows_(windows) {}

    Hwnd operator()(Hwnd window) {
        if (hasAncestor_) {
            try {
                return windows_.getAncestor(window, win::kGaParent);
            } catch (const RuntimeError& error) {
                if (error.number != ErrorNumber::EntryPointNotFound.number) throw;
                hasAncestor_ = false;
            }
        }
        return windows_.getParent(window);
    }

private:
    WindowQueries& windows_;
    bool hasAncestor_ = true;
};

}  // namespace

void FrmMain::r1_MouseDown(int) {
    movedWithLeftAlone_ = false;
    form_.setMousePointer(MousePointer::ArrowQuestion);
}

// Letting go of the left button ends a drag where the button went up: the tree shows the window
// there, as one more move would. A quick drag's moves can be followed by a late one that carries
// a position from earlier in the drag; without this, the tree would keep a window
// passed on the way. A click on the probe without a move probes nothing, and neither does a
// release while another button is still held.
void FrmMain::r1_MouseUp(int button, int stillHeld, Point releasedAt) {
    if (button == kLeftButton && stillHeld == 0 && std::exchange(movedWithLeftAlone_, false)) {
        runNumbered(reports_, kMoveProcedure, [&](int& line) { probeAt(releasedAt, line); });
    }
    form_.setMousePointer(MousePointer::Default);
}

void FrmMain::r1_MouseMove(int button, Point movedTo) {
    runNumbered(reports_, kMoveProcedure, [&](int& line) {
        if (button != kLeftButton) return;
        movedWithLeftAlone_ = true;
        probeAt(movedTo, line);
    });
}

void FrmMain::r1_MouseResting(int button) {
    if (!movedWithLeftAlone_ || button != kLeftButton) return;
    probeCursor(Same::Keep);
}

// Menus, tooltips and drop-down lists close when the probe is pressed; the hotkey reaches them.
// Unlike a move it rebuilds for the window shown last too, as the user asked for it anew.
void FrmMain::Form_HotKey() {
    outline_.beginPick();
    probeCursor(Same::Rebuild);
}

void FrmMain::probeCursor(Same same) {
    runNumbered(reports_, kMoveProcedure, [&](int& line) {
        line = 30;
        Point position;
        // Unreadable while another desktop takes the input (lock screen, elevation prompt).
        if (!windows_.getCursorPos(position)) return;
        probeAt(position, line, same);
    });
}

void FrmMain::probeAt(Point position, int& line, Same same) {
    line = 40;
    const Hwnd target = windows_.windowFromPoint(position);
    line = 50;
    if (target == hwndLastTarget_ && same == Same::Keep) {
        // Again after a pass over the main window, which took the outline away.
        outlineUnlessDesktop(target);
        return;
    }
    showTarget(target, line);
}

void FrmMain::showTarget(Hwnd target, int& line) {
    line = 60;
    if (target == form_.hwnd()) {
        outline_.follow(0);
        return;
    }
    rebuildTree(target, line);
}

// A handle of no window changes nothing and reports nothing: pasted text often names none.
bool FrmMain::pickWindow(Hwnd target) {
    if (!geometry_.isWindow(target)) return false;
    outline_.beginPick();
    runNumbered(reports_, kMoveProcedure, [&](int& line) { showTarget(target, line); });
    return true;
}

void FrmMain::pickAllWindows() {
    runNumbered(reports_, kMoveProcedure, [&](int& line) {
        line = 70;
        const Hwnd desktop = windows_.getDesktopWindow();
        line = 80;
        Nodes& tree = trvw();
        const Nodes::BulkUpdate bulk(tree);
        Node lastNode = startTree(tree, line);
        line = 160;
        tree.setSelected(lastNode);
        line = 170;
        hwndLastTarget_ = desktop;
        walkDescendants(line, lastNode);
    });
}

void FrmMain::rebuildLastTarget() {
    const Hwnd target = hwndLastTarget_;
    if (target == 0 || !geometry_.isWindow(target)) return;
    runNumbered(reports_, kMoveProcedure, [&](int& line) { rebuildTree(target, line); });
}

void FrmMain::rebuildTree(Hwnd target, int& line) {
    line = 70;
    const std::optional<std::vector<Hwnd>> parents = GetParents(target);
    line = 80;
    Nodes& tree = trvw();
    // Released before this handler's error report is shown, so that box never sits over a
    // frozen tree.
    const Nodes::BulkUpdate bulk(tree);
    Node lastNode = startTree(tree, line);
    line = 100;
    if (!parents) raise(ErrorNumber::SubscriptOutOfRange);
    for (std::size_t i = parents->size(); i-- > 0;) {
        line = 110;
        const std::wstring text = GetEntry((*parents)[i]);
        line = 120;
        const std::wstring key = nodeKey((*parents)[i]);
        line = 130;
        lastNode = tree.addChild(lastNode, key, text, kImageVisible);
        line = 140;
        tree.setExpanded(lastNode);
    }
    line = 160;
    tree.setSelected(lastNode);
    line = 170;
    hwndLastTarget_ = target;
    // Outlined before the walk, which may take long on a huge tree: the user sees at once what
    // is probed. The desktop's tree ends at itself, on every system alike: where GetAncestor is
    // missing, top-level windows name owners or nothing as parents, never the desktop.
    if (!outlineUnlessDesktop(target)) return;
    walkDescendants(line, lastNode);
}

Node FrmMain::startTree(Nodes& tree, int& line) {
    tree.clear();
    line = 90;
    return tree.addTopLevel(L"DesktopWindow");
}

bool FrmMain::outlineUnlessDesktop(Hwnd target) {
    const bool desktop = target == windows_.getDesktopWindow();
    outline_.follow(desktop ? 0 : target);
    return !desktop;
}

// Pre-order over the subtree of hwndLastTarget in z-order, each window below the node of the
// window that the window system says it sits in.
//
// The walk ends however the windows change while it runs. Every pass of the main loop adds a
// node or fails, and adding a key that is already present fails, so the passes are bounded by
// the windows there are (and by the tree's own limit). While the windows hold still, a climb
// passes only windows that have nodes below the root; a climb of more steps than the tree has
// nodes has left the subtree (windows were moved, or their parents form a loop) and ends the
// walk, as does a parent of 0 (the window was destroyed).
void FrmMain::walkDescendants(int& line, Node& lastNode) {
    Nodes& tree = trvw();
    const Hwnd root = hwndLastTarget_;
    // The root's node by itself: the desktop's "DesktopWindow" has no key.
    const Node rootNode = lastNode;
    ParentQuery parentOf(windows_);

    // The six steps that add one window; each place that adds numbers them from its own label.
    const auto add = [&](Hwnd window, int firstLabel) {
        line = firstLabel;
        const std::wstring text = GetEntry(window);
        line = firstLabel + 10;
        const Hwnd parent = parentOf(window);
        line = firstLabel + 20;
        lastNode = parent == root ? rootNode : tree.find(nodeKey(parent));
        line = firstLabel + 30;
        const int image = windows_.isWindowVisible(window) ? kImageVisible : kImageHidden;
        line = firstLabel + 40;
        lastNode = tree.addChild(lastNode, nodeKey(window), text, image);
        line = firstLabel + 50;
        tree.setExpanded(lastNode);
    };

    // Only the queries and the adds can fail, so only they set `line`: no report can show a test
    // or an assignment between them.
    Hwnd found = root;
    for (;;) {
        Hwnd current = found;
        line = 200;
        found = windows_.getWindow(current, Relation::Child);
        if (found != 0) {
            add(found, 510);
            continue;
        }
        if (current == root) return;
        line = 230;
        found = windows_.getWindow(current, Relation::Next);
        if (found != 0) {
            add(found, 420);
            continue;
        }
        for (int climbs = 0;; ++climbs) {
            line = 250;
            found = parentOf(current);
            if (found == root || found == 0 || climbs >= tree.count()) return;
            line = 270;
            current = windows_.getWindow(found, Relation::Next);
            if (current != 0) break;
            current = found;
        }
        add(current, 320);
        found = current;
    }
}

std::wstring FrmMain::GetEntry(Hwnd hwnd) {
    std::wstring result;
    runNumbered(reports_, {L"GetEntry", kFormFrmMain}, [&](int& line) {
        TextBuffer buffer{};
        line = 30;
        const int n = windows_.getWindowText(hwnd, buffer.data(), kTextCapacity);
        line = 40;
        if (n != 0) result = L'"' + copiedText(buffer, n) + L"\"  ";
        buffer.fill(L'\0');
        line = 60;
        const int m = windows_.getClassName(hwnd, buffer.data(), kTextCapacity);
        line = 70;
        result += L'(' + copiedText(buffer, m) + L')';
    });
    return result;
}

std::optional<std::vector<Hwnd>> FrmMain::GetParents(Hwnd hwnd) {
    std::optional<std::vector<Hwnd>> result;
    runNumbered(reports_, {L"GetParents", kFormFrmMain}, [&](int& line) {
        line = 20;
        std::vector<Hwnd> list{hwnd};
        // A chain that comes back to a window already listed would never reach 0.
        std::unordered_set<Hwnd> listed{hwnd};
        Hwnd current = hwnd;
        for (;;) {
            line = 60;
            const Hwnd p = windows_.getParent(current);
            if (p == 0 || listed.count(p) != 0) break;
            line = 80;
            list.push_back(p);
            listed.insert(p);
            current = p;
        }
        result = std::move(list);
    });
    return result;
}

}  // namespace quellon
