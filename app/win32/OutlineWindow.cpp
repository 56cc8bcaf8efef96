#include "app/win32/OutlineWindow.h"

#include <utility>

#include "app/Palette.h"
#include "app/win32/Wine.h"
#include "shared_names.h"

namespace quellon::win32 {

namespace {

constexpr const wchar_t* kOutlineClass = QUELLON_OUTLINE_CLASS;

// Layered and transparent: hit-testing passes through to the window below. No owner: under
// Wine a window that owns a topmost pop-up cannot itself be made topmost, and "On Top" needs it.
constexpr DWORD kExStyle =
    WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// How far up the z-order a check for covering windows looks; beyond, the outline is brought to
// the top anyway, also where the windows above change order while the check walks them.
constexpr int kMostWindowsAbove = 256;

// Only the tool takes its outline away: any process may post WM_CLOSE to a top-level window,
// and the default handling would destroy it.
LRESULT CALLBACK outlineProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// What the outline does differently under Wine, and only there (wineCodeActive()).
//
// Its window covers the whole virtual screen, and a show only changes the window region: under
// Wine every new size of a window costs a new surface for its pixels and every move or region
// a round of X requests, and a window of the target's size, moved and shaped anew, cost two to
// four times as much as a region alone. On Windows such a window would keep a layered bitmap of
// the whole screen while a drag lasts.
//
// Each Wine process stacks its own X windows, after it changed the system's z-order and only
// where the window came to the top of it: a window that another process brings to the top while
// the tool brings the outline there can end up above the outline on the screen while the z-order
// has it below. So after something covered the outline, the next refreshes bring it to the top
// again, out of the topmost windows and back (a window on top of the z-order already is not
// stacked again).
namespace wine {

constexpr int kBringsToTopAfterCover = 2;

Rect virtualScreen() {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void bringToTop(HWND window) {
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
}

}  // namespace wine

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

bool overlaps(const RECT& a, const RECT& b) {
    RECT both{};
    return ::IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

bool OutlineWindow::prepare() {
    return (brush_ || registerClass()) && (::IsWindow(window_.get()) || createWindow());
}

bool OutlineWindow::registerClass() {
    brush_.reset(::CreateSolidBrush(palette_.outline()));
    if (!brush_) return false;
    WNDCLASSEXW outline{};
    outline.cbSize = sizeof outline;
    // A new size paints the whole frame, whose edges then lie elsewhere in the window.
    outline.style = CS_HREDRAW | CS_VREDRAW;
    outline.lpfnWndProc = outlineProcedure;
    outline.hInstance = instance_;
    outline.hbrBackground = brush_.get();
    outline.lpszClassName = kOutlineClass;
    ::RegisterClassExW(&outline);
    return true;
}

bool OutlineWindow::createWindow() {
    window_.reset(::CreateWindowExW(kExStyle, kOutlineClass, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                                    nullptr, instance_, nullptr));
    place_.reset();
    region_.reset();
    // A layered window shows nothing until its attributes are set.
    if (window_ && !::SetLayeredWindowAttributes(window_.get(), 0, 255, LWA_ALPHA)) destroy();
    return static_cast<bool>(window_);
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
    const Rect place = wineCodeActive() ? wine::virtualScreen() : shape.bounds;
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
    wineBringsToTopLeft_ = 0;
}

bool OutlineWindow::covered() {
    if (!::IsWindowVisible(window_.get())) return false;
    if (coveredInZOrder()) {
        wineBringsToTopLeft_ = wineCodeActive() ? wine::kBringsToTopAfterCover : 0;
        return true;
    }
    // Under Wine the screen can still show the other window above: brought to the top all the
    // same.
    if (wineBringsToTopLeft_ == 0) return false;
    --wineBringsToTopLeft_;
    return true;
}

// A visible window above the outline that overlaps it: another topmost window shown or
// activated since (on Windows also one of a band above every topmost window, which bringing to
// the top does not pass; it is brought up in vain then).
bool OutlineWindow::coveredInZOrder() {
    RECT outline{};
    if (!::GetWindowRect(window_.get(), &outline)) return false;
    HWND above = window_.get();
    for (int i = 0; i < kMostWindowsAbove; ++i) {
        above = ::GetWindow(above, GW_HWNDPREV);
        if (!above) return false;
        RECT theirs{};
        if (::IsWindowVisible(above) && ::GetWindowRect(above, &theirs) &&
            overlaps(theirs, outline)) {
            return true;
        }
    }
    return true;
}

void OutlineWindow::bringToTop() {
    if (wineCodeActive()) {
        wine::bringToTop(window_.get());
    } else {
        ::SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
    }
}

void OutlineWindow::destroy() {
    window_.reset();
    place_.reset();
    region_.reset();
}

}  // namespace quellon::win32
