#include "app/win32/Wine.h"

#include <windows.h>

#include "shared_names.h"

namespace quellon::win32 {

namespace {

bool runsUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

bool switchedOff() {
    wchar_t value[2] = {};
    return ::GetEnvironmentVariableW(QUELLON_WINE_SWITCH, value, 2) == 1 && value[0] == L'0';
}

}  // namespace

bool wineCodeActive() {
    static const bool active = runsUnderWine() && !switchedOff();
    return active;
}

}  // namespace quellon::win32
