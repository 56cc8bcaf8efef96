// A window's tree and details as text, made without a window: the main window's handlers run
// on a tree held in memory and a host that shows nothing, so that a dump takes the steps of a
// pick and of a click on the window's entry, with their reports, and no outline and no flash.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "platform/Platform.h"
#include "platform/WindowGeometry.h"

namespace quellon {

// A window by its handle, or the window under a point of the screen as the probe finds it.
using WindowChoice = std::variant<Hwnd, Point>;

// The tree of the chosen window in the text form (TreeText.h), an empty line, and the five
// details lines as the details box shows them, each line ending in CR LF. Nothing when no
// window is there, or it went while it was read. `twipsPerPixel` is the screen's, as the main
// window would show the details.
[[nodiscard]] std::optional<std::wstring> dumpWindow(const Platform& platform,
                                                     WindowGeometry& geometry, float twipsPerPixel,
                                                     const WindowChoice& choice);

}  // namespace quellon
