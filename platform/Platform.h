// The operating system as the tool's logic sees it, one small interface per concern. The real
// implementations bind every function by name at its first call; the unit tests substitute a
// simulated desktop, and the benchmark puts recordings in front of the window queries.
#pragma once

#include "platform/Processes.h"
#include "platform/Reports.h"
#include "platform/Screen.h"
#include "platform/WindowQueries.h"

namespace quellon {

// The pieces the main window's handlers are given; each procedure uses only its own.
struct Platform {
    WindowQueries& windows;
    Processes& processes;
    Screen& screen;
    Reports& reports;
};

}  // namespace quellon
