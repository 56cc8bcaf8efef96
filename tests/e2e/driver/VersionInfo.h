// Version resource of an executable file: the strings of one block and the fixed part.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

class VersionInfo {
public:
    // Empty when the file has no version resource.
    static std::optional<VersionInfo> of(const std::wstring& file);

    // The string of the block (for example "040904B0"), none when it is absent.
    std::optional<std::wstring> string(const std::wstring& block, const std::wstring& key) const;
    // The blocks named by the translation table, as "LLLLCCCC" in upper-case hexadecimal.
    std::vector<std::wstring> translations() const;
    const VS_FIXEDFILEINFO* fixed() const;

private:
    std::vector<char> data_;
};

}  // namespace e2e
