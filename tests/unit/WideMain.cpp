// The unit tests' entry point in the mingw-w64 builds, whose programs start at wmain (-municode)
// where GoogleTest's own main is main.
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
