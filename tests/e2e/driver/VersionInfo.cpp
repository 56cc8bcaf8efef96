#include "VersionInfo.h"

#include <cwchar>

namespace e2e {

std::optional<VersionInfo> VersionInfo::of(const std::wstring& file) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    VersionInfo info;
    info.data_.resize(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, info.data_.data())) return std::nullopt;
    return info;
}

std::optional<std::wstring> VersionInfo::string(const std::wstring& block,
                                                const std::wstring& key) const {
    std::wstring path = L"\\StringFileInfo\\" + block + L"\\" + key;
    wchar_t* value = nullptr;
    UINT length = 0;
    auto* data = const_cast<char*>(data_.data());
    if (!VerQueryValueW(data, path.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return std::nullopt;
    }
    // The length counts the terminator when there is one.
    std::wstring text(value, length);
    text.resize(std::wcslen(text.c_str()));
    return text;
}

std::vector<std::wstring> VersionInfo::translations() const {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* table = nullptr;
    UINT bytes = 0;
    auto* data = const_cast<char*>(data_.data());
    std::vector<std::wstring> names;
    if (!VerQueryValueW(data, L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&table),
                        &bytes)) {
        return names;
    }
    for (UINT i = 0; i < bytes / sizeof(Translation); ++i) {
        wchar_t name[16];
        std::swprintf(name, 16, L"%04X%04X", table[i].language, table[i].codePage);
        names.push_back(name);
    }
    return names;
}

const VS_FIXEDFILEINFO* VersionInfo::fixed() const {
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    auto* data = const_cast<char*>(data_.data());
    if (!VerQueryValueW(data, L"\\", reinterpret_cast<void**>(&info), &length)) return nullptr;
    return info;
}

}  // namespace e2e
