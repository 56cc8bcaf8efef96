#!/usr/bin/env bash
# Builds one flavour into build/<flavour>, all of it or the targets named after it:
#   build.sh FLAVOUR [TARGET...]
#   x64, x86        the Windows programs (tool, fixture, e2e driver, benchmark) with mingw-w64;
#                   the target release_programs is what the release package holds
#   native          the unit tests, natively with g++
#   native-asan     the unit tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   clang-x64       the 64-bit Windows programs and the unit tests for Windows, compiled with
#                   clang as a second compiler (for its findings; the tests run from the others)
# QUELLON_WERROR=1 makes every compiler warning an error.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:?usage: build.sh x64|x86|native|native-asan|clang-x64 [TARGET...]}
shift
dir="$top/build/$flavour"
targets=()
[[ $# -eq 0 ]] || targets=(--target "$@")

args=(-S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=Release)
case "$flavour" in
    x64) args+=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x64.cmake") ;;
    x86) args+=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86.cmake") ;;
    clang-x64)
        args+=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/clang-x64.cmake" -DQUELLON_UNIT_TESTS=ON)
        ;;
    native) args=(-S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=Debug) ;;
    native-asan)
        args=(-S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=Debug
            "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all")
        ;;
    *)
        echo "build.sh: unknown flavour '$flavour'" >&2
        exit 2
        ;;
esac
# Given either way, so that a build folder configured once with errors does not keep them.
werror=OFF
if [[ ${QUELLON_WERROR:-0} == 1 ]]; then werror=ON; fi
args+=("-DQUELLON_WERROR=$werror")

cmake "${args[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
