#include "platform/win32/SystemFunctions.h"

namespace quellon::win32 {

SystemFunctions& systemFunctions() {
    static SystemFunctions table;
    return table;
}

}  // namespace quellon::win32
