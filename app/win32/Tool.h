// The whole tool: every part of it made and connected in one place, for the program and its
// benchmark alike. The handlers (FrmMain) work on the tree's nodes, the geometry of windows and
// the outline, and reach the window through WindowForm; the window drives the handlers. What the
// tool does differently under Wine is picked here, once (Wine.h).
#pragma once

#include <windows.h>

#include <memory>

#include "app/Palette.h"
#include "app/ProbeOutline.h"
#include "app/TreeClicks.h"
#include "app/frmMain.h"
#include "app/treeview/Nodes.h"
#include "app/win32/MainWindow.h"
#include "app/win32/OutlinePlacement.h"
#include "app/win32/OutlineWindow.h"
#include "app/win32/TooltipHosting.h"
#include "app/win32/TreeClipboard.h"
#include "app/win32/TreePaint.h"
#include "app/win32/TreeViewControl.h"
#include "app/win32/WindowForm.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32WindowGeometry.h"

namespace quellon::win32 {

class Tool {
public:
    // `boxes`: the reports whose message boxes the window owns; none where the platform's
    // reports go elsewhere (the benchmark keeps them).
    Tool(HINSTANCE instance, const Platform& platform, Win32Reports* boxes);
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    MainWindow& window() { return window_; }
    FormHost& form() { return form_; }
    TreeViewControl& tree() { return tree_; }

private:
    // What differs under Wine: Windows' documented way, or Wine's (Tool.cpp).
    std::unique_ptr<TreePaint> treePaint_;
    std::unique_ptr<OutlinePlacement> outlinePlacement_;
    std::unique_ptr<TooltipHosting> tooltips_;

    Win32SystemColours systemColours_;
    Palette palette_{systemColours_};
    TreeViewControl tree_{*treePaint_, palette_};
    Nodes nodes_{tree_};
    Win32WindowGeometry geometry_;
    OutlineWindow outlineWindow_;
    ProbeOutline outline_{geometry_, outlineWindow_};
    WindowForm form_{window_};  // refers to the window, made below
    FrmMain frmMain_;
    TreeClicks clicks_{nodes_, frmMain_, [this](NodeId id) { window_.postTreeClick(id); }};
    TreeClipboard treeClipboard_;
    MainWindow window_;
};

}  // namespace quellon::win32
