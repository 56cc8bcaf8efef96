// Numbers as the details text writes and reads them: upper-case hexadecimal of the 32-bit
// pattern, the general format with the user's decimal separator, and decimal text read back
// into 32 bits with the toolkit's run-time errors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quellon {

// Upper-case digits without leading zeros; a negative number shows its 32-bit two's complement.
[[nodiscard]] std::wstring hexText(std::int32_t value);

// No decimal part for a whole value, otherwise up to 15 significant digits.
[[nodiscard]] std::wstring generalText(double value, std::wstring_view decimalSeparator);

// An optional "-" and decimal digits. Anything else raises TypeMismatch; a number outside
// the 32-bit range raises Overflow.
[[nodiscard]] std::int32_t parseInt32(std::wstring_view text);

}  // namespace quellon
