#include "app/DetailsLines.h"

#include <algorithm>

namespace quellon {

std::array<std::optional<std::wstring>, kDetailsLineCount> detailsValues(
    std::wstring_view details) {
    std::array<std::optional<std::wstring>, kDetailsLineCount> values;
    for (std::size_t i = 0; i < kDetailsLineCount; ++i) {
        const std::wstring_view label = detailsLabel(static_cast<DetailsLine>(i));
        if (!details.starts_with(label)) break;
        details.remove_prefix(label.size());
        // A value ends where the next line's label begins: a class name may hold a line break.
        std::size_t end = std::wstring_view::npos;
        if (i + 1 < kDetailsLineCount) {
            end =
                details.find(L"\r\n" + std::wstring(detailsLabel(static_cast<DetailsLine>(i + 1))));
        }
        end =
            std::min(end == std::wstring_view::npos ? details.find(L"\r\n") : end, details.size());
        values[i] = std::wstring(details.substr(0, end));
        details.remove_prefix(std::min(end + 2, details.size()));
    }
    return values;
}

}  // namespace quellon
