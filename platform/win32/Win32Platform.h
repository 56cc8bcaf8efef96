// The real platform: every function the logic calls, bound by name from "user32", "kernel32"
// and "PSAPI.DLL" through the one table of SystemFunctions.h at its first call, in the
// wide-character variants where text is involved.
#pragma once

#include "platform/Platform.h"
#include "platform/SystemColours.h"

#include <windows.h>

namespace quellon::win32 {

// Error reports in message boxes, modal to the window set as their owner.
class Win32Reports final : public Reports {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    void messageBox(const std::wstring& text) override;

private:
    HWND owner_ = nullptr;
};

// The system's colours and its high-contrast setting as they are now.
class Win32SystemColours final : public SystemColours {
public:
    bool highContrast() override;
    Colour colour(int index) override;
};

// The running system's window queries, processes and screen, which hold no state of their own,
// with the reports given.
Platform systemPlatform(Reports& reports);

// The application title, the caption of every message box.
inline constexpr const wchar_t* kApplicationTitle = L"Tarnwick W_Quellon";

}  // namespace quellon::win32
