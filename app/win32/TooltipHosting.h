// How the main window's tooltip is hosted: its owner, and how it learns of the pointer over the
// tree. The tool's way is the documented one (OwnedTooltip); Tool picks it.
#pragma once

#include <windows.h>

namespace quellon::win32 {

class TooltipHosting {
public:
    virtual ~TooltipHosting() = default;
    // The tooltip's owner, given the main window.
    [[nodiscard]] virtual HWND owner(HWND main) = 0;
    // The flags of the tree's tool besides TTF_IDISHWND; the other tools take TTF_SUBCLASS.
    [[nodiscard]] virtual UINT treeToolFlags() = 0;
    // Sees every message the main window's loop takes, before it is dispatched.
    virtual void beforeDispatch(const MSG& message, HWND tooltip, HWND tree) = 0;
};

// Owned by the main window, so that it stays above it and goes with it, and watching every
// control's mouse messages itself (TTF_SUBCLASS), the tree's too.
class OwnedTooltip final : public TooltipHosting {
public:
    HWND owner(HWND main) override { return main; }
    UINT treeToolFlags() override;
    void beforeDispatch(const MSG&, HWND, HWND) override {}
};

}  // namespace quellon::win32
