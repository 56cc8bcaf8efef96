#!/usr/bin/env bash
# Takes the README's pictures, by the e2e driver under Wine: docs/screenshot.png, a probe dropped
# on the OK button of the fixture's dialog and the dialog's entry clicked, docs/outline.png, the
# outline around the fixture's main window during a drag, and docs/hotkey.png, a context menu of
# a fixture window picked with the hotkey.
#   scripts/screenshot.sh [BUILD_DIR]
# Without BUILD_DIR the 64-bit Windows build is made first (build.sh x64) and used.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

if [[ $# -ge 1 ]]; then
    build=$(cd "$1" && pwd)
else
    bash "$top/scripts/build.sh" x64
    build="$top/build/x64"
fi

mkdir -p "$top/docs"
# Each line: the case that takes the picture, the file it writes, the picture in docs/.
while read -r case written picture; do
    written="$build/tests/e2e/screenshots/$written"
    rm -f "$written"
    bash "$top/tests/e2e/run.sh" "$build" "$case"
    [[ -f $written ]] || {
        echo "screenshot.sh: $case wrote no picture" >&2
        exit 1
    }
    # Without the time stamps, a picture that looks the same is the same file.
    convert "$written" -strip -define png:exclude-chunks=date,time "$top/docs/$picture"
    echo "$top/docs/$picture"
done <<'PICTURES'
readme_screenshot readme_screenshot.bmp screenshot.png
outline_marks_the_probed_window_and_goes_with_the_drag outline.bmp outline.png
readme_hotkey_screenshot readme_hotkey_screenshot.bmp hotkey.png
PICTURES
