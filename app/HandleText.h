// Window handles as users paste them and as the tool writes them: decimal, 0x… and &H…
// hexadecimal read into the tool's Hwnd, and the &H… form that the details box writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace quellon {

// How many bits the build's HWND holds. The system's handles use 32 of them; a 64-bit build
// writes them sign-extended, so a debugger may show 0xFFFFFFFF80001234 for &H80001234.
enum class HandleWidth { Bits32, Bits64 };
inline constexpr HandleWidth kBuildHandleWidth =
    sizeof(void*) == 8 ? HandleWidth::Bits64 : HandleWidth::Bits32;

// The handle that the text names: decimal with an optional "-", or hexadecimal after "0x" or
// "&H" (either case), with blanks and tabs around it and a line break at its end. Nothing for
// any other text, and for a number that an HWND of that width cannot hold as a 32-bit handle:
// over 32 bits, except, in a 64-bit build, a sign-extended one.
[[nodiscard]] std::optional<Hwnd> parseHandle(std::wstring_view text,
                                              HandleWidth width = kBuildHandleWidth);

// "&H" and the handle's 32 bits in upper-case hexadecimal, as the details box writes it.
[[nodiscard]] std::wstring handleText(Hwnd handle);

}  // namespace quellon
