#!/usr/bin/env bash
# Runs the end-to-end tests of one Windows build under Wine:
#   tests/e2e/run.sh BUILD_DIR [FILTER...]
# Builds nothing. Prints the driver's output and exits with its code.
set -uo pipefail

if [ $# -lt 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_DIR [FILTER...]" >&2
    exit 2
fi
build="$(cd "$1" && pwd)"
shift
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

driver="$build/tests/e2e/quellon-e2e.exe"
tool="$build/Tarnwick WQuellon.exe"
fixture="$build/tests/e2e/QuellonFixture.exe"
for f in "$driver" "$tool" "$fixture"; do
    [ -f "$f" ] || { echo "missing: $f" >&2; exit 2; }
done

# shellcheck source=../../scripts/wine.sh
source "$repo/scripts/wine.sh"
wine_exclusive "${BASH_SOURCE[0]}" "$build" "$@"
wine_display_ready || exit 2
wine_prefix_ready || exit 2

# Wine sees the Linux root as drive Z:.
windows_path() {
    local p="Z:$1"
    echo "${p//\//\\}"
}

# A hung program must not hang the caller: the whole run gets a generous limit.
timeout --kill-after=10 "${QUELLON_E2E_TIMEOUT:-600}" \
    wine "$driver" --tool "$(windows_path "$tool")" --fixture "$(windows_path "$fixture")" "$@"
exit $?
