// The tool's plain values and the system's records. Window handles cross between the tool's
// 32-bit Hwnd and the system's HWND by sign extension: 64-bit Windows hands out handles that fit
// in 32 signed bits.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/Types.h"

namespace quellon::win32 {

inline HWND toHwnd(Hwnd window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}

inline Hwnd fromHwnd(HWND window) {
    return static_cast<Hwnd>(reinterpret_cast<std::intptr_t>(window));
}

inline Rect fromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace quellon::win32
