#include "platform/win32/SystemFunctions.h"

namespace quellon::win32 {

SystemFunctions& systemFunctions() {
    static SystemFunctions table;
    return table;
}

void restrictLibrarySearch() {
    if (auto* setDirectories = kernel32().SetDefaultDllDirectories.find()) {
        setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

}  // namespace quellon::win32
