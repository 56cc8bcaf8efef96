#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "app/HandleText.h"
#include "app/TreeText.h"

namespace quellon {

namespace {

constexpr std::wstring_view kSeeHelp = L"; /? zeigt die Aufrufe.";

// The options that take a value, and what the message of a missing value names.
struct Option {
    std::wstring_view name;  // in lower case
    std::wstring_view value;
};
enum OptionIndex { kHwnd, kDump, kOut };
constexpr std::array<Option, 3> kOptions{{
    {L"/hwnd", L"das Fensterhandle"},
    {L"/dump", L"das Fenster, ein Handle oder @X,Y"},
    {L"/out", L"der Dateiname"},
}};

// The options that stand alone, before or after the others: /all takes the place of the
// window after /dump.
enum FlagIndex { kJson, kAll };
constexpr std::array<std::wstring_view, 2> kFlags{L"/json", L"/all"};

std::wstring lowerCase(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return text;
}

std::wstring quoted(std::wstring_view text) { return L'"' + std::wstring(text) + L'"'; }

int optionIndex(const std::wstring& argument) {
    const std::wstring name = lowerCase(argument);
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        if (kOptions[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

int flagIndex(const std::wstring& argument) {
    const std::wstring name = lowerCase(argument);
    for (std::size_t i = 0; i < kFlags.size(); ++i) {
        if (kFlags[i] == name) return static_cast<int>(i);
    }
    return -1;
}

// An optional "-" and decimal digits within 32 bits, with blanks around them.
std::optional<std::int32_t> coordinate(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    const bool negative = text.starts_with(L'-');
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::int64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// "@X,Y" in screen pixels.
std::optional<Point> point(std::wstring_view text) {
    if (!text.starts_with(L'@')) return std::nullopt;
    text.remove_prefix(1);
    const std::size_t comma = text.find(L',');
    if (comma == std::wstring_view::npos) return std::nullopt;
    const auto x = coordinate(text.substr(0, comma));
    const auto y = coordinate(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return Point{*x, *y};
}

std::variant<Hwnd, std::wstring> handle(const std::wstring& text) {
    if (const std::optional<Hwnd> parsed = parseHandle(text)) return *parsed;
    return quoted(text) + L" ist kein Fensterhandle (dezimal, 0x… oder &H…).";
}

std::variant<WindowChoice, std::wstring> window(const std::wstring& text) {
    if (!text.starts_with(L'@')) {
        auto parsed = handle(text);
        if (const Hwnd* found = std::get_if<Hwnd>(&parsed)) return WindowChoice{*found};
        return std::get<std::wstring>(parsed);
    }
    if (const std::optional<Point> at = point(text)) return WindowChoice{*at};
    return quoted(text) + L" ist keine Stelle des Bildschirms (@X,Y in Pixeln).";
}

}  // namespace

std::variant<Command, std::wstring> parseCommandLine(const std::vector<std::wstring>& arguments) {
    Command command;
    for (const std::wstring& argument : arguments) {
        if (argument == L"/?") {
            command.action = Command::Action::Help;
            return command;
        }
    }
    std::array<bool, kFlags.size()> flags{};
    std::vector<std::wstring> valued;
    for (const std::wstring& argument : arguments) {
        const int index = flagIndex(argument);
        if (index < 0) {
            valued.push_back(argument);
            continue;
        }
        bool& given = flags[static_cast<std::size_t>(index)];
        if (given)
            return std::wstring(kFlags[static_cast<std::size_t>(index)]) + L" steht zweimal" +
                   std::wstring(kSeeHelp);
        given = true;
    }
    std::array<std::optional<std::wstring>, kOptions.size()> values;
    for (std::size_t i = 0; i < valued.size(); ++i) {
        const int index = optionIndex(valued[i]);
        if (index < 0) {
            return (valued[i].starts_with(L'/') ? L"Unbekannte Option "
                                                : L"Unerwartetes Argument ") +
                   quoted(valued[i]) + std::wstring(kSeeHelp);
        }
        const Option& option = kOptions[static_cast<std::size_t>(index)];
        std::optional<std::wstring>& value = values[static_cast<std::size_t>(index)];
        if (value) return std::wstring(option.name) + L" steht zweimal" + std::wstring(kSeeHelp);
        if (index == kDump && flags[kAll]) {
            value.emplace();
            continue;
        }
        if (i + 1 == valued.size() || valued[i + 1].empty()) {
            return L"Nach " + std::wstring(option.name) + L" fehlt " + std::wstring(option.value) +
                   std::wstring(kSeeHelp);
        }
        value = valued[++i];
    }
    if (!values[kDump]) {
        const std::wstring_view onlyWithDump = values[kOut]   ? kOptions[kOut].name
                                               : flags[kJson] ? kFlags[kJson]
                                               : flags[kAll]  ? kFlags[kAll]
                                                              : std::wstring_view();
        if (!onlyWithDump.empty()) {
            return std::wstring(onlyWithDump) + L" gilt nur mit /dump" + std::wstring(kSeeHelp);
        }
    }
    if (values[kHwnd] && values[kDump]) {
        return L"/hwnd und /dump gehen nicht zusammen" + std::wstring(kSeeHelp);
    }
    if (values[kHwnd]) {
        auto parsed = handle(*values[kHwnd]);
        if (const auto* message = std::get_if<std::wstring>(&parsed)) return *message;
        command.startWith = std::get<Hwnd>(parsed);
    }
    if (values[kDump]) {
        if (flags[kAll]) {
            command.dumped = AllWindows{};
        } else {
            auto parsed = window(*values[kDump]);
            if (const auto* message = std::get_if<std::wstring>(&parsed)) return *message;
            command.dumped = std::get<WindowChoice>(parsed);
        }
        command.action = Command::Action::Dump;
        command.form = flags[kJson] ? DumpForm::Json : DumpForm::Text;
        command.outFile = values[kOut].value_or(L"");
    }
    return command;
}

std::wstring helpText() {
    const auto number = [](int code) { return std::to_wstring(code); };
    return L"Tarnwick Windows Quellon zeigt, wie die Fenster auf dem Bildschirm verschachtelt "
           L"sind.\r\n"
           L"\r\n"
           L"\"Tarnwick WQuellon\" [/hwnd HANDLE]\r\n"
           L"\"Tarnwick WQuellon\" /dump HANDLE|@X,Y|/all [/json] [/out DATEI]\r\n"
           L"\r\n"
           L"  /hwnd HANDLE  startet mit dem Baum dieses Fensters, wie nach dem Ziehen\r\n"
           L"                der Sonde darauf.\r\n"
           L"  /dump HANDLE  zeigt kein Fenster: schreibt den Baum des Fensters als Text,\r\n"
           L"                eine Leerzeile und die fünf Zeilen seiner Details.\r\n"
           L"  /dump @X,Y    ebenso für das Fenster an dieser Stelle des Bildschirms\r\n"
           L"                (Pixel; links vom Hauptbildschirm negativ).\r\n"
           L"  /dump /all    ebenso für alle Fenster des Desktops, ohne Details.\r\n"
           L"  /json         schreibt mit /dump ein JSON-Dokument (UTF-8) statt des Textes.\r\n"
           L"  /out DATEI    schreibt in die Datei (UTF-8) statt auf die Standardausgabe.\r\n"
           L"  /?            zeigt diese Hilfe.\r\n"
           L"\r\n"
           L"HANDLE: dezimal (4660 oder -5), hexadezimal 0x1234 oder &H1234.\r\n"
           L"Eine Zeile je Eintrag: ein Tabulator je Ebene, der Text des Eintrags,\r\n"
           L"ein Tabulator und das Handle (&H...), bei nicht sichtbaren Fenstern\r\n"
           L"ein Tabulator und \"" +
           std::wstring(kHiddenWord) + L"\".\r\n" + L"Rückgabewert: " + number(kExitDone) +
           L" geschrieben, " + number(kExitNoWindow) + L" kein solches Fenster, " +
           number(kExitUsage) + L" falscher Aufruf,\r\n" + number(kExitNotWritten) +
           L" nicht geschrieben. Ohne Endung aufgerufen startet die Eingabeaufforderung\r\n"
           L"\"Tarnwick WQuellon.com\", das wartet und den Rückgabewert weitergibt.\r\n";
}

std::wstring noWindowMessage(const WindowChoice& choice) {
    if (const Hwnd* window = std::get_if<Hwnd>(&choice)) {
        return L"Kein Fenster mit dem Handle " + handleText(*window) + L".";
    }
    if (std::holds_alternative<AllWindows>(choice)) return L"Der Desktop ist nicht lesbar.";
    const Point& at = std::get<Point>(choice);
    return L"Kein Fenster an der Stelle " + std::to_wstring(at.x) + L"," + std::to_wstring(at.y) +
           L".";
}

std::wstring_view afterProgramName(std::wstring_view commandLine) {
    std::size_t end = 0;
    if (commandLine.starts_with(L'"')) {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = std::min(commandLine.find_first_of(L" \t"), commandLine.size());
    }
    commandLine.remove_prefix(end);
    const std::size_t first = commandLine.find_first_not_of(L" \t");
    return first == std::wstring_view::npos ? std::wstring_view() : commandLine.substr(first);
}

std::wstring notStartedMessage(const std::wstring& program, unsigned long systemError) {
    return quoted(program) + L" ließ sich nicht starten (Systemfehler " +
           std::to_wstring(systemError) + L").";
}

std::wstring notWrittenMessage(const std::wstring& file, unsigned long systemError) {
    const std::wstring what = file.empty() ? L"Die Ausgabe" : L"Die Datei " + quoted(file);
    return what + L" wurde nicht geschrieben (Systemfehler " + std::to_wstring(systemError) + L").";
}

}  // namespace quellon
