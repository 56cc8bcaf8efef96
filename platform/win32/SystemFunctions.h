// The one table of system functions that the tool binds by name: one list per library, each
// entry typed after the system's own declaration. A call of a missing function raises the
// toolkit's run-time error naming it; find() asks without raising, for optional features.
#pragma once

#include <windows.h>

// The process-status functions under their own names, as PSAPI.DLL exports them.
#define PSAPI_VERSION 1
#include <dwmapi.h>
#include <psapi.h>
#include <shellapi.h>
#include <shellscalingapi.h>
#include <tlhelp32.h>

#include "platform/win32/LazyLibrary.h"

// The 95 family knows only the narrow process record and its functions; tlhelp32.h maps the
// plain names to the wide ones when UNICODE is defined.
#undef Process32First
#undef Process32Next

namespace quellon::win32 {

struct SystemFunctions {
    struct User32 {
        LazyLibrary library{"user32"};
        QUELLON_BIND(library, GetCursorPos);
        QUELLON_BIND(library, WindowFromPoint);
        QUELLON_BIND(library, GetWindow);
        QUELLON_BIND(library, GetParent);
        QUELLON_BIND(library, GetAncestor);
        QUELLON_BIND(library, GetDesktopWindow);
        QUELLON_BIND(library, IsWindow);
        QUELLON_BIND(library, IsWindowVisible);
        QUELLON_BIND(library, GetWindowTextW);
        QUELLON_BIND(library, GetClassNameW);
        QUELLON_BIND(library, GetWindowThreadProcessId);
        QUELLON_BIND(library, GetClientRect);
        QUELLON_BIND(library, GetWindowRect);
        QUELLON_BIND(library, GetDC);
        QUELLON_BIND(library, ReleaseDC);
        QUELLON_BIND(library, InvertRect);
        QUELLON_BIND(library, SetWindowPos);
        QUELLON_BIND(library, GetWindowLongW);
        QUELLON_BIND(library, SetWindowLongW);
        QUELLON_BIND(library, SetLayeredWindowAttributes);
        QUELLON_BIND(library, MessageBoxW);
        QUELLON_BIND(library, GetSystemMetrics);
        QUELLON_BIND(library, MonitorFromWindow);
        QUELLON_BIND(library, SetProcessDpiAwarenessContext);
        QUELLON_BIND(library, SetProcessDPIAware);
        QUELLON_BIND(library, GetDpiForWindow);
        QUELLON_BIND(library, AdjustWindowRectExForDpi);
        QUELLON_BIND(library, SystemParametersInfoForDpi);
    } user32;

    struct Kernel32 {
        LazyLibrary library{"kernel32"};
        // As the SDK declares it, which marks it deprecated; the process lookup needs it to tell
        // the 95 family.
        QUELLON_BIND_AS(library, GetVersion, DWORD WINAPI());
        QUELLON_BIND(library, CreateToolhelp32Snapshot);
        QUELLON_BIND(library, Process32First);
        QUELLON_BIND(library, Process32Next);
        QUELLON_BIND(library, OpenProcess);
        QUELLON_BIND(library, CloseHandle);
        QUELLON_BIND(library, Sleep);
        QUELLON_BIND(library, QueryFullProcessImageNameW);
        QUELLON_BIND(library, MultiByteToWideChar);
        QUELLON_BIND(library, GetLocaleInfoW);
        QUELLON_BIND(library, SetDefaultDllDirectories);
    } kernel32;

    struct Psapi {
        LazyLibrary library{"PSAPI.DLL"};
        QUELLON_BIND(library, EnumProcessModules);
        QUELLON_BIND(library, GetModuleFileNameExW);
    } psapi;

    struct Dwmapi {
        LazyLibrary library{"dwmapi"};
        QUELLON_BIND(library, DwmGetWindowAttribute);
    } dwmapi;

    struct Shcore {
        LazyLibrary library{"shcore"};
        QUELLON_BIND(library, GetDpiForMonitor);
        QUELLON_BIND(library, SetProcessDpiAwareness);
    } shcore;

    // Loaded only for a start with arguments.
    struct Shell32 {
        LazyLibrary library{"shell32"};
        QUELLON_BIND(library, CommandLineToArgvW);
    } shell32;
};

// The process's table; a function once found stays bound for the life of the process.
SystemFunctions& systemFunctions();

inline SystemFunctions::User32& user32() { return systemFunctions().user32; }
inline SystemFunctions::Kernel32& kernel32() { return systemFunctions().kernel32; }
inline SystemFunctions::Psapi& psapi() { return systemFunctions().psapi; }
inline SystemFunctions::Dwmapi& dwmapi() { return systemFunctions().dwmapi; }
inline SystemFunctions::Shcore& shcore() { return systemFunctions().shcore; }
inline SystemFunctions::Shell32& shell32() { return systemFunctions().shell32; }

// From now on every library the process loads, the system's own loads for it included, comes
// from the system directory alone, where the system knows how to restrict it.
void restrictLibrarySearch();

}  // namespace quellon::win32
