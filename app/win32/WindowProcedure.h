// The one window procedure stub of the tool: it ties a window to its C++ object at
// WM_NCCREATE and calls the object's handler. Nothing thrown may cross back into user32, so a
// run-time error that no handler dealt with stops here and goes to the object's report.
#pragma once

#include <windows.h>

#include <new>

#include "platform/RuntimeError.h"

namespace quellon::win32 {

// Runs body; whatever it throws goes to report as the toolkit's run-time error.
template <class Body, class Report>
void containErrors(Body&& body, Report&& report) {
    try {
        body();
    } catch (const RuntimeError& error) {
        report(error);
    } catch (const std::bad_alloc&) {
        report(runtimeError(ErrorNumber::OutOfMemory));
    } catch (...) {
        report(runtimeError(ErrorNumber::InternalError));
    }
}

// Owner must offer `void reportUncaught(const RuntimeError&) noexcept`; the window is created
// with the Owner* as its creation parameter.
template <class Owner, LRESULT (Owner::*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);

    LRESULT result = 0;
    containErrors([&] { result = (owner->*Handler)(window, message, wParam, lParam); },
                  [&](const RuntimeError& error) { owner->reportUncaught(error); });
    return result;
}

}  // namespace quellon::win32
