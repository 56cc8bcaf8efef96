// Plain value types that the tool's logic shares with the platform layer. They mirror the
// window system's records without pulling <windows.h> into portable code.
#pragma once

#include <cstdint>

namespace quellon {

// A window handle as the window system hands it out: 32 bits, signed. On 64-bit Windows
// handles are sign-extended 32-bit values, so nothing is lost at the boundary.
using Hwnd = std::int32_t;

// Any other system handle (device context, process, snapshot) is pointer-sized.
using Handle = std::uintptr_t;
inline constexpr Handle kInvalidHandle = ~Handle{0};

// A module handle as EnumProcessModules writes it: one pointer of the build.
using ModuleHandle = std::uintptr_t;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const Rect&) const = default;
};

// The fields of the narrow process record that the process lookup uses. dwSize is the size
// of the system's own narrow record in this build: 296 bytes in 32-bit code, 304 in 64-bit.
inline constexpr std::uint32_t kProcessRecordBytes = sizeof(void*) == 8 ? 304 : 296;
inline constexpr int kMaxPath = 260;

struct ProcessRecord {
    std::uint32_t dwSize = 0;
    std::uint32_t th32ProcessID = 0;
    char szExeFile[kMaxPath] = {};
};

// GetWindow relations used by the walk.
enum class Relation : unsigned { Next = 2, Child = 5 };

}  // namespace quellon
