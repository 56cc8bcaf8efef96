#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it, when a shell script
# differs from what shfmt makes of it (four spaces, indented case patterns), when shellcheck
# finds fault with one, its tests written [[ ]] throughout, or when a CI workflow does not fit
# GitHub Actions' schema.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
[[ ${#files[@]} -eq 0 ]] || clang-format --dry-run --Werror "${files[@]}"
# The shell scripts, by their extension or their first line (shfmt -f).
mapfile -t scripts < <(git ls-files -z -co --exclude-standard | xargs -0 shfmt -f)
shfmt --diff --simplify --indent 4 --case-indent "${scripts[@]}"
# -x -P SCRIPTDIR: follow what a script sources, found beside the script.
shellcheck -x -P SCRIPTDIR --enable=require-double-brackets "${scripts[@]}"
# action-validator comes from npm, installed into build/npm on first use.
validator=build/npm/node_modules/.bin/action-validator
[[ -x $validator ]] ||
    npm install --prefix build/npm --no-audit --no-fund --silent @action-validator/cli@0.6.0
"$validator" .github/workflows/*.yml
