// A system library loaded by name at its first use. How it is loaded is decided here, apart from
// the system calls that do it (LibraryLoader), so that the choice of path is tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace quellon {

// ERROR_INVALID_PARAMETER: the answer of a system that predates the search flags.
inline constexpr std::uint32_t kErrorInvalidParameter = 87;

class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    // LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32): the module, or 0 with the
    // system's error code in `error`.
    virtual Handle loadFromSystemDirectory(const std::wstring& name, std::uint32_t& error) = 0;
    // LoadLibraryW(file): the module, or 0.
    virtual Handle loadLibrary(const std::wstring& file) = 0;
    // GetSystemDirectoryW: the system directory, empty when it cannot be read.
    virtual std::wstring systemDirectory() = 0;
};

class SystemLibrary {
public:
    explicit SystemLibrary(std::string_view name) : name_(name.begin(), name.end()) {}

    // The library's module, loaded at the first call; 0 when it cannot be loaded. A library
    // that could not be loaded is not asked for again: some callers ask every 100 ms.
    Handle load(LibraryLoader& loader);

private:
    std::wstring name_;
    // Stays loaded for the life of the process, like a library linked at start.
    Handle module_ = 0;
    bool missing_ = false;
};

}  // namespace quellon
