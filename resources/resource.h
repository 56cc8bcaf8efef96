// Resource ids of the executable, shared by quellon.rc and the code that loads the pictures.
#pragma once

#define IDI_APPLICATION_ICON 1

// Image-list pictures (16 x 16, 24-bit colour) and their masks (monochrome, 1 = transparent).
#define IDB_WINDOW_VISIBLE 101
#define IDB_WINDOW_HIDDEN 102
#define IDB_WINDOW_VISIBLE_MASK 111
#define IDB_WINDOW_HIDDEN_MASK 112
