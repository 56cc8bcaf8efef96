// The main window's behaviour: one handler per control event, written against the platform
// layer, the hosting window and the tree's nodes, so that the same code runs in the tool and
// on the simulated desktop of the unit tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FormHost.h"
#include "app/ProbeOutline.h"
#include "app/treeview/Nodes.h"
#include "platform/Platform.h"
#include "platform/WindowGeometry.h"

namespace quellon {

// The owner that the reports of the handlers and of GetEntry and GetParents name.
inline constexpr std::wstring_view kFormFrmMain = L"Formular frmMain";

// Mouse buttons as the probe's handlers receive them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

class FrmMain {
public:
    FrmMain(Platform platform, FormHost& form, Nodes& trv, WindowGeometry& geometry,
            ProbeOutline& outline);

    void Form_Load();
    void Form_Terminate();
    void Form_Resize();
    // F5: the tree rebuilt for the window shown last, as a move onto it would, reports
    // included; nothing once that window is gone.
    void rebuildLastTarget();

    void chkTop_Click();
    void Command1_Click(std::int16_t index);

    void r1_MouseDown(int button);
    // `movedTo`: the pointer's screen position as the move reports it. It is taken from the move
    // itself rather than asked for anew: the position asked for can lag behind the moves, for
    // seconds where the input comes from another program.
    void r1_MouseMove(int button, Point movedTo);
    // Called now and then while the probe holds the capture, with the buttons held: no move
    // comes while the pointer rests, yet the window under it may differ from the one shown (a
    // window appeared there, or the last move delivered carried an earlier position). Once the
    // drag has moved, the pointer's position is probed as a move's would be.
    void r1_MouseResting(int button);
    // `stillHeld`: the buttons held after this one went up; `releasedAt`: the pointer's screen
    // position when it went up.
    void r1_MouseUp(int button, int stillHeld, Point releasedAt);
    // The system-wide hotkey: picks the window under the pointer as a move of a drag does.
    void Form_HotKey();
    // Picks the window by its handle as the hotkey picks the window under the pointer (a
    // handle pasted or given on the command line); whether it is a window.
    bool pickWindow(Hwnd target);
    // Every top-level window of the desktop, each with its descendants, below "DesktopWindow" by
    // the walk of a drag, with the desktop window as the target: a drag onto the desktop shows
    // it alone.
    void pickAllWindows();

    void trvw_NodeClick(Node node);
    // The details of the node's window written as a click on its entry writes them, the same
    // steps and reports, with the flash or without it.
    enum class Flash { On, Off };
    void writeDetails(Node node, Flash flash);
    // Delivered by the tree widget; reaches trvw_NodeClick only while trvw is attached.
    void onTreeNodeClick(Node node);

    [[nodiscard]] Hwnd hwndLastTarget() const { return hwndLastTarget_; }

private:
    [[nodiscard]] std::wstring GetEntry(Hwnd hwnd);
    // The window and every window GetParent names above it; no list after a failure.
    [[nodiscard]] std::optional<std::vector<Hwnd>> GetParents(Hwnd hwnd);

    // The steps from 40 on of the move handler, numbered by `line`: the window at that screen
    // position becomes the target unless it is the main window or, for `same` Keep, the window
    // shown last.
    enum class Same { Keep, Rebuild };
    void probeAt(Point position, int& line, Same same = Same::Keep);
    // The same from step 30 on, for where the pointer is now.
    void probeCursor(Same same);
    // The steps from 60 on of the move handler: the window becomes the target unless it is the
    // main window.
    void showTarget(Hwnd target, int& line);
    // The chain from the desktop to the target, the target stored in hwndLastTarget, and the
    // walk below it: the steps from 70 on of the move handler, numbered by `line`.
    void rebuildTree(Hwnd target, int& line);
    // The tree emptied down to the desktop's entry, step 90; its node.
    Node startTree(Nodes& tree, int& line);
    // Outlines the window that the tree shows as the target unless it is the desktop window,
    // which is not outlined; whether it was not the desktop.
    bool outlineUnlessDesktop(Hwnd target);
    // Adds every descendant of hwndLastTarget below its parent's node; `lastNode` is the node of
    // hwndLastTarget when it begins.
    void walkDescendants(int& line, Node& lastNode);

    // trvw, or a run-time error while it refers to nothing.
    Nodes& trvw();

    WindowQueries& windows_;
    Processes& processes_;
    Screen& screen_;
    Reports& reports_;
    FormHost& form_;
    Nodes& trv_;
    WindowGeometry& geometry_;
    ProbeOutline& outline_;
    Nodes* trvw_ = nullptr;
    Hwnd hwndLastTarget_ = 0;
    // Whether the drag since the last press moved with the left button alone held.
    bool movedWithLeftAlone_ = false;
};

}  // namespace quellon
