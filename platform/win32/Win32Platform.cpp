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
HDC toDC(Handle dc) { return static_cast<HDC>(toHandle(dc)); }

// The record goes to the system in its own layout; only a successful call changes ours.
template <class Fn>
bool readProcessRecord(Fn& function, Handle snapshot, ProcessRecord& record) {
    tagPROCESSENTRY32 entry{};
    entry.dwSize = record.dwSize;
    if (!function(toHandle(snapshot), &entry)) return false;
    record.th32ProcessID = entry.th32ProcessID;
    std::memcpy(record.szExeFile, entry.szExeFile, sizeof record.szExeFile);
    return true;
}

class SystemWindowQueries final : public WindowQueries {
public:
    bool getCursorPos(Point& point) override {
        POINT p{};
        const bool ok = user32().GetCursorPos(&p) != FALSE;
        point = {p.x, p.y};
        return ok;
    }
    Hwnd windowFromPoint(Point point) override {
        return fromHwnd(user32().WindowFromPoint(POINT{point.x, point.y}));
    }
    Hwnd getWindow(Hwnd window, Relation relation) override {
        return fromHwnd(user32().GetWindow(toHwnd(window), static_cast<UINT>(relation)));
    }
    Hwnd getParent(Hwnd window) override { return fromHwnd(user32().GetParent(toHwnd(window))); }
    Hwnd getAncestor(Hwnd window, unsigned flags) override {
        return fromHwnd(user32().GetAncestor(toHwnd(window), flags));
    }
    Hwnd getDesktopWindow() override { return fromHwnd(user32().GetDesktopWindow()); }
    bool isWindowVisible(Hwnd window) override {
        return user32().IsWindowVisible(toHwnd(window)) != FALSE;
    }
    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override {
        return user32().GetWindowTextW(toHwnd(window), buffer, capacity);
    }
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override {
        return user32().GetClassNameW(toHwnd(window), buffer, capacity);
    }
};

class SystemProcesses final : public Processes {
public:
    std::uint32_t getWindowThreadProcessId(Hwnd window, std::uint32_t* processId) override {
        DWORD id = 0;
        const DWORD thread = user32().GetWindowThreadProcessId(toHwnd(window), &id);
        if (processId) *processId = id;
        return thread;
    }
    std::uint32_t getVersion() override { return kernel32().GetVersion(); }
    Handle createToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override {
        return fromHandle(kernel32().CreateToolhelp32Snapshot(flags, processId));
    }
    bool process32First(Handle snapshot, ProcessRecord& record) override {
        return readProcessRecord(kernel32().Process32First, snapshot, record);
    }
    bool process32Next(Handle snapshot, ProcessRecord& record) override {
        return readProcessRecord(kernel32().Process32Next, snapshot, record);
    }
    Handle openProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override {
        return fromHandle(kernel32().OpenProcess(access, inherit, processId));
    }
    bool closeHandle(Handle handle) override {
        return kernel32().CloseHandle(toHandle(handle)) != FALSE;
    }
    bool queryFullProcessImageName(Handle process, std::uint32_t flags, wchar_t* buffer,
                                   std::uint32_t* size) override {
        DWORD capacity = size ? *size : 0;
        const bool ok = kernel32().QueryFullProcessImageNameW(toHandle(process), flags, buffer,
                                                              &capacity) != FALSE;
        if (size) *size = capacity;
        return ok;
    }
    bool enumProcessModules(Handle process, ModuleHandle* modules, std::uint32_t bytes,
                            std::uint32_t* bytesNeeded) override {
        DWORD needed = 0;
        const bool ok =
            psapi().EnumProcessModules(toHandle(process), reinterpret_cast<HMODULE*>(modules),
                                       bytes, &needed) != FALSE;
        if (bytesNeeded) *bytesNeeded = needed;
        return ok;
    }
    std::uint32_t getModuleFileNameEx(Handle process, ModuleHandle module, wchar_t* buffer,
                                      std::uint32_t capacity) override {
        return psapi().GetModuleFileNameExW(toHandle(process), reinterpret_cast<HMODULE>(module),
                                            buffer, capacity);
    }
    std::wstring fromActiveCodePage(std::string_view narrow) override {
        if (narrow.empty()) return {};
        const int size = static_cast<int>(narrow.size());
        const int length =
            kernel32().MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        kernel32().MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, wide.data(), length);
        return wide;
    }
};

class SystemScreen final : public Screen {
public:
    bool getClientRect(Hwnd window, Rect& rect) override {
        RECT r{};
        const bool ok = user32().GetClientRect(toHwnd(window), &r) != FALSE;
        if (ok) rect = fromRECT(r);
        return ok;
    }
    Handle getDC(Hwnd window) override { return fromHandle(user32().GetDC(toHwnd(window))); }
    int releaseDC(Hwnd window, Handle dc) override {
        return user32().ReleaseDC(toHwnd(window), toDC(dc));
    }
    bool invertRect(Handle dc, const Rect& rect) override {
        const RECT r{rect.left, rect.top, rect.right, rect.bottom};
        return user32().InvertRect(toDC(dc), &r) != FALSE;
    }
    void sleep(std::uint32_t milliseconds) override { kernel32().Sleep(milliseconds); }
    bool setWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override {
        return user32().SetWindowPos(toHwnd(window), toHwnd(insertAfter), x, y, cx, cy, flags) !=
               FALSE;
    }
    std::int32_t getWindowLong(Hwnd window, int index) override {
        return user32().GetWindowLongW(toHwnd(window), index);
    }
    std::int32_t setWindowLong(Hwnd window, int index, std::int32_t value) override {
        return user32().SetWindowLongW(toHwnd(window), index, value);
    }
    bool setLayeredWindowAttributes(Hwnd window, std::uint32_t colorKey, std::uint8_t alpha,
                                    std::uint32_t flags) override {
        return user32().SetLayeredWindowAttributes(toHwnd(window), colorKey, alpha, flags) != FALSE;
    }
    std::wstring decimalSeparator() override {
        wchar_t separator[8] = {};  // the system allows at most three characters and the NUL
        const int length =
            kernel32().GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
        return length > 1 ? std::wstring(separator, static_cast<std::size_t>(length - 1)) : L".";
    }
};

}  // namespace

void Win32Reports::messageBox(const std::wstring& text) {
    user32().MessageBoxW(owner_, text.c_str(), kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
}

Platform systemPlatform(Reports& reports) {
    static SystemWindowQueries windows;
    static SystemProcesses processes;
    static SystemScreen screen;
    return {windows, processes, screen, reports};
}

bool Win32SystemColours::highContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Colour Win32SystemColours::colour(int index) { return ::GetSysColor(index); }

}  // namespace quellon::win32
