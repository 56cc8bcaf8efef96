# Cross-compiling the 32-bit Windows build with mingw-w64 on Debian.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUELLON_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
