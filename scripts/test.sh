#!/usr/bin/env bash
# Runs every test: formatting, the unit tests (under ASan/UBSan), the linter over the tool's code
# as clang compiles it for Windows, both Windows builds, the end-to-end suite under Wine for the
# 64-bit and the 32-bit build, and the release package.
#
# Three lanes run at once: the 64-bit build and its suite, the longest; the 32-bit build, its
# suite with the longest cases shortened, and the package, in a Wine prefix of its own; the
# checks that need no build, the unit tests and the linter. All but the 64-bit build run at low
# priority, since the suites' timing matters; the output of the other lanes is shown at the end,
# each step with its time. Installs what it needs on first use. Ends with one line
# "Total: N passed, N failed, N skipped".
#
# Every step runs under a time limit several times its usual length, so nothing can hold the run
# for good. On a host that cannot run 32-bit programs only the 32-bit programs of the package are
# built, and the 32-bit end-to-end cases are counted as skipped. A suite whose build failed does
# not run and counts as failed.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top" || exit 1
export QUELLON_WERROR=1 # the builds are warning-free; a new warning fails them

bash scripts/install-deps.sh || {
    echo "test.sh: installing dependencies failed" >&2
    exit 1
}
# shellcheck source=wine.sh
source scripts/wine.sh
# shellcheck source=time-limit.sh
source scripts/time-limit.sh

passed=0
failed=0
skipped=0
failures=()
repeated=()
# The cases that the last suite of each kind ran: a suite of that kind which cannot run stands for
# as many.
declare -A cases_run=([unit]=0 [e2e]=0 [package]=0)

# Runs a command under a time limit in seconds; past it, the command is stopped with everything it
# started, and the step fails with a line that names it.
limited() {
    local name=$1 limit=$2 rc=0 started=$SECONDS
    shift 2
    time_limited "$limit" "test.sh: $name" "$@" || rc=$?
    # Programs of the prefix may outlive the stopped run.
    if timed_out "$rc"; then wine_stop; fi
    # Where the run waits: each step's time, and when it ended, from the start of the run.
    echo "== $name took $((SECONDS - started)) s, ended at $SECONDS s"
    return "$rc"
}

# Counts a failed step or suite; the count is its number of failed cases.
count_failure() {
    local name=$1 count=$2
    failed=$((failed + count))
    [[ " ${failures[*]} " == *" $name "* ]] || failures+=("$name")
}

# Adds the counts of one suite from its output: its closing line "N passed, N failed" (the e2e
# suites, over both DPI passes), else GoogleTest's summary (the unit tests).
count_suite() {
    local name=$1 kind=$2 log=$3 status=$4 p f
    if p=$(grep -oP '^([A-Za-z-]+: )?\K[0-9]+(?= passed, [0-9]+ failed)' "$log" | tail -1) &&
        [[ -n $p ]]; then
        f=$(grep -oP '^([A-Za-z-]+: )?[0-9]+ passed, \K[0-9]+(?= failed)' "$log" | tail -1)
    else
        p=$(grep -oP '^\[  PASSED  \] \K[0-9]+' "$log" | tail -1)
        f=$(grep -oP '^\[  FAILED  \] \K[0-9]+(?= tests?, listed below)' "$log" | tail -1)
    fi
    p=${p:-0}
    f=${f:-0}
    if [[ $status -ne 0 && $f -eq 0 ]]; then f=1; fi
    cases_run[$kind]=$((p + f))
    passed=$((passed + p))
    [[ $f -eq 0 ]] || count_failure "$name" "$f"
    echo "== $name: $p passed, $f failed"
}

# The gestures that the driver gave again since their delivery went wrong, one
# "[REPEAT] Suite.case: reason" line each; not a failure, but named in the summary.
note_repeated() {
    local name=$1 log=$2 case_name
    while read -r case_name; do
        repeated+=("$name/$case_name")
    done < <(tr -d '\r' <"$log" | sed -n 's/^\[REPEAT\] \([^:]*\):.*/\1/p')
}

# Runs one suite of a kind (unit, e2e, package) under its time limit, keeps its output in
# build/logs and shows it.
run_suite() {
    local name=$1 kind=$2 limit=$3
    shift 3
    local log="$top/build/logs/$name.log"
    echo "== $name"
    limited "$name" "$limit" "$@" 2>&1 | tee "$log"
    count_suite "$name" "$kind" "$log" "${PIPESTATUS[0]}"
    note_repeated "$name" "$log"
}

# A suite that cannot run since the build it tests failed: never counted as passed, but as failed,
# as many cases as the last suite of its kind ran (at least one).
not_built() {
    local name=$1 kind=$2 build=$3 n
    n=${cases_run[$kind]}
    count_failure "$name" $((n > 0 ? n : 1))
    echo "== $name: skipped, since $build failed"
}

# Runs one step of a lane of work beside the others, with its output in build/logs/NAME.log and
# its status in build/logs/NAME.status. `shown_step` and `shown_suite` show and count it once its
# lane ended.
step_beside() {
    local name=$1 limit=$2 rc=0
    shift 2
    limited "$name" "$limit" "$@" >"build/logs/$name.log" 2>&1 || rc=$?
    echo "$rc" >"build/logs/$name.status"
    return "$rc"
}

