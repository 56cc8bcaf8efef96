// The tree's scroll bars kept quiet under Wine: painted only when they change. Measured there, the
// themed bar cost about 60 requests to the wine server a paint, more than the rest of a small
// tree's paint, and a rebuild painted it three times.
#include "app/win32/WineTreePaint.h"

namespace quellon::win32::wine {

namespace {

bool runsUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

bool switchedOff() {
    wchar_t value[2] = {};
    return ::GetEnvironmentVariableW(kWinePaintVariable, value, 2) == 1 && value[0] == L'0';
}

// What the scroll bars show, from the style and the scroll information the control set.
struct ScrollBar {
    bool shown = false;
    int minimum = 0, maximum = 0, page = 0, position = 0;
    bool operator==(const ScrollBar&) const = default;
};

ScrollBar scrollBar(HWND window, int bar, DWORD shownStyle) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(window, bar, &info)) info = {};
    const bool shown = (::GetWindowLongW(window, GWL_STYLE) & shownStyle) != 0;
    return {shown, info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

struct ScrollBars {
    ScrollBar vertical, horizontal;
    bool operator==(const ScrollBars&) const = default;
};

ScrollBars scrollBars(HWND window) {
    return {scrollBar(window, SB_VERT, WS_VSCROLL), scrollBar(window, SB_HORZ, WS_HSCROLL)};
}

// Keeps the window from being drawn as WM_SETREDRAW does for windows that leave it to the system:
// WS_VISIBLE cleared, the window left where it is. Wine's tree view keeps WM_SETREDRAW to itself,
// so the style is set while the tree is shown, also during a rebuild.
class Hidden {
public:
    explicit Hidden(HWND window)
        : window_(window), visible_((::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0) {
        if (visible_) ::DefWindowProcW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~Hidden() {
        if (visible_) ::DefWindowProcW(window_, WM_SETREDRAW, TRUE, 0);
    }
    Hidden(const Hidden&) = delete;
    Hidden& operator=(const Hidden&) = delete;

private:
    HWND window_;
    bool visible_;  // a hidden window stays hidden
};

}  // namespace

bool quietScrollBarsActive() {
    static const bool active = runsUnderWine() && !switchedOff();
    return active;
}

void withQuietScrollBars(HWND tree, const std::function<void()>& work) {
    const ScrollBars before = scrollBars(tree);
    {
        const Hidden hidden(tree);
        work();
    }
    // Wine invalidates the frame when WS_VISIBLE comes back.
    ::RedrawWindow(tree, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
    if (!(scrollBars(tree) == before)) ::SendMessageW(tree, WM_NCPAINT, 1, 0);  // the whole frame
}

}  // namespace quellon::win32::wine
