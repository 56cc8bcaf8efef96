#!/usr/bin/env bash
# Takes the README's picture of the tool, docs/screenshot.png: a probe dropped on the OK button
# of the fixture's dialog and the dialog's entry clicked, taken by the e2e driver under Wine.
#   scripts/screenshot.sh [BUILD_DIR]
# Without BUILD_DIR the 64-bit Windows build is made first (build.sh x64) and used.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

if [ $# -ge 1 ]; then
    build=$(cd "$1" && pwd)
else
    bash "$top/scripts/build.sh" x64
    build="$top/build/x64"
fi

picture="$build/tests/e2e/screenshots/readme_screenshot.bmp"
rm -f "$picture"
bash "$top/tests/e2e/run.sh" "$build" readme_screenshot
[ -f "$picture" ] || { echo "screenshot.sh: the driver wrote no picture" >&2; exit 1; }

mkdir -p "$top/docs"
# Without the time stamps, a picture that looks the same is the same file.
convert "$picture" -strip -define png:exclude-chunks=date,time "$top/docs/screenshot.png"
echo "$top/docs/screenshot.png"
