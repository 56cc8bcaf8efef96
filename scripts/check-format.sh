#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it, or when shellcheck
# finds fault with a shell script of the build and the tests, or when a CI workflow does not fit
# GitHub Actions' schema.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] || clang-format --dry-run --Werror "${files[@]}"
# -x -P SCRIPTDIR: follow what a script sources, found beside the script.
shellcheck -x -P SCRIPTDIR scripts/*.sh tests/e2e/run.sh
# action-validator comes from npm, installed into build/npm on first use.
validator=build/npm/node_modules/.bin/action-validator
[ -x "$validator" ] ||
  npm install --prefix build/npm --no-audit --no-fund --silent @action-validator/cli@0.6.0
"$validator" .github/workflows/*.yml
