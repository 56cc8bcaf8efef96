#!/usr/bin/env bash
# Checks the release package as a Windows user gets it: builds it (package.sh), checks that both
# zips hold the exe and its console companion, unpacks the x64 zip into a folder of its own,
# starts the exe from there under Wine and checks its main window and its version resource, and
# runs the companion from there as a batch file does. The last line is the e2e driver's
# "N passed, N failed".
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/package.sh
for flavour in x64 x86; do
    held=$(python3 -m zipfile -l "$(bash scripts/package.sh --zip "$flavour")")
    for program in "$(<build/x64/tool-name.txt)" "$(<build/x64/companion-name.txt)"; do
        grep -qF "$program " <<<"$held" || {
            echo "check-package.sh: the $flavour zip lacks $program" >&2
            exit 1
        }
    done
done
zip=$(bash scripts/package.sh --zip x64)
scratch=$(mktemp -d "$top/build/package-check.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
python3 -m zipfile -e "$zip" "$scratch"
bash tests/e2e/run.sh --tool "$scratch/$(<build/x64/tool-name.txt)" build/x64 \
    window_first_show version_resource companion_in_a_batch_file
