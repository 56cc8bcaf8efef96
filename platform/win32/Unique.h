// Owning wrappers for system handles: each closes itself with the function that matches its
// kind. The null value is the one the creating function returns on failure.
#pragma once

#include <windows.h>
#include <commctrl.h>

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
inline void destroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }

using UniqueFont = Unique<HFONT, deleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, deleteGdiObject>;
using UniqueBitmap = Unique<HBITMAP, deleteGdiObject>;
using UniqueMemoryDC = Unique<HDC, deleteDC>;
using UniqueImageList = Unique<HIMAGELIST, destroyImageList>;

// The device context of a window's client area, or of the screen, from GetDC, given back with
// ReleaseDC.
class ScreenDC {
public:
    explicit ScreenDC(HWND window = nullptr) : window_(window), dc_(::GetDC(window)) {}
    ~ScreenDC() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
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
