#include "app/win32/OutlineWindow.h"

#include <utility>

#include "app/Palette.h"
#include "app/win32/OutlinePlacement.h"
#include "platform/WindowGeometry.h"
#include "platform/win32/Handles.h"
#include "shared_names.h"

namespace quellon::win32 {

namespace {

constexpr const wchar_t* kOutlineClass = QUELLON_OUTLINE_CLASS;

// Layered and transparent: hit-testing passes through to the window below. No owner: it stands
// over other programs' windows, apart from the main window and wherever that is.
constexpr DWORD kExStyle =
    WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;

// The window's brush, kept with the window so that a new colour needs no new class.
HBRUSH brushOf(HWND window) {
    return reinterpret_cast<HBRUSH>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Only the tool takes its outline away: any process may post WM_CLOSE to a top-level window,
// and the default handling would destroy it.
LRESULT CALLBACK outlineProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE: return 0;
        case WM_ERASEBKGND:
            if (const HBRUSH brush = brushOf(window)) {
                RECT client{};
                ::GetClientRect(window, &client);
                ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
                return 1;
            }
            break;
        default: break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

Rect offset(const Rect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// The frame in the coordinates of a window at `place`, as its region takes it.
OutlineShape within(const OutlineShape& shape, const Rect& place) {
    return {offset(shape.bounds, -place.left, -place.top),
            offset(shape.hole, -place.left, -place.top)};
}

// The bounds less the hole; null where the process's GDI objects are used up.
UniqueRegion frameRegion(const OutlineShape& frame) {
    const Rect& b = frame.bounds;
    const Rect& h = frame.hole;
    UniqueRegion region(::CreateRectRgn(b.left, b.top, b.right, b.bottom));
    const UniqueRegion hole(::CreateRectRgn(h.left, h.top, h.right, h.bottom));
    if (!region || !hole ||
        ::CombineRgn(region.get(), region.get(), hole.get(), RGN_DIFF) == ERROR) {
        return {};
    }
    return region;
}

}  // namespace

bool OutlineWindow::prepare() {
    if (!brush_) brush_.reset(::CreateSolidBrush(palette_.outline()));
    return brush_ && (registered_ || registerClass()) &&
           (::IsWindow(window_.get()) || createWindow());
}

bool OutlineWindow::registerClass() {
    WNDCLASSEXW outline{};
    outline.cbSize = sizeof outline;
    // A new size paints the whole frame, whose edges then lie elsewhere in the window.
    outline.style = CS_HREDRAW | CS_VREDRAW;
    outline.lpfnWndProc = outlineProcedure;
    outline.hInstance = instance_;
    outline.lpszClassName = kOutlineClass;
    // Registered already where an earlier object of the process made it.
    registered_ = ::RegisterClassExW(&outline) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered_;
}

bool OutlineWindow::createWindow() {
    window_.reset(::CreateWindowExW(kExStyle, kOutlineClass, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                                    nullptr, instance_, nullptr));
    place_.reset();
    region_.reset();
    if (!window_) return false;
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush_.get()));
    // A layered window shows nothing until its attributes are set.
    if (!::SetLayeredWindowAttributes(window_.get(), 0, 255, LWA_ALPHA)) destroy();
    return static_cast<bool>(window_);
}

void OutlineWindow::recolour() {
    UniqueBrush brush(::CreateSolidBrush(palette_.outline()));
    if (!brush) return;  // the old colour rather than none
    if (window_) {
        ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush.get()));
        ::InvalidateRect(window_.get(), nullptr, TRUE);
    }
    brush_ = std::move(brush);
}

bool OutlineWindow::shapeWindow(const OutlineShape& frame) {
    if (frame == region_) return true;
    UniqueRegion region = frameRegion(frame);
    // The system owns the region once it is set.
    if (!region || !::SetWindowRgn(window_.get(), region.get(), TRUE)) return false;
    region.release();
    region_ = frame;
    return true;
}

void OutlineWindow::show(const OutlineShape& shape) {
    // Without the brush, the window or its region (the process's GDI objects used up) the
    // outline is simply not drawn: nothing is shown that could stay on the screen unpainted or
    // cover the target's inside. The region comes before the move, which would cover the inside
    // for a moment otherwise.
    const Rect place = placement_.place(shape);
    if (!prepare() || !shapeWindow(within(shape, place))) {
        hide();
        return;
    }
    if (place != place_ || !::IsWindowVisible(window_.get())) {
        ::SetWindowPos(window_.get(), HWND_TOPMOST, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        place_ = place;
    }
    // Painted now: a rebuild that follows may keep the tool from reading its messages.
    ::UpdateWindow(window_.get());
}

void OutlineWindow::hide() {
    if (window_) ::ShowWindow(window_.get(), SW_HIDE);
    placement_.hidden();
}

// A window above the outline that shows over it: another topmost window shown or activated
// since (on Windows also one of a band above every topmost window, which bringing to the top
// does not pass; it is brought up in vain then).
bool OutlineWindow::covered() {
    if (!::IsWindowVisible(window_.get())) return false;
    const Hwnd outline = fromHwnd(window_.get());
    Rect area;
    const bool coveredNow =
        geometry_.getWindowRect(outline, area) && coveredFromAbove(geometry_, outline, area);
    return placement_.covered(coveredNow);
}

void OutlineWindow::bringToTop() { placement_.bringToTop(window_.get()); }

void OutlineWindow::destroy() {
    window_.reset();
    place_.reset();
    region_.reset();
}

}  // namespace quellon::win32
