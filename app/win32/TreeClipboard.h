// The tree's clipboard commands: the selected entry's text or the whole tree in its text form
// (TreeText.h) copied, and the window whose handle the clipboard holds shown as after a drag onto
// it.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "platform/Types.h"

namespace quellon {
class FrmMain;
class Nodes;
class WindowQueries;
}  // namespace quellon

namespace quellon::win32 {

class TreeViewControl;

class TreeClipboard {
public:
    // `form` tells the window that the tree shows; `pick` shows a window as after a drag onto
    // it, and says whether it is a window.
    TreeClipboard(const TreeViewControl& tree, const Nodes& nodes, WindowQueries& windows,
                  const FrmMain& form, std::function<bool(Hwnd)> pick)
        : tree_(tree), nodes_(nodes), windows_(windows), form_(form), pick_(std::move(pick)) {}

    // `owner` owns the clipboard.
    void copyEntry(HWND owner);
    void copyTree(HWND owner);
    void pasteHandle(HWND owner);

private:
    const TreeViewControl& tree_;
    const Nodes& nodes_;
    WindowQueries& windows_;
    const FrmMain& form_;
    std::function<bool(Hwnd)> pick_;
};

}  // namespace quellon::win32
