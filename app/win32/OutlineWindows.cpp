#include "app/win32/OutlineWindows.h"

#include <utility>

#include "shared_names.h"

namespace quellon::win32 {

namespace {

constexpr const wchar_t* kOutlineClass = QUELLON_OUTLINE_CLASS;

// Layered and transparent: hit-testing passes through to the window below. No owner: under
// Wine a window that owns a topmost pop-up cannot itself be made topmost, and "On Top" needs it.
constexpr DWORD kExStyle =
    WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;

// Only the tool takes its outline away: any process may post WM_CLOSE to a top-level window,
// and the default handling would destroy the edge.
LRESULT CALLBACK edgeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool OutlineWindows::prepare() {
    if (brush_) return true;
    brush_.reset(::CreateSolidBrush(kOutlineColour));
    if (!brush_) return false;
    WNDCLASSEXW outline{};
    outline.cbSize = sizeof outline;
    outline.lpfnWndProc = edgeProcedure;
    outline.hInstance = instance_;
    outline.hbrBackground = brush_.get();
    outline.lpszClassName = kOutlineClass;
    ::RegisterClassExW(&outline);
    return true;
}

HWND OutlineWindows::createEdge() {
    const HWND edge = ::CreateWindowExW(kExStyle, kOutlineClass, nullptr, WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, instance_, nullptr);
    if (edge) ::SetLayeredWindowAttributes(edge, 0, 255, LWA_ALPHA);
    return edge;
}

void OutlineWindows::show(const OutlineEdges& edges) {
    // Without the brush (the process's GDI objects used up) the outline is simply not drawn:
    // nothing is created that could stay on the screen unpainted.
    if (!prepare()) return;
    for (std::size_t i = 0; i < edges_.size(); ++i) {
        if (!::IsWindow(edges_[i])) edges_[i] = createEdge();
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
