#include "MessageBoxes.h"

#include "Processes.h"
#include "Wait.h"
#include "WindowQueries.h"

namespace e2e {

namespace {

// The static control that carries a message box's text on Windows; other implementations
// number it differently, so the first static control with a text stands in for it.
constexpr int kMessageTextId = 0xFFFF;

std::wstring messageText(HWND box) {
    if (HWND text = GetDlgItem(box, kMessageTextId)) return windowText(text);
    for (HWND child : childrenOf(box)) {
        if (className(child) != L"Static") continue;
        std::wstring text = windowText(child);
        if (!text.empty()) return text;
    }
    return {};
}

}  // namespace

std::vector<MessageBoxInfo> messageBoxesOf(DWORD processId) {
    std::vector<MessageBoxInfo> boxes;
    for (HWND w : topLevelWindows(processId)) {
        if (className(w) != L"#32770") continue;
        boxes.push_back({w, windowText(w), messageText(w)});
    }
    return boxes;
}

MessageBoxInfo waitForMessageBox(DWORD processId, DWORD timeoutMs) {
    MessageBoxInfo found;
    waitUntil(
        [&] {
            auto boxes = messageBoxesOf(processId);
            if (!boxes.empty()) found = boxes.front();
            return !boxes.empty();
        },
        timeoutMs);
    return found;
}

bool pressOk(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    // The box's owner is disabled while the box is open and enabled again only after the box
    // has gone from the screen: a click in between would be lost.
    HWND owner = GetWindow(box, GW_OWNER);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    return waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000) &&
           (!owner || waitUntil([&] { return !IsWindow(owner) || IsWindowEnabled(owner); }, 5000));
}

}  // namespace e2e
