#include "bench/FloorQueries.h"

namespace quellon::bench {

namespace {

void collect(HWND parent, std::vector<HWND>& windows) {
    for (HWND w = ::GetWindow(parent, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        windows.push_back(w);
        collect(w, windows);
    }
}

// What the dump asks of a window besides its first child and next sibling.
void askBesideTheWay(HWND window, bool json) {
    wchar_t text[255];
    static_cast<void>(::GetWindowTextW(window, text, 255));
    static_cast<void>(::GetClassNameW(window, text, 255));
    static_cast<void>(::GetAncestor(window, GA_PARENT));
    static_cast<void>(::IsWindowVisible(window));
    if (!json) return;
    RECT rect;
    DWORD process = 0;
    static_cast<void>(::GetWindowRect(window, &rect));
    static_cast<void>(::GetClientRect(window, &rect));
    static_cast<void>(::GetWindowLongW(window, GWL_STYLE));
    static_cast<void>(::GetWindowLongW(window, GWL_EXSTYLE));
    static_cast<void>(::GetWindowThreadProcessId(window, &process));
    static_cast<void>(::IsWindow(window));
}

}  // namespace

std::vector<HWND> everyWindow() {
    std::vector<HWND> windows;
    collect(::GetDesktopWindow(), windows);
    return windows;
}

void askAsTheDump(HWND window, bool json) {
    static_cast<void>(::GetWindow(window, GW_CHILD));
    static_cast<void>(::GetWindow(window, GW_HWNDNEXT));
    askBesideTheWay(window, json);
}

std::size_t askEveryWindowBelow(HWND parent, bool json) {
    std::size_t asked = 0;
    for (HWND w = ::GetWindow(parent, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        askBesideTheWay(w, json);
        asked += 1 + askEveryWindowBelow(w, json);
    }
    return asked;
}

}  // namespace quellon::bench
