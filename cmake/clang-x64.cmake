# Cross-compiling the 64-bit Windows build with Debian's clang, a second compiler for the code
# that only Windows runs: mingw-w64's headers and libraries, the C++ library of its g++, lld.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUELLON_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${QUELLON_MINGW_TRIPLET})
set(CMAKE_CXX_COMPILER_TARGET ${QUELLON_MINGW_TRIPLET})

# clang looks for g++'s files under a folder named by a bare version, and Debian's is "12-posix":
# g++ names its own folder, and clang is given the headers and libraries there. Without them it
# would take the host's C++ headers and /usr/include.
execute_process(COMMAND ${QUELLON_MINGW_TRIPLET}-g++-posix -print-libgcc-file-name
  OUTPUT_VARIABLE quellon_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
cmake_path(GET quellon_libgcc PARENT_PATH quellon_gcc_dir)
set(quellon_cxx_headers ${quellon_gcc_dir}/include/c++)
# Mingw-w64's headers after clang's own, as g++ takes them after its own. A CMAKE_CXX_FLAGS given
# on the command line replaces these: add flags through CXXFLAGS instead.
set(quellon_c_include "-nostdlibinc -idirafter /usr/${QUELLON_MINGW_TRIPLET}/include")
set(CMAKE_C_FLAGS_INIT "${quellon_c_include}")
set(CMAKE_CXX_FLAGS_INIT "-nostdinc++ -isystem ${quellon_cxx_headers} \
-isystem ${quellon_cxx_headers}/${QUELLON_MINGW_TRIPLET} -isystem ${quellon_cxx_headers}/backward \
${quellon_c_include}")
# The C++ library of g++-posix runs its threads on winpthreads, which its g++ links by itself
# (-pthread). The compiler's flags come along to the link, where those for headers mean nothing.
set(CMAKE_EXE_LINKER_FLAGS_INIT
  "-fuse-ld=lld -L${quellon_gcc_dir} -pthread -Wno-unused-command-line-argument")
# Build it optimised: without the optimiser clang emits libstdc++ 12's inline
# type_info::operator==, which libstdc++.a defines as well, and both linkers stop at the pair.
