// quellon-windowfarm: a top-level target window with a given number of descendant windows, in
// a process of its own, for the rebuild benchmark to probe.
//
//   quellon-windowfarm.exe nested|flat|dialog COUNT
//
// nested: every window has up to ten children, filled level by level (10,000 descendants make
//         a complete ten-way tree four levels deep).
// flat:   all COUNT windows are children of the target.
// dialog: nested as dialogs are: panels below the target, each holding eight controls, and
//         every third control a window of its own (as a combo box holds its edit field).
// Every eighth window is hidden (and with it, for IsWindowVisible, everything below it), every
// other one has a text. When all windows exist and have painted, the farm writes the line
// "target <decimal handle>" to its standard output; it ends when its standard input ends.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const wchar_t* kTargetClass = L"QuellonFarmTarget";
constexpr const wchar_t* kCellClass = L"QuellonFarmCell";
constexpr int kFanOut = 10;
constexpr int kHiddenEvery = 8;
constexpr int kCellSize = 10;
constexpr int kPanelControls = 8;

LRESULT CALLBACK targetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

bool registerClasses(HINSTANCE instance) {
    WNDCLASSW target{};
    target.lpfnWndProc = targetProcedure;
    target.hInstance = instance;
    target.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    target.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    target.lpszClassName = kTargetClass;
    WNDCLASSW cell = target;
    cell.lpfnWndProc = ::DefWindowProcW;
    cell.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cell.lpszClassName = kCellClass;
    return ::RegisterClassW(&target) && ::RegisterClassW(&cell);
}

// The n-th descendant (1-based), placed among its siblings so that the first hundred of them
// show side by side.
HWND createCell(HWND parent, int n, int indexAmongSiblings) {
    const std::wstring text = n % 2 ? L"Zelle " + std::to_wstring(n) : std::wstring();
    const DWORD style = WS_CHILD | WS_BORDER | (n % kHiddenEvery ? WS_VISIBLE : 0);
    const int x = (indexAmongSiblings % kFanOut) * (kCellSize + 2);
    const int y = (indexAmongSiblings / kFanOut % kFanOut) * (kCellSize + 2);
    return ::CreateWindowExW(0, kCellClass, text.c_str(), style, x, y, kCellSize, kCellSize, parent,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// The parent of every window in the order of creation, as an index into that order; the
// target, 0, has none.
std::vector<std::size_t> dialogParents(int count) {
    std::vector<std::size_t> parents{0};
    while (parents.size() <= static_cast<std::size_t>(count)) {
        const std::size_t panel = parents.size();
        parents.push_back(0);
        for (int control = 0; control < kPanelControls; ++control) {
            parents.push_back(panel);
            if (control % 3 == 2) parents.push_back(parents.size() - 1);
        }
    }
    parents.resize(static_cast<std::size_t>(count) + 1);
    return parents;
}

std::vector<std::size_t> parentsFor(const std::wstring& shape, int count) {
    if (shape == L"dialog") return dialogParents(count);
    // Descendant n hangs below (n - 1) / kFanOut when nested.
    std::vector<std::size_t> parents{0};
    for (int n = 1; n <= count; ++n) {
        parents.push_back(shape == L"nested" ? static_cast<std::size_t>((n - 1) / kFanOut) : 0);
    }
    return parents;
}

bool createDescendants(HWND target, const std::wstring& shape, int count) {
    const std::vector<std::size_t> parents = parentsFor(shape, count);
    std::vector<HWND> windows{target};
    std::vector<int> children(parents.size(), 0);
    for (std::size_t n = 1; n < parents.size(); ++n) {
        const std::size_t parent = parents[n];
        const HWND cell = createCell(windows[parent], static_cast<int>(n), children[parent]++);
        if (!cell) return false;
        windows.push_back(cell);
    }
    return true;
}

void drainMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Ends the farm when whoever started it closes its standard input (or ends itself).
void watchInput(DWORD mainThread) {
    char chunk[64];
    DWORD read = 0;
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    while (::ReadFile(input, chunk, sizeof chunk, &read, nullptr) && read > 0) {
    }
    ::PostThreadMessageW(mainThread, WM_QUIT, 0, 0);
}

int usage() {
    std::fputs("usage: quellon-windowfarm nested|flat|dialog COUNT\n", stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return usage();
    const std::wstring shape = argv[1];
    const int count = _wtoi(argv[2]);
    if ((shape != L"nested" && shape != L"flat" && shape != L"dialog") || count < 0) return usage();

    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!registerClasses(instance)) return 1;
    const HWND target = ::CreateWindowExW(0, kTargetClass, L"Fensterfarm", WS_OVERLAPPEDWINDOW, 700,
                                          100, 500, 400, nullptr, nullptr, instance, nullptr);
    if (!target || !createDescendants(target, shape, count)) {
        std::fputs("quellon-windowfarm: could not create the windows\n", stderr);
        return 1;
    }
    ::ShowWindow(target, SW_SHOWNOACTIVATE);
    ::UpdateWindow(target);
    drainMessages();

    std::thread(watchInput, ::GetCurrentThreadId()).detach();

    std::printf("target %lld\n", static_cast<long long>(reinterpret_cast<std::intptr_t>(target)));
    std::fflush(stdout);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
