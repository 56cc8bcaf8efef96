// The layout that follows the window's size, with the window resized from outside as a user
// would drag its frame.
#include "../driver/E2eTest.h"
#include "LayoutExpectations.h"

using namespace e2e;

E2E_TEST(layout_follows_window_size) { checkLayoutSequence(t, 15); }

E2E_TEST(layout_after_a_move_to_a_monitor_of_144_dpi_and_back) { checkDpiChange(t, 144); }
