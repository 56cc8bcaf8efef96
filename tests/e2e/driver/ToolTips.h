// The tool tips of a process, read from its tooltip controls.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct ToolTip {
    HWND control = nullptr;  // the window the tip belongs to (for tools identified by window)
    UINT_PTR id = 0;
    std::wstring text;
    HWND tooltip = nullptr;  // the tooltip control that holds it
    UINT flags = 0;          // TTF_...
};

// Every tool of every tooltip control (class tooltips_class32) among the process's top-level
// windows, shown or not.
std::vector<ToolTip> toolTipsOf(DWORD processId);

// The tool whose tip a tooltip control of the process shows now, if one shows.
std::optional<ToolTip> shownToolTip(DWORD processId);

// The text of the tip that belongs to this control, or none.
const ToolTip* toolTipFor(const std::vector<ToolTip>& tips, HWND control);

}  // namespace e2e
