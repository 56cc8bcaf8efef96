// A library that a hook of the driver loads into the tool's process: it sees every message sent
// to the tool's windows and notes on the tree view what the driver cannot read from outside,
// which window procedure the tree has and whether it is sent WM_PRINTCLIENT (TreeMessages.h).
#include "TreeMessages.h"

#include <cstdint>
#include <string_view>

namespace {

using namespace e2e::hook;

bool isTreeView(HWND window) {
    wchar_t name[32] = {};
    const int length = GetClassNameW(window, name, 32);
    return std::wstring_view(name, static_cast<std::size_t>(length)) == L"SysTreeView32";
}

std::intptr_t property(HWND window, const wchar_t* name) {
    return reinterpret_cast<std::intptr_t>(GetPropW(window, name));
}

void setProperty(HWND window, const wchar_t* name, std::intptr_t value) {
    SetPropW(window, name, reinterpret_cast<HANDLE>(value));
}

// Whether the window's procedure lies in the process's executable, not in a library.
bool procedureInExecutable(HWND window) {
    const auto procedure = reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        procedure, &module);
    return module != nullptr && module == GetModuleHandleW(nullptr);
}

void note(const CWPSTRUCT& sent) {
    switch (sent.message) {
        case WM_PRINTCLIENT:
            setProperty(sent.hwnd, kPrintClients, property(sent.hwnd, kPrintClients) + 1);
            return;
        case TVM_SETEXTENDEDSTYLE:
            setProperty(sent.hwnd, kExtendedStyle,
                        kExtendedStyleTold | static_cast<std::intptr_t>(sent.lParam & sent.wParam));
            return;
        case WM_NULL:
            setProperty(sent.hwnd, kProcedureModule,
                        procedureInExecutable(sent.hwnd) ? kOwnProcedure : kSystemProcedure);
            return;
        default: return;
    }
}

LRESULT CALLBACK treeMessages(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if ((sent.message == WM_PRINTCLIENT || sent.message == WM_NULL ||
             sent.message == TVM_SETEXTENDEDSTYLE) &&
            isTreeView(sent.hwnd)) {
            note(sent);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) HOOKPROC quellonTreeMessages() { return &treeMessages; }
