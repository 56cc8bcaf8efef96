// The real platform: every function the logic calls, bound by name from "user32", "kernel32"
// and "PSAPI.DLL" at its first call, in the wide-character variants where text is involved.
#pragma once

// Before <windows.h>: the platform's constants share their names with the system's macros.
#include "platform/Platform.h"

#include <windows.h>

namespace quellon::win32 {

class Win32Platform : public Platform {
public:
    // The window that owns message boxes, so that they are modal to it.
    void setOwner(HWND owner) { owner_ = owner; }

    bool getCursorPos(Point& point) override;
    Hwnd windowFromPoint(Point point) override;
    Hwnd getWindow(Hwnd window, Relation relation) override;
    Hwnd getParent(Hwnd window) override;
    Hwnd getAncestor(Hwnd window, unsigned flags) override;
    Hwnd getDesktopWindow() override;
    bool isWindowVisible(Hwnd window) override;
    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override;
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override;
    std::uint32_t getWindowThreadProcessId(Hwnd window, std::uint32_t* processId) override;
    bool getClientRect(Hwnd window, Rect& rect) override;
    Handle getDC(Hwnd window) override;
    int releaseDC(Hwnd window, Handle dc) override;
    bool invertRect(Handle dc, const Rect& rect) override;
    bool setWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override;
    std::int32_t getWindowLong(Hwnd window, int index) override;
    std::int32_t setWindowLong(Hwnd window, int index, std::int32_t value) override;
    bool setLayeredWindowAttributes(Hwnd window, std::uint32_t colorKey, std::uint8_t alpha,
                                    std::uint32_t flags) override;
    void messageBox(const std::wstring& text) override;

    std::uint32_t getVersion() override;
    Handle createToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
    bool process32First(Handle snapshot, ProcessRecord& record) override;
    bool process32Next(Handle snapshot, ProcessRecord& record) override;
    Handle openProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override;
    bool closeHandle(Handle handle) override;
    void sleep(std::uint32_t milliseconds) override;
    bool queryFullProcessImageName(Handle process, std::uint32_t flags, wchar_t* buffer,
                                   std::uint32_t* size) override;

    bool enumProcessModules(Handle process, ModuleHandle* modules, std::uint32_t bytes,
                            std::uint32_t* bytesNeeded) override;
    std::uint32_t getModuleFileNameEx(Handle process, ModuleHandle module, wchar_t* buffer,
                                      std::uint32_t capacity) override;

    std::wstring fromActiveCodePage(std::string_view narrow) override;
    std::wstring decimalSeparator() override;

private:
    HWND owner_ = nullptr;
};

// The application title, the caption of every message box.
inline constexpr const wchar_t* kApplicationTitle = L"Tarnwick W_Quellon";

}  // namespace quellon::win32
