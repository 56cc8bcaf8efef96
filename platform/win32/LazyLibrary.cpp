#include "platform/win32/LazyLibrary.h"

#include "platform/RuntimeError.h"

static_assert(quellon::kErrorInvalidParameter == ERROR_INVALID_PARAMETER);

namespace quellon::win32 {

namespace {

HMODULE toModule(Handle module) { return reinterpret_cast<HMODULE>(module); }
Handle fromModule(HMODULE module) { return reinterpret_cast<Handle>(module); }

class SystemLoader final : public LibraryLoader {
public:
    Handle loadFromSystemDirectory(const std::wstring& name, std::uint32_t& error) override {
        const HMODULE module =
            ::LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        error = module ? 0 : ::GetLastError();
        return fromModule(module);
    }
    Handle loadLibrary(const std::wstring& file) override {
        return fromModule(::LoadLibraryW(file.c_str()));
    }
    std::wstring systemDirectory() override {
        wchar_t directory[MAX_PATH];
        const UINT length = ::GetSystemDirectoryW(directory, MAX_PATH);
        // A longer one is answered with the size it needs, and nothing copied.
        return length < MAX_PATH ? std::wstring(directory, length) : std::wstring();
    }
};

}  // namespace

FARPROC LazyLibrary::require(const char* function) {
    const HMODULE module = load();
    if (!module) throw dllNotFound(name_);
    const FARPROC address = ::GetProcAddress(module, function);
    if (!address) throw entryPointNotFound(function, name_);
    return address;
}

FARPROC LazyLibrary::find(const char* function) noexcept {
    const HMODULE module = load();
    return module ? ::GetProcAddress(module, function) : nullptr;
}

HMODULE LazyLibrary::load() noexcept {
    static SystemLoader loader;
    return toModule(library_.load(loader));
}

}  // namespace quellon::win32
