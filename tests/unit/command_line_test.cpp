// Handles as users paste them and the command line's options, read as the tool reads them.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
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

// What a command line comes to, as one line for the table below.
std::wstring outcome(const std::vector<std::wstring>& arguments) {
    const auto parsed = parseCommandLine(arguments);
    if (const auto* message = std::get_if<std::wstring>(&parsed)) return *message;
    const Command& command = std::get<Command>(parsed);
    switch (command.action) {
        case Command::Action::Help: return L"help";
        case Command::Action::Show:
            return command.startWith ? L"show " + handleText(*command.startWith) : L"show";
        case Command::Action::Dump: break;
    }
    const auto* point = std::get_if<Point>(&command.dumped);
    const auto* handle = std::get_if<Hwnd>(&command.dumped);
    const std::wstring window =
        point    ? L"@" + std::to_wstring(point->x) + L"," + std::to_wstring(point->y)
        : handle ? handleText(*handle)
                 : L"all";
    const std::wstring form = command.form == DumpForm::Json ? L" as JSON" : L"";
    return L"dump " + window + form + L" to [" + command.outFile + L"]";
}

TEST(CommandLine, OptionsTheirValuesAndEveryMistake) {
    const std::pair<std::vector<std::wstring>, std::wstring> cases[] = {
        {{}, L"show"},
        {{L"/hwnd", L"&H1234"}, L"show &H1234"},
        {{L"/HWND", L"4660"}, L"show &H1234"},
        {{L"/dump", L"0x1234"}, L"dump &H1234 to []"},
        {{L"/Dump", L"@-1200,20", L"/OUT", L"C:\\Neuer Ordner\\baum.txt"},
         L"dump @-1200,20 to [C:\\Neuer Ordner\\baum.txt]"},
        {{L"/out", L"b.txt", L"/dump", L"@ 3 , -4 "}, L"dump @3,-4 to [b.txt]"},
        {{L"/dump", L"5", L"/?"}, L"help"},
        {{L"/?", L"/bogus"}, L"help"},
        {{L"/x"}, L"Unbekannte Option \"/x\"; /? zeigt die Aufrufe."},
        {{L"-dump", L"5"}, L"Unerwartetes Argument \"-dump\"; /? zeigt die Aufrufe."},
        {{L"/dump"}, L"Nach /dump fehlt das Fenster, ein Handle oder @X,Y; /? zeigt die Aufrufe."},
        {{L"/dump", L""},
         L"Nach /dump fehlt das Fenster, ein Handle oder @X,Y; /? zeigt die Aufrufe."},
        {{L"/hwnd"}, L"Nach /hwnd fehlt das Fensterhandle; /? zeigt die Aufrufe."},
        {{L"/dump", L"5", L"/out"}, L"Nach /out fehlt der Dateiname; /? zeigt die Aufrufe."},
        {{L"/dump", L"1", L"/DUMP", L"2"}, L"/dump steht zweimal; /? zeigt die Aufrufe."},
        {{L"/out", L"b.txt"}, L"/out gilt nur mit /dump; /? zeigt die Aufrufe."},
        {{L"/hwnd", L"1", L"/dump", L"2"},
         L"/hwnd und /dump gehen nicht zusammen; /? zeigt die Aufrufe."},
        {{L"/dump", L"5", L"6"}, L"Unerwartetes Argument \"6\"; /? zeigt die Aufrufe."},
        {{L"/dump", L"Fenster"}, L"\"Fenster\" ist kein Fensterhandle (dezimal, 0x… oder &H…)."},
        {{L"/hwnd", L"0x1FFFFFFFF"},
         L"\"0x1FFFFFFFF\" ist kein Fensterhandle (dezimal, 0x… oder &H…)."},
        {{L"/dump", L"@12"}, L"\"@12\" ist keine Stelle des Bildschirms (@X,Y in Pixeln)."},
        {{L"/dump", L"@1,2147483648"},
         L"\"@1,2147483648\" ist keine Stelle des Bildschirms (@X,Y in Pixeln)."},
        {{L"/dump", L"@1,-2,3"}, L"\"@1,-2,3\" ist keine Stelle des Bildschirms (@X,Y in Pixeln)."},
        // /json and /all stand before or after the others, in any case.
        {{L"/dump", L"5", L"/json"}, L"dump &H5 as JSON to []"},
        {{L"/JSON", L"/dump", L"5"}, L"dump &H5 as JSON to []"},
        {{L"/dump", L"/Json", L"5"}, L"dump &H5 as JSON to []"},
        {{L"/dump", L"/all"}, L"dump all to []"},
        {{L"/ALL", L"/out", L"a.json", L"/json", L"/dump"}, L"dump all as JSON to [a.json]"},
        {{L"/dump", L"/all", L"5"}, L"Unerwartetes Argument \"5\"; /? zeigt die Aufrufe."},
        {{L"/json"}, L"/json gilt nur mit /dump; /? zeigt die Aufrufe."},
        {{L"/hwnd", L"5", L"/all"}, L"/all gilt nur mit /dump; /? zeigt die Aufrufe."},
        {{L"/dump", L"5", L"/json", L"/json"}, L"/json steht zweimal; /? zeigt die Aufrufe."},
    };
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(outcome(arguments), expected);
    }
}

// As the system's start-up code passes them to WinMain, which the console companion hands on.
TEST(CommandLine, TheArgumentsAfterTheProgramsName) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"\"C:\\Program Files\\Tarnwick WQuellon.com\" /dump 5", L"/dump 5"},
        {L"quellon.com\t /hwnd \"&H10\"  ", L"/hwnd \"&H10\"  "},
        {L"quellon", L""},
        {L"\"unclosed quote /dump 5", L""},
        {L"\"a\"b /x", L"b /x"},
        {L"", L""},
    };
    for (const auto& [commandLine, expected] : cases) {
        EXPECT_EQ(afterProgramName(commandLine), expected) << commandLine;
    }
}

}  // namespace
}  // namespace quellon
