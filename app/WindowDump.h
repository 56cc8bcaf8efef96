// A window's tree and details as text or JSON, made without a window: the main window's
// handlers run on a tree held in memory and a host that shows nothing, so that a dump takes the
// steps of a pick and of a click on the window's entry, with their reports, and no outline and
// no flash.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "platform/Platform.h"
#include "platform/WindowGeometry.h"

namespace quellon {

// Every top-level window of the desktop with its descendants (/dump /all).
struct AllWindows {
    bool operator==(const AllWindows&) const = default;
};

// A window by its handle, the window under a point of the screen as the probe finds it, or the
// whole desktop.
using WindowChoice = std::variant<Hwnd, Point, AllWindows>;

// The text form (TreeText.h) or one JSON document (TreeJson.h).
enum class DumpForm { Text, Json };

// The tree of the chosen window in the form asked for and, except for the whole desktop, the
// details as the details box shows them: in the text form after the tree and an empty line,
// each line ending in CR LF. Nothing when no window is there, or it went while it was read.
// `twipsPerPixel` answers the screen's, as the main window would show the details; it is asked
// only for the details.
[[nodiscard]] std::optional<std::wstring> dumpWindow(const Platform& platform,
                                                     WindowGeometry& geometry,
                                                     const std::function<float()>& twipsPerPixel,
                                                     const WindowChoice& choice,
                                                     DumpForm form = DumpForm::Text);

}  // namespace quellon
