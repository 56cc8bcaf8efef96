// Handles as users paste them, read as the tool reads them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/HandleText.h"

namespace quellon {
namespace {

constexpr std::optional<Hwnd> kNone;

struct HandleCase {
    const wchar_t* text;
    std::optional<Hwnd> in32BitBuild;
    std::optional<Hwnd> in64BitBuild;
};

TEST(HandleText, EveryAcceptedFormAndWhatIsRejected) {
    const auto pattern = [](std::uint32_t bits) { return static_cast<Hwnd>(bits); };
    const HandleCase cases[] = {
        {L"4660", 0x1234, 0x1234},
        {L"-5", -5, -5},
        {L"-2147483648", INT32_MIN, INT32_MIN},
        {L"4294967295", -1, -1},
        {L"0", 0, 0},
        {L"0x1234", 0x1234, 0x1234},
        {L"0X00aBc", 0xABC, 0xABC},
        {L"&H1234", 0x1234, 0x1234},
        {L"&hFFFE1DC0", pattern(0xFFFE1DC0), pattern(0xFFFE1DC0)},
        // As users paste them: blanks around, a line break after.
        {L"  &H1234 \r\n", 0x1234, 0x1234},
        {L"\t0x1234\n", 0x1234, 0x1234},
        {L"4660\r", 0x1234, 0x1234},
        // Sign-extended, as a 64-bit debugger shows a handle, in hexadecimal and decimal.
        {L"0xFFFFFFFF80001234", kNone, pattern(0x80001234)},
        {L"18446744071562072628", kNone, pattern(0x80001234)},
        {L"&HFFFFFFFFFFFFFFFF", kNone, -1},
    };
    for (const HandleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "text: \"" << c.text << "\"");
        EXPECT_EQ(parseHandle(c.text, HandleWidth::Bits32), c.in32BitBuild);
        EXPECT_EQ(parseHandle(c.text, HandleWidth::Bits64), c.in64BitBuild);
    }
    const auto rejected = [](const wchar_t* text) {
        EXPECT_EQ(parseHandle(text, HandleWidth::Bits32), kNone) << text;
        EXPECT_EQ(parseHandle(text, HandleWidth::Bits64), kNone) << text;
    };
    // Over 32 bits and not sign-extended, or over 64 bits.
    for (const wchar_t* text :
         {L"4294967296", L"0x100000000", L"18446744071562067967", L"0x7FFFFFFF80001234",
          L"0x1FFFFFFFFFFFFFFFF", L"-2147483649", L"-0x5", L"&H-5"}) {
        rejected(text);
    }
    // No number.
    for (const wchar_t* text :
         {L"", L"0x", L"&H", L"-", L"+5", L"12a", L"0x12g", L"1 2", L"1.0", L"\x10x5",
          L"\u0661\u0662", L"\"1234\"", L"\r\n5", L"5\r\n6", L" \r\n"}) {
        rejected(text);
    }
    // What the tool writes reads back.
    for (Hwnd handle : {0x1234, -123456, INT32_MIN, -1}) {
        EXPECT_EQ(parseHandle(handleText(handle)), handle);
        EXPECT_EQ(parseHandle(std::to_wstring(handle)), handle);
    }
}

}  // namespace
}  // namespace quellon
