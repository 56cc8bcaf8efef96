// The five lines of the details box, each a label and a value: written by the click on an
// entry, read back into their values by the JSON form of a dump.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quellon {

enum class DetailsLine { Handle, ClassName, ProcessId, Module, Size };
inline constexpr std::size_t kDetailsLineCount = 5;

// Each label is as wide as the others, so that the values stand in one column.
[[nodiscard]] constexpr std::wstring_view detailsLabel(DetailsLine line) {
    constexpr std::array<std::wstring_view, kDetailsLineCount> labels{
        L"Fensterhandle: ", L"Fensterklasse: ", L"ProcessID:     ", L"Modul:         ",
        L"Größe:         "};
    return labels[static_cast<std::size_t>(line)];
}

// The value of each line of a details text, in the order above; none from the first line that
// is not there on (a step that failed ends the details early, and then no text is written).
[[nodiscard]] std::array<std::optional<std::wstring>, kDetailsLineCount> detailsValues(
    std::wstring_view details);

}  // namespace quellon
