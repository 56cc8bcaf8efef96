// Entry point of the tool: the main window is the whole program, unless the command line asks
// for the help or a dump, which show no window.
#include <windows.h>
#include <commctrl.h>

#include "app/win32/CommandLineRun.h"
#include "app/win32/Dpi.h"
#include "app/win32/Tool.h"
#include "platform/win32/SystemFunctions.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    quellon::win32::restrictLibrarySearch();
    quellon::win32::declareDpiAwareness();
    const auto start = quellon::win32::runCommandLine(commandLine);
    if (const int* exitCode = std::get_if<int>(&start)) return *exitCode;

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);

    quellon::win32::Win32Reports reports;
    quellon::win32::Tool tool(instance, quellon::win32::systemPlatform(reports), &reports);
    if (!tool.window().create(showCommand)) return 1;
    if (const auto first = std::get<quellon::win32::WindowStart>(start).startWith) {
        tool.window().pickWindow(*first);
    }
    return tool.window().run();
}
