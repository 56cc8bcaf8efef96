#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it, or when shellcheck
# finds fault with a shell script of the build and the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] || clang-format --dry-run --Werror "${files[@]}"
# -x -P SCRIPTDIR: follow what a script sources, found beside the script.
shellcheck -x -P SCRIPTDIR scripts/*.sh tests/e2e/run.sh
