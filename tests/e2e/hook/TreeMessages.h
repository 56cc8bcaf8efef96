// What the hook library (TreeMessages.cpp), loaded into the tool by a hook of the driver, notes
// on the tool's tree view, as window properties of the tree that the driver reads.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace e2e::hook {

inline constexpr const wchar_t* kLibrary = L"quellon-e2e-hook.dll";
// The library's export that answers its hook procedure (WH_CALLWNDPROC): a plain C function,
// whose name is the same for every compiler and both builds.
inline constexpr const char* kProcedureExport = "quellonTreeMessages";
using ProcedureExport = HOOKPROC();

// The extended styles that the tree was last told to set (TVM_SETEXTENDEDSTYLE, those of its
// mask), and 1 above them, so that a tree told to set none differs from one never told.
inline constexpr const wchar_t* kExtendedStyle = L"QuellonE2E.ExtendedStyle";
inline constexpr std::intptr_t kExtendedStyleTold = 0x10000;
// How many WM_PRINTCLIENT the tree has been sent since the hook came.
inline constexpr const wchar_t* kPrintClients = L"QuellonE2E.PrintClients";
// Where the tree's window procedure lay at the last WM_NULL sent to it: in the tool's own
// executable (kOwnProcedure) or elsewhere, in the common controls (kSystemProcedure).
inline constexpr const wchar_t* kProcedureModule = L"QuellonE2E.ProcedureModule";
inline constexpr int kOwnProcedure = 1;
inline constexpr int kSystemProcedure = 2;

}  // namespace e2e::hook
