#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the tool's code, its benchmark and its tests
# as clang compiles them for Windows (cmake/clang-x64.cmake): a second compiler's view of the
# code that only Windows runs, with the project's warning flags, and the linter, in one pass.
# Fails on any finding, warning or compile error.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir="$top/build/lint"

# Configured only: clang-tidy reads the compile commands and the generated headers, and each
# file as it is written, without the precompiled headers that a build would make first.
cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/clang-x64.cmake" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DQUELLON_UNIT_TESTS=ON -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON >/dev/null
log="$dir/clang-tidy.log"
status=0
run-clang-tidy -p "$dir" -j"$(nproc)" -quiet "^$top/(app|bench|modules|platform|tests)/" >"$log" 2>&1 ||
    status=$?
# The findings, without the commands and the counts of what the system's headers raised.
grep -v -E '^clang-tidy|^[0-9]+ warnings? generated\.$|^Suppressed [0-9]+ |^Use -header-filter=|^$' \
    "$log" || true
exit "$status"
