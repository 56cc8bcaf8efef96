#include "platform/SystemLibrary.h"

namespace quellon {

// Only the system directory: the release is unpacked anywhere, and a DLL of the same name beside
// the executable must never run inside the tool. Systems without the search flags reject them;
// they load the full path in the system directory, never the bare name, which the classic
// search looks for in the executable's folder first.
Handle SystemLibrary::load(LibraryLoader& loader) {
    if (module_ || missing_) return module_;
    std::uint32_t error = 0;
    module_ = loader.loadFromSystemDirectory(name_, error);
    if (!module_ && error == kErrorInvalidParameter) {
        const std::wstring directory = loader.systemDirectory();
        if (!directory.empty()) module_ = loader.loadLibrary(directory + L"\\" + name_);
    }
    missing_ = module_ == 0;
    return module_;
}

}  // namespace quellon
