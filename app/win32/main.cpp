// Entry point of the tool: the main window is the whole program.
#include <windows.h>
#include <commctrl.h>

#include "app/win32/Dpi.h"
#include "app/win32/Tool.h"
#include "platform/win32/SystemFunctions.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    quellon::win32::restrictLibrarySearch();
    quellon::win32::declareDpiAwareness();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);

    quellon::win32::Win32Reports reports;
    quellon::win32::Tool tool(instance, quellon::win32::systemPlatform(reports), &reports);
    if (!tool.window().create(showCommand)) return 1;
    return tool.window().run();
}
