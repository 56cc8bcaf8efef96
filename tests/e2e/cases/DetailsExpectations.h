// What the tool's text box must show for a clicked tree entry, worked out by the driver from
// the window itself, and the click on an entry as a user gives it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/RemoteTree.h"
#include "../driver/Session.h"

namespace e2e {

// The full path of the process's executable, as the NT family shows it; empty when the process
// cannot be asked.
std::wstring executablePath(DWORD processId);
// The part of a path after its last backslash, as the 95 family shows it.
std::wstring fileNameOf(const std::wstring& path);

// The five lines for the window, `module` after "Modul:".
std::wstring expectedDetails(HWND window, const std::wstring& module);

// An entry of the tool's tree and the window it stands for.
struct EntryOf {
    HTREEITEM entry = nullptr;
    HWND window = nullptr;
};

// The shown entries of the windows, found by their entry texts, in the order of `windows`;
// windows without an entry on the screen are left out.
std::vector<EntryOf> shownEntries(Session& session, const std::vector<HWND>& windows);

// Clicks the middle of the entry's text; false when the entry is not on the screen.
bool clickEntry(Session& session, HTREEITEM entry);

// Clicks the entry and waits until the tool has shown `expected` and finished the flash.
bool clickForDetails(Session& session, HTREEITEM entry, const std::wstring& expected);

// As clickForDetails; records a failure with what the text box reads instead.
bool clickAndCheckDetails(TestContext& t, HTREEITEM entry, const std::wstring& expected);

// Waits until the tool has finished the details of a click whose text `expected` it shows or
// is about to show: the flash included, so the next click does not run inside this one.
bool waitForDetails(Session& session, const std::wstring& expected);

// The text box, the pointer, message boxes and the tree, for failure messages.
std::string toolState(Session& session);

// A line of figures, printed above the result line of the running case.
void note(const std::string& line);

}  // namespace e2e
