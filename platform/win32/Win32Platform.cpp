#include "platform/win32/Win32Platform.h"

#include <cstring>

#include "platform/win32/Handles.h"
#include "platform/win32/SystemFunctions.h"

static_assert(sizeof(tagPROCESSENTRY32) == quellon::kProcessRecordBytes);
static_assert(sizeof(quellon::ModuleHandle) == sizeof(HMODULE));

namespace quellon::win32 {

namespace {

HANDLE toHandle(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
Handle fromHandle(HANDLE handle) { return reinterpret_cast<Handle>(handle); }

Rect fromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The record goes to the system in its own layout; only a successful call changes ours.
template <class Next>
bool readProcessRecord(Next&& call, ProcessRecord& record) {
    tagPROCESSENTRY32 entry{};
    entry.dwSize = record.dwSize;
    if (!call(&entry)) return false;
    record.th32ProcessID = entry.th32ProcessID;
    std::memcpy(record.szExeFile, entry.szExeFile, sizeof record.szExeFile);
    return true;
}

}  // namespace

bool Win32Platform::getCursorPos(Point& point) {
    POINT p{};
    const bool ok = systemFunctions().user32.GetCursorPos(&p) != FALSE;
    point = {p.x, p.y};
    return ok;
}

Hwnd Win32Platform::windowFromPoint(Point point) {
    return fromHwnd(systemFunctions().user32.WindowFromPoint(POINT{point.x, point.y}));
}

Hwnd Win32Platform::getWindow(Hwnd window, Relation relation) {
    return fromHwnd(
        systemFunctions().user32.GetWindow(toHwnd(window), static_cast<UINT>(relation)));
}

Hwnd Win32Platform::getParent(Hwnd window) {
    return fromHwnd(systemFunctions().user32.GetParent(toHwnd(window)));
}

Hwnd Win32Platform::getAncestor(Hwnd window, unsigned flags) {
    return fromHwnd(systemFunctions().user32.GetAncestor(toHwnd(window), flags));
}

Hwnd Win32Platform::getDesktopWindow() {
    return fromHwnd(systemFunctions().user32.GetDesktopWindow());
}

bool Win32Platform::isWindowVisible(Hwnd window) {
    return systemFunctions().user32.IsWindowVisible(toHwnd(window)) != FALSE;
}

int Win32Platform::getWindowText(Hwnd window, wchar_t* buffer, int capacity) {
    return systemFunctions().user32.GetWindowTextW(toHwnd(window), buffer, capacity);
}

int Win32Platform::getClassName(Hwnd window, wchar_t* buffer, int capacity) {
    return systemFunctions().user32.GetClassNameW(toHwnd(window), buffer, capacity);
}

std::uint32_t Win32Platform::getWindowThreadProcessId(Hwnd window, std::uint32_t* processId) {
    DWORD id = 0;
    const DWORD thread = systemFunctions().user32.GetWindowThreadProcessId(toHwnd(window), &id);
    if (processId) *processId = id;
    return thread;
}

bool Win32Platform::getClientRect(Hwnd window, Rect& rect) {
    RECT r{};
    const bool ok = systemFunctions().user32.GetClientRect(toHwnd(window), &r) != FALSE;
    if (ok) rect = fromRECT(r);
    return ok;
}

Handle Win32Platform::getDC(Hwnd window) {
    return fromHandle(systemFunctions().user32.GetDC(toHwnd(window)));
}

int Win32Platform::releaseDC(Hwnd window, Handle dc) {
    return systemFunctions().user32.ReleaseDC(toHwnd(window), static_cast<HDC>(toHandle(dc)));
}

bool Win32Platform::invertRect(Handle dc, const Rect& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    return systemFunctions().user32.InvertRect(static_cast<HDC>(toHandle(dc)), &r) != FALSE;
}

bool Win32Platform::setWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy,
                                 unsigned flags) {
    return systemFunctions().user32.SetWindowPos(toHwnd(window), toHwnd(insertAfter), x, y, cx, cy,
                                                 flags) != FALSE;
}

std::int32_t Win32Platform::getWindowLong(Hwnd window, int index) {
    return systemFunctions().user32.GetWindowLongW(toHwnd(window), index);
}

std::int32_t Win32Platform::setWindowLong(Hwnd window, int index, std::int32_t value) {
    return systemFunctions().user32.SetWindowLongW(toHwnd(window), index, value);
}

bool Win32Platform::setLayeredWindowAttributes(Hwnd window, std::uint32_t colorKey,
                                               std::uint8_t alpha, std::uint32_t flags) {
    return systemFunctions().user32.SetLayeredWindowAttributes(toHwnd(window), colorKey, alpha,
                                                               flags) != FALSE;
}

void Win32Platform::messageBox(const std::wstring& text) {
    systemFunctions().user32.MessageBoxW(owner_, text.c_str(), kApplicationTitle,
                                         MB_OK | MB_ICONEXCLAMATION);
}

std::uint32_t Win32Platform::getVersion() { return systemFunctions().kernel32.GetVersion(); }

Handle Win32Platform::createToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    return fromHandle(systemFunctions().kernel32.CreateToolhelp32Snapshot(flags, processId));
}

