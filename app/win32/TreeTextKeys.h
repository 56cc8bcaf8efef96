// Ctrl+Shift+C and Ctrl+V in the tree: the whole tree copied in its text form (TreeText.h), and
// the window whose handle the clipboard holds shown as after a drag onto it.
#pragma once

#include <windows.h>

#include <functional>

#include "app/frmMain.h"
#include "app/treeview/Nodes.h"
#include "app/win32/TreeViewControl.h"
#include "platform/WindowQueries.h"

namespace quellon::win32 {

class TreeTextKeys {
public:
    // `form` tells the window that the tree shows; `pick` shows a window as after a drag onto
    // it, and says whether it is a window.
    TreeTextKeys(const TreeViewControl& tree, const Nodes& nodes, WindowQueries& windows,
                 const FrmMain& form, std::function<bool(Hwnd)> pick)
        : tree_(tree), nodes_(nodes), windows_(windows), form_(form), pick_(std::move(pick)) {}

    // Whether the message was one of the two keys, pressed in the tree. Taken before
    // translation, so that the tree gets no character for it. `owner` owns the clipboard.
    bool take(const MSG& message, HWND owner);

private:
    void copyTree(HWND owner);
    void pasteHandle(HWND owner);

    const TreeViewControl& tree_;
    const Nodes& nodes_;
    WindowQueries& windows_;
    const FrmMain& form_;
    std::function<bool(Hwnd)> pick_;
};

}  // namespace quellon::win32
