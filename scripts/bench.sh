#!/usr/bin/env bash
# Builds both Windows flavours and runs the tree-rebuild benchmark of each under Wine, one after
# the other, printing their tables:
#   scripts/bench.sh [benchmark arguments, e.g. --repeat 7 nested:2000 flat:8000]
# QUELLON_BENCH_FLAVOURS chooses the builds (default "x64 x86").
#
# Every process of the timed part runs on CPU 0 (Xvfb, the wine server, the benchmark and the
# window farms it starts): each window-system call under Wine is a round trip to the wine server,
# and across CPUs the same queries took up to eight times longer and varied widely. The run has a
# prefix and an X display of its own, so that the wine server starts pinned and nothing else runs
# in it; QUELLON_WINEPREFIX chooses another prefix.
# No errexit: the display's clean-up at exit must run whole (wine.sh ends Xvfb in an EXIT trap).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

export QUELLON_WINEPREFIX="${QUELLON_WINEPREFIX:-$top/build/wineprefix-bench}"
# shellcheck source=wine.sh
source "$top/scripts/wine.sh"
# shellcheck source=time-limit.sh
source "$top/scripts/time-limit.sh"
wine_exclusive "$0" "$@"

read -ra flavours <<<"${QUELLON_BENCH_FLAVOURS:-x64 x86}"
for flavour in "${flavours[@]}"; do
    bash "$top/scripts/build.sh" "$flavour" || exit 1
done

# From here on this shell and everything it starts inherit CPU 0.
taskset -p -c 0 $$ >/dev/null || exit 1
unset DISPLAY
wine_display_ready || exit 1
# Leaves the prefix's wine server stopped, so that the benchmark starts it afresh, pinned.
wine_prefix_ready || exit 1

status=0
for flavour in "${flavours[@]}"; do
    echo
    if [[ $flavour == x86 ]] && ! wine_runs_32bit; then
        echo "bench.sh: the 32-bit benchmark is skipped, since $(wine_32bit_reason)"
        continue
    fi
    time_limited "${QUELLON_BENCH_TIMEOUT:-1800}" "bench.sh: the $flavour benchmark" \
        "$WINELOADER" "$top/build/$flavour/bench/quellon-bench.exe" "$@" || status=$?
done
wine_stop
exit $status
