#!/usr/bin/env bash
# Checks the release package as a Windows user gets it: builds it (package.sh), unpacks the x64
# zip into a folder of its own, starts the exe from there under Wine and checks its main window
# and its version resource. The last line is the e2e driver's "N passed, N failed".
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/package.sh
zip=$(bash scripts/package.sh --zip x64)
scratch=$(mktemp -d "$top/build/package-check.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
python3 -m zipfile -e "$zip" "$scratch"
bash tests/e2e/run.sh --tool "$scratch/$(<build/x64/tool-name.txt)" build/x64 \
    window_first_show version_resource
