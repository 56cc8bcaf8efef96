// The tree's paint under Wine: into a buffer of the tool's own, and the scroll bars kept quiet,
// painted only when they change. Measured there, the themed bar cost about 60 requests to the
// wine server a paint, more than the rest of a small tree's paint, and a rebuild painted it up to
// three times; drawn in a memory DC, the pictures cost no questions to the display driver, where
// every picture drawn on the screen asked for its settings twice.
#include "app/win32/WineTreePaint.h"

namespace quellon::win32 {

namespace {

// What a scroll bar shows, from the style and the scroll information the control set.
struct ScrollBar {
    bool shown = false;
    int minimum = 0, maximum = 0, page = 0, position = 0;
    bool operator==(const ScrollBar&) const = default;
};

struct ScrollBars {
    ScrollBar vertical, horizontal;
    bool operator==(const ScrollBars&) const = default;
};

ScrollBar scrollBar(HWND window, int bar, DWORD shownStyle) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(window, bar, &info)) info = {};
    const bool shown = (::GetWindowLongW(window, GWL_STYLE) & shownStyle) != 0;
    return {shown, info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

ScrollBars scrollBars(HWND window) {
    return {scrollBar(window, SB_VERT, WS_VSCROLL), scrollBar(window, SB_HORZ, WS_HSCROLL)};
}

bool isVisible(HWND window) { return (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// While it lives (a layout, a paint into a buffer), the tree is kept from drawing on the screen;
// at its end the frame, and with it the scroll bars, is painted only when they changed. The
// tree's client area is left validated: the caller shows what it painted meanwhile.
class QuietScrollBars {
public:
    // Kept from drawing as WM_SETREDRAW does for windows that leave it to the system: WS_VISIBLE
    // cleared, the window left where it is. Wine's tree view keeps WM_SETREDRAW to itself, so
    // the style is set while the tree is shown, during a rebuild too.
    explicit QuietScrollBars(HWND tree)
        : tree_(tree), before_(scrollBars(tree)), visible_(isVisible(tree)) {
        if (visible_) ::DefWindowProcW(tree_, WM_SETREDRAW, FALSE, 0);
    }
    ~QuietScrollBars() {
        if (!visible_) return;
        ::DefWindowProcW(tree_, WM_SETREDRAW, TRUE, 0);
        // Wine invalidates the frame when WS_VISIBLE comes back.
        ::RedrawWindow(tree_, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
        if (!(scrollBars(tree_) == before_)) ::SendMessageW(tree_, WM_NCPAINT, 1, 0);  // all
    }
    QuietScrollBars(const QuietScrollBars&) = delete;
    QuietScrollBars& operator=(const QuietScrollBars&) = delete;

private:
    HWND tree_;
    ScrollBars before_;
    bool visible_;  // a hidden tree stays hidden
};

}  // namespace

HDC WineTreePaint::Buffer::fit(SIZE size) {
    if (dc_ && size.cx == size_.cx && size.cy == size_.cy) return dc_.get();
    clear();
    if (size.cx <= 0 || size.cy <= 0) return nullptr;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = -size.cy;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!bitmap_ || !dc_) {
        clear();
        return nullptr;
    }
    selected_.emplace(dc_.get(), bitmap_.get());
    size_ = size;
    return dc_.get();
}

void WineTreePaint::Buffer::clear() {
    selected_.reset();
    bitmap_.reset();
    dc_.reset();
    size_ = {};
}

void WineTreePaint::attach(HWND tree) {
    tree_ = tree;
    ::SetWindowLongPtrW(tree_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controlProcedure_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure)));
}

LRESULT CALLBACK WineTreePaint::procedure(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WineTreePaint*>(::GetWindowLongPtrW(tree, GWLP_USERDATA));
    const WNDPROC control = self->controlProcedure_;
    switch (message) {
        case WM_ERASEBKGND:
            // The screen is left alone, since the buffer's copy covers it; the buffer is erased.
            if (reinterpret_cast<HDC>(wParam) == self->buffer_.dc()) break;
            return TRUE;
        case WM_PAINT:
            if (wParam) break;  // a paint into a given DC, which the control does itself
            self->paint();
            return 0;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control));
            ::SetWindowLongPtrW(tree, GWLP_USERDATA, 0);
            break;
        default: break;
    }
    return ::CallWindowProcW(control, tree, message, wParam, lParam);
}

void WineTreePaint::paint() {
    const PaintDC painting(tree_);
    if (painting.get()) paintOnto(painting.get(), painting.area(), [] {});
}

void WineTreePaint::endRebuild(const std::function<void()>& resume) {
    const ClientDC screen(tree_);
    if (screen.get()) paintOnto(screen.get(), std::nullopt, resume);
}

// Runs `first`, prints the tree into the buffer and copies `area` of it onto `screen` (nothing:
// the whole client area, as `first` left it), with the scroll bars quiet all the while.
void WineTreePaint::paintOnto(HDC screen, std::optional<RECT> area,
                              const std::function<void()>& first) {
    HDC buffer = nullptr;
    {
        const QuietScrollBars quiet(tree_);
        first();
        RECT client{};
        ::GetClientRect(tree_, &client);
        if (!area) area = client;
        buffer = buffer_.fit({client.right, client.bottom});
        if (buffer) print(buffer);
    }
    if (!buffer) {
        print(screen);
        return;
    }
    ::BitBlt(screen, area->left, area->top, area->right - area->left, area->bottom - area->top,
             buffer, area->left, area->top, SRCCOPY);
}

// Draws the whole client area into `target`, through the control's own WM_PRINTCLIENT.
void WineTreePaint::print(HDC target) const {
    ::SendMessageW(tree_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target),
                   PRF_CLIENT | PRF_ERASEBKGND);
}

}  // namespace quellon::win32