bool Win32Platform::process32First(Handle snapshot, ProcessRecord& record) {
    return readProcessRecord(
        [&](tagPROCESSENTRY32* entry) {
            return systemFunctions().kernel32.Process32First(toHandle(snapshot), entry) != FALSE;
        },
        record);
}

bool Win32Platform::process32Next(Handle snapshot, ProcessRecord& record) {
    return readProcessRecord(
        [&](tagPROCESSENTRY32* entry) {
            return systemFunctions().kernel32.Process32Next(toHandle(snapshot), entry) != FALSE;
        },
        record);
}

Handle Win32Platform::openProcess(std::uint32_t access, bool inherit, std::uint32_t processId) {
    return fromHandle(systemFunctions().kernel32.OpenProcess(access, inherit, processId));
}

bool Win32Platform::closeHandle(Handle handle) {
    return systemFunctions().kernel32.CloseHandle(toHandle(handle)) != FALSE;
}

void Win32Platform::sleep(std::uint32_t milliseconds) {
    systemFunctions().kernel32.Sleep(milliseconds);
}

bool Win32Platform::queryFullProcessImageName(Handle process, std::uint32_t flags, wchar_t* buffer,
                                              std::uint32_t* size) {
    DWORD capacity = size ? *size : 0;
    const bool ok = systemFunctions().kernel32.QueryFullProcessImageNameW(
                        toHandle(process), flags, buffer, &capacity) != FALSE;
    if (size) *size = capacity;
    return ok;
}

bool Win32Platform::enumProcessModules(Handle process, ModuleHandle* modules, std::uint32_t bytes,
                                       std::uint32_t* bytesNeeded) {
    DWORD needed = 0;
    const bool ok =
        systemFunctions().psapi.EnumProcessModules(
            toHandle(process), reinterpret_cast<HMODULE*>(modules), bytes, &needed) != FALSE;
    if (bytesNeeded) *bytesNeeded = needed;
    return ok;
}

std::uint32_t Win32Platform::getModuleFileNameEx(Handle process, ModuleHandle module,
                                                 wchar_t* buffer, std::uint32_t capacity) {
    return systemFunctions().psapi.GetModuleFileNameExW(
        toHandle(process), reinterpret_cast<HMODULE>(module), buffer, capacity);
}

std::wstring Win32Platform::fromActiveCodePage(std::string_view narrow) {
    if (narrow.empty()) return {};
    const int size = static_cast<int>(narrow.size());
    const int length =
        systemFunctions().kernel32.MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    systemFunctions().kernel32.MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, wide.data(),
                                                   length);
    return wide;
}

std::wstring Win32Platform::decimalSeparator() {
    wchar_t separator[8] = {};  // the system allows at most three characters and the NUL
    const int length = systemFunctions().kernel32.GetLocaleInfoW(LOCALE_USER_DEFAULT,
                                                                 LOCALE_SDECIMAL, separator, 8);
    return length > 1 ? std::wstring(separator, static_cast<std::size_t>(length - 1)) : L".";
}

}  // namespace quellon::win32
