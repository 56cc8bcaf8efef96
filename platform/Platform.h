// The operating-system functions the tool's logic calls, one method per function. The real
// implementation binds each by name at its first call and raises a run-time error when the
// running system lacks it; the unit tests substitute a simulated desktop.
//
// Methods keep the system's contracts: buffers with capacities, results that report failure
// by value (0, false, kInvalidHandle) rather than by raising.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace quellon {

class Platform {
public:
    virtual ~Platform() = default;

    // user32
    virtual bool getCursorPos(Point& point) = 0;
    virtual Hwnd windowFromPoint(Point point) = 0;
    virtual Hwnd getWindow(Hwnd window, Relation relation) = 0;
    virtual Hwnd getParent(Hwnd window) = 0;
    virtual Hwnd getAncestor(Hwnd window, unsigned flags) = 0;
    virtual Hwnd getDesktopWindow() = 0;
    virtual bool isWindowVisible(Hwnd window) = 0;
    // Copy at most capacity - 1 characters and a terminator; return the count copied.
    virtual int getWindowText(Hwnd window, wchar_t* buffer, int capacity) = 0;
    virtual int getClassName(Hwnd window, wchar_t* buffer, int capacity) = 0;
    virtual std::uint32_t getWindowThreadProcessId(Hwnd window, std::uint32_t* processId) = 0;
    virtual bool getClientRect(Hwnd window, Rect& rect) = 0;
    virtual Handle getDC(Hwnd window) = 0;
    virtual int releaseDC(Hwnd window, Handle dc) = 0;
    virtual bool invertRect(Handle dc, const Rect& rect) = 0;
    virtual bool setWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy,
                              unsigned flags) = 0;
    virtual std::int32_t getWindowLong(Hwnd window, int index) = 0;
    virtual std::int32_t setWindowLong(Hwnd window, int index, std::int32_t value) = 0;
    virtual bool setLayeredWindowAttributes(Hwnd window, std::uint32_t colorKey, std::uint8_t alpha,
                                            std::uint32_t flags) = 0;
    // A modal box with only an OK button and the application title as caption.
    virtual void messageBox(const std::wstring& text) = 0;

    // kernel32
    virtual std::uint32_t getVersion() = 0;
    virtual Handle createToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) = 0;
    virtual bool process32First(Handle snapshot, ProcessRecord& record) = 0;
    virtual bool process32Next(Handle snapshot, ProcessRecord& record) = 0;
    virtual Handle openProcess(std::uint32_t access, bool inherit, std::uint32_t processId) = 0;
    virtual bool closeHandle(Handle handle) = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    virtual bool queryFullProcessImageName(Handle process, std::uint32_t flags, wchar_t* buffer,
                                           std::uint32_t* size) = 0;

    // psapi
    virtual bool enumProcessModules(Handle process, ModuleHandle* modules, std::uint32_t bytes,
                                    std::uint32_t* bytesNeeded) = 0;
    virtual std::uint32_t getModuleFileNameEx(Handle process, ModuleHandle module, wchar_t* buffer,
                                              std::uint32_t capacity) = 0;

    // Text in the narrow characters of the active code page, converted to the tool's text.
    virtual std::wstring fromActiveCodePage(std::string_view narrow) = 0;
    // The decimal separator of the user's locale.
    virtual std::wstring decimalSeparator() = 0;
};

// Constants of the window system, with the values it defines.
namespace win {
inline constexpr Hwnd kHwndTopmost = -1;
inline constexpr Hwnd kHwndNoTopmost = -2;
inline constexpr unsigned kGaParent = 1;
inline constexpr unsigned kSwpNoSize = 1;
inline constexpr unsigned kSwpNoMove = 2;
inline constexpr int kGwlExStyle = -20;
inline constexpr std::int32_t kWsExLayered = 0x80000;
inline constexpr std::uint32_t kLwaAlpha = 2;
inline constexpr std::uint32_t kTh32csSnapProcess = 2;
inline constexpr std::uint32_t kProcessQueryInformation = 0x400;
inline constexpr std::uint32_t kProcessVmRead = 0x10;
inline constexpr std::uint32_t kProcessQueryLimitedInformation = 0x1000;
}  // namespace win

}  // namespace quellon
