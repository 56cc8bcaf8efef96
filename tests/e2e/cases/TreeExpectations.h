// What the tool's tree must hold after a probe: the chain from "DesktopWindow" to the target,
// and the entries of the fixture's windows.
#pragma once

#include <string>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/Processes.h"
#include "../driver/RemoteTree.h"
#include "../driver/Session.h"

namespace e2e {

// Checks "DesktopWindow" alone at the top without a picture, below it the chain's entries from
// the outermost down, each the only child of the one before, with picture 1 and expanded, and
// the last one as the only selected entry. Returns the target's entry, or null when the chain
// is not there.
const TreeItem* checkChain(TestContext& t, const std::vector<TreeItem>& roots,
                           const std::vector<std::wstring>& chain);

// An expected entry of a descendant: expanded, not selected.
TreeItem expectedEntry(const std::wstring& text, const std::wstring& cls, int image,
                       std::vector<TreeItem> children = {});

// The entry the tool must show for the window and each of its descendants, read with the same
// queries the walk makes, from outside the tool.
TreeItem expectedSubtree(HWND window, bool selected);

// The entries from the outermost window down to this one, as GetParent links them.
std::vector<std::wstring> chainOf(HWND window);

// Checks that the tree shows the window as after a drag onto it: its chain (checkChain) and
// below it every descendant.
void checkTreeShows(TestContext& t, const std::vector<TreeItem>& roots, HWND window);

// The handle's 32 bits in upper-case hexadecimal, as the tool writes them after "&H".
std::wstring hexDigits(HWND window);

// A handle that named a window of the fixture a moment ago and names none now.
HWND vanishedWindow(TestContext& t);

// The tree the tool must show for the window, in its text form (the README's "The tree as
// text"): "DesktopWindow", the chain and every descendant, read from outside the tool.
std::wstring expectedTreeText(HWND target);

// Drags from the probe to the point and records a failure, with the tree as it is, unless the
// selected entry comes to read `entry`.
bool probeAndCheck(TestContext& t, POINT point, const std::wstring& entry);

// Records a failure for every message box the tool shows.
void checkNoReport(TestContext& t);

// A point of the tool's main window that none of its controls covers: the gap between the tree
// and the probe.
POINT bareToolPoint(const ToolWindows& tool);

// Another fixture process with windows of one kind (see QuellonFixture.cpp), for one case; it
// ends with the object.
struct SideFixture {
    ChildProcess process;
    HWND top = nullptr;  // its top-level window of the class asked for
};
SideFixture startSideFixture(TestContext& t, const std::vector<std::wstring>& args,
                             const wchar_t* topClass, const std::wstring& exe = {});

// The entries of the fixture's windows.
std::wstring fixtureMainEntry();
std::wstring fixtureDialogEntry();

}  // namespace e2e
