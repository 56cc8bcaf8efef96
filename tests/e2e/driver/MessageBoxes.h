// Message boxes that a process shows (dialog class #32770): find, read, confirm.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// The process's visible message boxes.
std::vector<MessageBoxInfo> messageBoxesOf(DWORD processId);
// Waits for the first message box of the process; its window is null when none came.
MessageBoxInfo waitForMessageBox(DWORD processId, DWORD timeoutMs);
// Presses the box's OK button and waits until the box is gone and its owner takes input again.
bool pressOk(HWND box);

}  // namespace e2e
