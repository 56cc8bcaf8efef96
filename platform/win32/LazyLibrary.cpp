#include "platform/win32/LazyLibrary.h"

#include <string>

#include "platform/RuntimeError.h"

namespace quellon::win32 {

FARPROC LazyLibrary::require(const char* function) {
    if (!load()) throw dllNotFound(name_);
    const FARPROC address = ::GetProcAddress(module_, function);
    if (!address) throw entryPointNotFound(function, name_);
    return address;
}

FARPROC LazyLibrary::find(const char* function) noexcept {
    return load() ? ::GetProcAddress(module_, function) : nullptr;
}

HMODULE LazyLibrary::load() noexcept {
    if (module_) return module_;
    const std::wstring name(name_, name_ + std::char_traits<char>::length(name_));
    // Only the system directory: a DLL of the same name beside the executable must not be
    // picked up. Systems without the search flags reject it; they get the classic search.
    module_ = ::LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module_ && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        module_ = ::LoadLibraryW(name.c_str());
    }
    return module_;
}

}  // namespace quellon::win32
