#include "WindowQueries.h"

#include "OwnedHandles.h"
#include "RemoteMemory.h"
#include "Text.h"
#include "Wait.h"

namespace e2e {

std::wstring windowText(HWND window) {
    auto length = static_cast<size_t>(sendTo(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    auto copied = static_cast<size_t>(
        sendTo(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    int n = GetClassNameW(window, name, 256);
    return std::wstring(name, n > 0 ? n : 0);
}

std::string describeWindow(HWND window) {
    return cat(className(window), " ", quote(windowText(window)));
}

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE clientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return sizeOf(rect);
}

SIZE sizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

RECT rectInParent(HWND window) {
    RECT rect = windowRect(window);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT clientToScreen(HWND window, POINT point) {
    ClientToScreen(window, &point);
    return point;
}

namespace {

BOOL CALLBACK collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> allTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> allDescendants(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        children.push_back(w);
    }
    return children;
}

HWND childWith(HWND parent, const std::wstring& cls, const std::wstring& text) {
    for (HWND w : childrenOf(parent)) {
        if (className(w) == cls && windowText(w) == text) return w;
    }
    return nullptr;
}

namespace {

GUITHREADINFO threadInfo(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info);
    return info;
}

}  // namespace

HWND focusOf(HWND anyWindowOfThread) { return threadInfo(anyWindowOfThread).hwndFocus; }

HWND captureOf(HWND anyWindowOfThread) { return threadInfo(anyWindowOfThread).hwndCapture; }

bool bringToFront(HWND window) {
    return waitUntil(
        [&] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return false;
        },
        3000, 50);
}

COLORREF screenPixel(POINT point) { return GetPixel(ClientDC().get(), point.x, point.y); }

std::vector<COLORREF> edgeColours(const RECT& r, int inset) {
    const POINT m = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return {screenPixel({m.x, r.top + inset}), screenPixel({m.x, r.bottom - 1 - inset}),
            screenPixel({r.left + inset, m.y}), screenPixel({r.right - 1 - inset, m.y})};
}

bool allDiffer(const std::vector<COLORREF>& now, const std::vector<COLORREF>& before) {
    if (now.size() != before.size()) return false;
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] == before[i]) return false;
    }
    return true;
}

}  // namespace e2e
