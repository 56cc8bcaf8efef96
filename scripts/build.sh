#!/usr/bin/env bash
# Builds one flavour into build/<flavour>:
#   x64, x86        the Windows programs (tool, fixture, e2e driver, benchmark) with mingw-w64
#   native          the unit tests, natively with g++
#   native-asan     the unit tests under AddressSanitizer and UndefinedBehaviorSanitizer
# QUELLON_WERROR=1 makes every compiler warning an error.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:?usage: build.sh x64|x86|native|native-asan}
dir="$top/build/$flavour"

args=(-S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=Release)
case "$flavour" in
    x64) args+=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x64.cmake") ;;
    x86) args+=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86.cmake") ;;
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
cmake --build "$dir" -j"$(nproc)"
