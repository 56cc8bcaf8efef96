// A hook in a thread of the tool for the life of the object, through the hook library
// (tests/e2e/hook): what the tool does to its tree view inside its own process.
#pragma once

#include <windows.h>

#include <optional>

namespace e2e {

class TreeHook {
public:
    // Hooks the thread; the library lies beside the driver. Given a started program's first
    // thread before it runs (ChildProcess), the hook sees all that the program sends.
    explicit TreeHook(DWORD thread);
    ~TreeHook();
    TreeHook(const TreeHook&) = delete;
    TreeHook& operator=(const TreeHook&) = delete;

    bool installed() const { return hook_ != nullptr; }
    // The extended styles that the tree was last told to set (TVM_SETEXTENDEDSTYLE); nothing
    // where it was never told while the hook was there.
    std::optional<DWORD> toldExtendedStyle(HWND tree) const;
    // How many WM_PRINTCLIENT the tree has been sent while a hook was there.
    int printClients(HWND tree) const;
    // Whether the tree's window procedure lies in the tool's executable (a subclass of its own)
    // rather than in the common controls (the control's own, or SetWindowSubclass's); nothing
    // where the hook did not answer.
    std::optional<bool> procedureInTool(HWND tree) const;

private:
    HMODULE library_ = nullptr;
    HHOOK hook_ = nullptr;
};

}  // namespace e2e
