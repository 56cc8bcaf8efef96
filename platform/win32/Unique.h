// Owning wrappers for system handles: each closes itself with the function that matches its
// kind. The null value is the one the creating function returns on failure.
#pragma once

#include <windows.h>

#include <utility>

namespace quellon::win32 {

template <class H, auto Release, H Null = H{}>
class Unique {
public:
    Unique() = default;
    explicit Unique(H handle) : handle_(handle) {}
    ~Unique() { reset(); }
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Null)) {}
    Unique& operator=(Unique&& other) noexcept {
        reset(std::exchange(other.handle_, Null));
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != Null; }
    void reset(H handle = Null) {
        if (handle_ != Null) Release(handle_);
        handle_ = handle;
    }
    // Gives the handle up without releasing it, to a system function that takes it over.
    H release() { return std::exchange(handle_, Null); }

private:
    H handle_ = Null;
};

inline void deleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void deleteDC(HDC dc) { ::DeleteDC(dc); }
inline void destroyWindow(HWND window) { ::DestroyWindow(window); }
inline void closeHandle(HANDLE handle) { ::CloseHandle(handle); }

using UniqueFont = Unique<HFONT, deleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, deleteGdiObject>;
using UniqueBitmap = Unique<HBITMAP, deleteGdiObject>;
using UniqueRegion = Unique<HRGN, deleteGdiObject>;
using UniqueMemoryDC = Unique<HDC, deleteDC>;
// A window of the tool's own that goes with its owner object: never the main window, whose end
// is the user's to choose.
using UniqueWindow = Unique<HWND, destroyWindow>;
// A kernel object's handle (a process, a thread, an event, a pipe, a file). Functions that
// answer INVALID_HANDLE_VALUE for a failure (CreateFile, CreateToolhelp32Snapshot) are given
// to it through adoptFile, which turns that into the empty handle.
using UniqueHandle = Unique<HANDLE, closeHandle>;

inline UniqueHandle adoptFile(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// The device context of a window's client area from GetDC, or of the whole screen for no
// window, given back with ReleaseDC.
class ClientDC {
public:
    explicit ClientDC(HWND window = nullptr) : window_(window), dc_(::GetDC(window)) {}
    ~ClientDC() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A window's paint, from BeginPaint to EndPaint: the device context and the part to paint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintDC() { ::EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// The clipboard from a successful OpenClipboard to CloseClipboard at the end of the scope.
class OpenedClipboard {
public:
    explicit OpenedClipboard(bool opened) : opened_(opened) {}
    ~OpenedClipboard() {
        if (opened_) ::CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return opened_; }

private:
    bool opened_;
};

// Selects an object into a device context and puts the previous one back at the end.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~Selected() { ::SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace quellon::win32
