// The main window's tooltip under Wine. Tool picks it under Wine alone (Wine.h).
//
// It has no owner: under Wine a window that owns a topmost pop-up (a tooltip created with the main
// window as its parent is one) cannot itself be made topmost, and "On Top" needs that. And the
// tree's mouse messages are relayed from the message loop instead of TTF_SUBCLASS: through a
// subclass every message to the tree would pay for the subclass chain, every item inserted
// during a rebuild included, three window-property look-ups each under Wine.
#pragma once

#include "app/win32/TooltipHosting.h"

namespace quellon::win32 {

class WineTooltips final : public TooltipHosting {
public:
    HWND owner(HWND) override { return nullptr; }
    UINT treeToolFlags() override { return 0; }
    // Passes the tree's mouse messages on, as the tooltip's own subclass would.
    void beforeDispatch(const MSG& message, HWND tooltip, HWND tree) override;
};

}  // namespace quellon::win32
