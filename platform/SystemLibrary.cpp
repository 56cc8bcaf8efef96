#include "platform/SystemLibrary.h"

namespace quellon {

Handle SystemLibrary::load(LibraryLoader& loader) {
    if (module_) return module_;
    // Only the system directory: a DLL of the same name beside the executable must not be
    // picked up. Systems without the search flags reject it; they get the classic search.
    std::uint32_t error = 0;
    module_ = loader.loadFromSystemDirectory(name_, error);
    if (!module_ && error == kErrorInvalidParameter) module_ = loader.loadLibrary(name_);
    return module_;
}

}  // namespace quellon
