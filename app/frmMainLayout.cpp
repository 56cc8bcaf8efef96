#include "app/frmMain.h"

namespace quellon {
}  // namespace quellon
