// The main window's controls as designed: name, kind, caption, style, font and tooltip, listed
// in tab order, which is also the order of creation and so the z-order. Their places are in
// app/ControlGeometry.h, which the layout reads too.
#pragma once

#include <windows.h>

#include <array>

#include "app/ControlGeometry.h"
#include "app/FormHost.h"
#include "shared_names.h"

namespace quellon::win32 {

enum class FontKind { Window, Tree, Text };

struct ControlDesign {
    Control control;
    const wchar_t* name;  // as start-up failures report it
    const wchar_t* windowClass;
    const wchar_t* caption;
    DWORD style;
    DWORD exStyle;
    FontKind font;
    const wchar_t* tooltip;
};

// The main window's class and the probe's.
inline constexpr const wchar_t* kMainClass = QUELLON_MAIN_CLASS;
inline constexpr const wchar_t* kProbeClass = QUELLON_PROBE_CLASS;

const std::array<ControlDesign, kControlCount>& controlDesigns();

// The child-window id of a control: clear of IDOK and IDCANCEL, which dialog keyboard
// handling sends on Enter and Escape.
inline int controlId(Control control) { return 1000 + static_cast<int>(control); }

}  // namespace quellon::win32
