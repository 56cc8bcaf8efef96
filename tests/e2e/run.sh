#!/usr/bin/env bash
# Runs the end-to-end tests of one Windows build under Wine:
#   tests/e2e/run.sh [--tool EXE] [--shortened] BUILD_DIR [FILTER...]
# Builds nothing. --tool tests that copy of the tool (an unpacked release, say) in place of the
# build's own; --shortened runs the longest cases shortened (tests/e2e/driver/E2eTest.h). A filter selects the cases whose names contain it. Runs the driver (GoogleTest)
# at 96 DPI and, for the cases written for 144 DPI, once more with the prefix at 144 DPI; each
# pass fails when the screen does not report its DPI, and a filter that selects no case fails the
# run. Prints the driver's output, the last line being "N passed, N failed" over both, and exits
# with 0 only when every case passed.
set -uo pipefail

usage() {
    echo "usage: $0 [--tool EXE] [--shortened] BUILD_DIR [FILTER...]" >&2
    exit 2
}
tool=""
driver_options=()
while [[ ${1-} == --* ]]; do
    case $1 in
        --tool)
            [[ $# -ge 2 ]] || usage
            tool="$(realpath "$2")"
            shift 2
            ;;
        --shortened)
            driver_options+=(--shortened)
            shift
            ;;
        *) usage ;;
    esac
done
[[ $# -ge 1 && -d $1 ]] || usage
build="$(cd "$1" && pwd)"
shift
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

driver="$build/tests/e2e/quellon-e2e.exe"
fixture="$build/tests/e2e/QuellonFixture.exe"
# The build writes the tool's file name beside the tool.
tool_name="$build/tool-name.txt"
[[ -f $tool_name ]] || {
    echo "missing: $tool_name" >&2
    exit 2
}
tool="${tool:-$build/$(<"$tool_name")}"
for program in "$driver" "$tool" "$fixture"; do
    [[ -f $program ]] || {
        echo "missing: $program" >&2
        exit 2
    }
done

# shellcheck source=../../scripts/wine.sh
source "$repo/scripts/wine.sh"
# shellcheck source=../../scripts/time-limit.sh
source "$repo/scripts/time-limit.sh"
wine_exclusive "${BASH_SOURCE[0]}" --tool "$tool" "${driver_options[@]}" "$build" "$@"

# Wine sees the Linux root as drive Z:.
windows_path() {
    local p="Z:$1"
    echo "${p//\//\\}"
}

# The driver moves the pointer and presses its buttons through the X server, as a mouse does
# (see tests/e2e/driver/XPointer.h).
command -v xdotool >/dev/null || {
    echo "run.sh: xdotool is missing (scripts/install-deps.sh installs it)" >&2
    exit 2
}

# One xdotool for each run of the driver, taking its commands line by line from a FIFO that the
# driver holds open while it runs: a program started from Wine for every move cost about 9 ms.
xdotool_fifo="$(mktemp -u)"
mkfifo "$xdotool_fifo" || exit 2
xdotool_pid=""
QUELLON_E2E_XDOTOOL_COMMANDS="$(windows_path "$xdotool_fifo")"
export QUELLON_E2E_XDOTOOL_COMMANDS

# Starts the xdotool that the next run of the driver talks to.
xdotool_start() {
    xdotool - <"$xdotool_fifo" >/dev/null &
    xdotool_pid=$!
}

# Ends it, also when the driver never opened the FIFO (then its shell still waits to open it).
xdotool_stop() {
    [[ -n $xdotool_pid ]] || return 0
    kill "$xdotool_pid" 2>/dev/null
    wait "$xdotool_pid" 2>/dev/null
    xdotool_pid=""
}
# Set before the display, whose clean-up follows it.
trap 'xdotool_stop; rm -f "$xdotool_fifo"' EXIT

wine_display_ready || exit 2
wine_prefix_ready || exit 2

# Pictures for a person to look at, written by the cases that take them.
QUELLON_E2E_SCREENSHOTS="$(windows_path "$build/tests/e2e/screenshots")"
export QUELLON_E2E_SCREENSHOTS

passed=0
failed=0
status=0
# Whether a run of the driver ended without its summary line, so the totals must be printed.
retell=no

# Runs the driver once for a screen of the given DPI with the given filters and adds its summary
# line to the totals. A run that ended without one (the screen at another DPI, a filter that
# selects no case, a crash, the time limit) counts as one failed case.
run_driver() {
    local dpi=$1 log rc summary run_passed run_failed
    shift
    log="$(mktemp)"
    xdotool_start
    # A hung program must not hang the caller: each run gets a generous limit.
    time_limited "${QUELLON_E2E_TIMEOUT:-600}" "run.sh: the driver" \
        "$WINELOADER" "$driver" --tool "$(windows_path "$tool")" --fixture "$(windows_path "$fixture")" \
        --expect-dpi "$dpi" "${driver_options[@]}" "$@" | tee "$log"
    rc=${PIPESTATUS[0]}
    xdotool_stop
    summary="$(tr -d '\r' <"$log" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1)"
    rm -f "$log"
    [[ $rc -eq 0 && -n $summary ]] || status=1
    if [[ -z $summary ]] && ! timed_out "$rc"; then
        echo "run.sh: the driver ended with exit code $rc before its summary line"
    fi
    if [[ -n $summary ]]; then
        read -r run_passed _ run_failed _ <<<"$summary"
        passed=$((passed + run_passed))
        failed=$((failed + run_failed))
    else
        failed=$((failed + 1))
        retell=yes
    fi
}

# Whether the filters select one of the cases written for a screen of 144 DPI (the GoogleTest
# suite Dpi144); without filters every case runs.
selects_high_dpi() {
    [[ $# -eq 0 ]] && return 0
    local name filter
    while read -r name; do
        for filter in "$@"; do
            [[ $name == *"$filter"* ]] && return 0
        done
    done < <(wine_run "$driver" --gtest_list_tests '--gtest_filter=Dpi144.*' | tr -d '\r' |
        sed -n 's/^  //p')
    return 1
}

run_driver 96 "$@"

# The DPI is read when the prefix starts: the cases for 144 DPI get a run of their own in a
# prefix restarted with it, which is restarted at 96 DPI afterwards.
if selects_high_dpi "$@"; then
    echo "== 144 DPI =="
    if wine_set_dpi 144; then
        run_driver 144 "$@"
        wine_set_dpi 96 || status=1
    else
        failed=$((failed + 1))
        status=1
    fi
    retell=yes
fi
[[ $retell == no ]] || echo "$passed passed, $failed failed"
exit $status
