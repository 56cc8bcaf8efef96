#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it, when a shell script
# differs from what shfmt makes of it (four spaces, indented case patterns), or when shellcheck
# finds fault with one, its tests written [[ ]] throughout.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
[[ ${#files[@]} -eq 0 ]] || clang-format --dry-run --Werror "${files[@]}"
# The shell scripts, by their extension or their first line (shfmt -f).
mapfile -t scripts < <(git ls-files -z -co --exclude-standard | xargs -0 shfmt -f)
shfmt --diff --simplify --indent 4 --case-indent "${scripts[@]}"
# -x -P SCRIPTDIR: follow what a script sources, found beside the script.
shellcheck -x -P SCRIPTDIR --enable=require-double-brackets "${scripts[@]}"
