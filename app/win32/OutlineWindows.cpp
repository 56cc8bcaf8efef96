#include "app/win32/OutlineWindows.h"

#include <utility>

namespace quellon::win32 {

namespace {

constexpr const wchar_t* kOutlineClass = L"TarnwickWQuellonOutline";

// Layered and transparent: hit-testing passes through to the window below. No owner: under
// Wine a window that owns a topmost pop-up cannot itself be made topmost, and "On Top" needs it.
constexpr DWORD kExStyle =
    WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;

}  // namespace

void OutlineWindows::create() {
    brush_.reset(::CreateSolidBrush(kOutlineColour));
    WNDCLASSEXW outline{};
    outline.cbSize = sizeof outline;
    outline.lpfnWndProc = ::DefWindowProcW;
    outline.hInstance = instance_;
    outline.hbrBackground = brush_.get();
    outline.lpszClassName = kOutlineClass;
    ::RegisterClassExW(&outline);
    for (HWND& edge : edges_) {
        edge = ::CreateWindowExW(kExStyle, kOutlineClass, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, instance_, nullptr);
        if (edge) ::SetLayeredWindowAttributes(edge, 0, 255, LWA_ALPHA);
    }
}

void OutlineWindows::show(const OutlineEdges& edges) {
    if (!brush_) create();
    for (std::size_t i = 0; i < edges_.size(); ++i) {
        if (!edges_[i]) continue;
        const Rect& r = edges[i];
        ::SetWindowPos(edges_[i], HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // Painted now: a rebuild that follows may keep the tool from reading its messages.
        ::UpdateWindow(edges_[i]);
    }
}

void OutlineWindows::hide() {
    for (HWND edge : edges_) {
        if (edge) ::ShowWindow(edge, SW_HIDE);
    }
}

void OutlineWindows::destroy() {
    for (HWND& edge : edges_) {
        if (edge) ::DestroyWindow(std::exchange(edge, nullptr));
    }
}

}  // namespace quellon::win32
