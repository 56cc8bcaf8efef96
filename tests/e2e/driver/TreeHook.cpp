#include "TreeHook.h"

#include <cstdint>
#include <string>

#include "../hook/TreeMessages.h"
#include "Processes.h"
#include "RemoteMemory.h"

namespace e2e {

namespace {

std::intptr_t property(HWND window, const wchar_t* name) {
    return reinterpret_cast<std::intptr_t>(GetPropW(window, name));
}

}  // namespace

TreeHook::TreeHook(DWORD thread)
    : library_(LoadLibraryW((driverFolder() + hook::kLibrary).c_str())) {
    if (!library_) return;
    const auto answer = reinterpret_cast<hook::ProcedureExport*>(
        reinterpret_cast<void (*)()>(GetProcAddress(library_, hook::kProcedureExport)));
    if (answer) hook_ = SetWindowsHookExW(WH_CALLWNDPROC, answer(), library_, thread);
}

TreeHook::~TreeHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (library_) FreeLibrary(library_);
}

std::optional<DWORD> TreeHook::toldExtendedStyle(HWND tree) const {
    const std::intptr_t told = property(tree, hook::kExtendedStyle);
    if (!(told & hook::kExtendedStyleTold)) return std::nullopt;
    return static_cast<DWORD>(told & ~hook::kExtendedStyleTold);
}

int TreeHook::printClients(HWND tree) const {
    return static_cast<int>(property(tree, hook::kPrintClients));
}

std::optional<bool> TreeHook::procedureInTool(HWND tree) const {
    sendTo(tree, WM_NULL, 0, 0);
    switch (property(tree, hook::kProcedureModule)) {
        case hook::kOwnProcedure: return true;
        case hook::kSystemProcedure: return false;
        default: return std::nullopt;
    }
}

}  // namespace e2e