shown_step() {
    local name=$1
    echo "== $name (ran beside)"
    cat "build/logs/$name.log"
    if [[ $(<"build/logs/$name.status") -ne 0 ]]; then
        count_failure "$name" 1
        echo "== $name: FAILED"
    fi
}

# A suite that ran beside; when it did not run, the build it tests failed.
shown_suite() {
    local name=$1 kind=$2 build=$3
    if [[ ! -f build/logs/$name.status ]]; then
        not_built "$name" "$kind" "$build"
        return
    fi
    echo "== $name (ran beside)"
    cat "build/logs/$name.log"
    count_suite "$name" "$kind" "build/logs/$name.log" "$(<"build/logs/$name.status")"
    note_repeated "$name" "build/logs/$name.log"
}

# Waits for a step of a lane to end (its status file), within a time limit.
await_step() {
    local name=$1 limit=$2 deadline=$((SECONDS + $2))
    until [[ -f build/logs/$name.status ]]; do
        if [[ $SECONDS -ge $deadline ]]; then
            echo "test.sh: $name did not end within $limit s" >&2
            return 1
        fi
        sleep 1
    done
    [[ $(<"build/logs/$name.status") -eq 0 ]]
}

mkdir -p build/logs
rm -f build/logs/*.status

# Compilers and the linter yield the processor to the end-to-end suites, whose timing matters,
# and the 32-bit build, which its suite waits for, goes before the native lane.
low=(nice -n 19)
middle=(nice -n 10)

# The checks that need no build, then the unit tests, once, under ASan and UBSan, which catch
# all that a plain run catches; then clang-tidy, with clang's front end as a second compiler of
# the code that only Windows runs.
(
    step_beside format 300 "${low[@]}" bash scripts/check-format.sh
    step_beside pictures 300 "${low[@]}" python3 resources/make_pictures.py --check
    step_beside build-native-asan 1800 "${low[@]}" bash scripts/build.sh native-asan &&
        step_beside unit-native-asan 600 build/native-asan/tests/unit/unit_tests --gtest_brief=1
    step_beside lint 1800 "${low[@]}" bash scripts/lint.sh
) &
native_lane=$!

# Makes a suite's Wine prefix ready while the builds run, on a virtual display of its own.
prepare_prefix() {
    (
        unset DISPLAY
        wine_display_ready && wine_prefix_ready
    ) >/dev/null 2>&1
}

# The 32-bit build, its suite shortened and then the package, beside the 64-bit build and suite:
# in a prefix and on an X display of their own, so that neither suite's windows and pointer meet
# the other's. On a host that runs no 32-bit programs only the programs of the package are built.
# The package holds both builds; its check drives the packaged tool with the 64-bit driver and
# fixture, once the 64-bit build is done.
(
    export QUELLON_WINEPREFIX="$top/build/wineprefix-x86" WINEPREFIX="$top/build/wineprefix-x86"
    prepare_prefix &
    x86_targets=()
    wine_runs_32bit || x86_targets=(release_programs)
    step_beside build-x86 1800 "${middle[@]}" bash scripts/build.sh x86 "${x86_targets[@]}" || exit
    wait
    if wine_runs_32bit; then
        step_beside e2e-x86 2400 env -u DISPLAY bash tests/e2e/run.sh --shortened build/x86
    fi
    await_step build-x64 1800 || exit
    step_beside package 1800 env -u DISPLAY bash scripts/check-package.sh
) &
x86_lane=$!

prepare_prefix &
x64_prefix=$!
x64_status=0
step_beside build-x64 1800 bash scripts/build.sh x64 || x64_status=$?
shown_step build-x64
wait "$x64_prefix"

# On an X display of its own too: a desktop session's pointer stays the user's.
if [[ $x64_status -eq 0 ]]; then
    run_suite e2e-x64 e2e 2400 env -u DISPLAY bash tests/e2e/run.sh build/x64
else
    not_built e2e-x64 e2e build-x64
fi

wait "$native_lane" "$x86_lane"
shown_step format
shown_step pictures
shown_step build-native-asan
shown_suite unit-native-asan unit build-native-asan
shown_step lint
shown_step build-x86
if ! wine_runs_32bit; then
    # The same cases as the 64-bit suite ran; a skipped suite is never counted as passed.
    skipped=$((skipped + (cases_run[e2e] > 0 ? cases_run[e2e] : 1)))
    echo "== e2e-x86: skipped, since $(wine_32bit_reason)"
else
    shown_suite e2e-x86 e2e build-x86
fi
shown_suite package package "build-x64 or build-x86"

echo
[[ ${#failures[@]} -eq 0 ]] || echo "Failed: ${failures[*]}"
if [[ ${#repeated[@]} -gt 0 ]]; then
    echo "Gestures repeated (${#repeated[@]}): $(printf '%s\n' "${repeated[@]}" | sort | uniq -c |
        awk '{ printf "%s%s x%d", sep, $2, $1; sep = ", " }')"
fi
echo "Total: $passed passed, $failed failed, $skipped skipped"
[[ $failed -eq 0 ]]
