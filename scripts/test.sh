#!/usr/bin/env bash
# Runs every test: formatting, the unit tests (plain and under ASan/UBSan), both Windows builds,
# the end-to-end suite under Wine for the 64-bit and the 32-bit build, and the release package.
# Installs what it needs on first use. Ends with one line "Total: N passed, N failed, N skipped".
#
# Every step runs under a time limit several times its usual length, so nothing can hold the run
# for good. On a host that cannot run 32-bit programs the 32-bit build is still compiled, and its
# end-to-end cases are counted as skipped.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
export QUELLON_WERROR=1  # the builds are warning-free; a new warning fails them

bash scripts/install-deps.sh || { echo "test.sh: installing dependencies failed" >&2; exit 1; }
# shellcheck source=wine.sh
source scripts/wine.sh

passed=0
failed=0
skipped=0
failures=()
run_again=()
# The counts of the suite counted last.
suite_passed=0
suite_failed=0

# Runs a command under a time limit in seconds; past it, the command is stopped with everything it
# started, and the step fails with a line that names it.
limited() {
  local name=$1 limit=$2 rc
  shift 2
  timeout --kill-after=30 "$limit" "$@"
  rc=$?
  if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
    echo "test.sh: $name did not finish within $limit s and was stopped"
    # Programs of the prefix may outlive the stopped run.
    wine_stop
  fi
  return "$rc"
}

# Adds the counts of one suite from its output: its closing line "N passed, N failed" (the e2e
# suites, over both DPI passes), else GoogleTest's summary (the unit tests).
count_suite() {
  local name=$1 log=$2 status=$3 p f
  if p=$(grep -oP '^([A-Za-z-]+: )?\K[0-9]+(?= passed, [0-9]+ failed)' "$log" | tail -1) &&
    [ -n "$p" ]; then
    f=$(grep -oP '^([A-Za-z-]+: )?[0-9]+ passed, \K[0-9]+(?= failed)' "$log" | tail -1)
  else
    p=$(grep -oP '^\[  PASSED  \] \K[0-9]+' "$log" | tail -1)
    f=$(grep -oP '^\[  FAILED  \] \K[0-9]+(?= tests?, listed below)' "$log" | tail -1)
  fi
  p=${p:-0}
  f=${f:-0}
  if [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  suite_passed=$p
  suite_failed=$f
  passed=$((passed + p))
  failed=$((failed + f))
  [ "$f" -eq 0 ] || failures+=("$name")
  echo "== $name: $p passed, $f failed"
}

# The end-to-end cases that failed at first and passed when run again (the driver prints
# "[RETRY] name" for the first failure, then GoogleTest's "[       OK ] Suite.name" when the second
# run passed).
note_run_again() {
  local name=$1 log=$2 case_name
  while read -r case_name; do
    run_again+=("$name/$case_name")
  done < <(tr -d '\r' <"$log" | awk '
    /^\[RETRY\] / { retried[$2] = 1 }
    /^\[       OK \] / { test = $4; sub(/^[^.]*\.(DISABLED_)?/, "", test); if (test in retried) print test }')
}

# Runs one suite under its time limit, keeps its output in build/logs and shows it.
run_suite() {
  local name=$1 limit=$2
  shift 2
  local log="$top/build/logs/$name.log"
  echo "== $name"
  limited "$name" "$limit" "$@" 2>&1 | tee "$log"
  count_suite "$name" "$log" "${PIPESTATUS[0]}"
  note_run_again "$name" "$log"
}

run_step() {
  local name=$1 limit=$2
  shift 2
  echo "== $name"
  if ! limited "$name" "$limit" "$@"; then
    failed=$((failed + 1))
    failures+=("$name")
    echo "== $name: FAILED"
  fi
}

mkdir -p build/logs

run_step format 300 bash scripts/check-format.sh
run_step pictures 300 python3 resources/make_pictures.py --check

for flavour in native native-asan; do
  if run_step "build-$flavour" 1800 bash scripts/build.sh "$flavour"; then
    run_suite "unit-$flavour" 600 "build/$flavour/tests/unit/unit_tests" --gtest_brief=1
  fi
done

e2e_cases=0
for flavour in x64 x86; do
  run_step "build-$flavour" 1800 bash scripts/build.sh "$flavour" || continue
  if [ "$flavour" = x86 ] && ! wine_runs_32bit; then
    # The same cases as the 64-bit suite ran; a skipped suite is never counted as passed.
    skipped=$((skipped + (e2e_cases > 0 ? e2e_cases : 1)))
    echo "== e2e-x86: skipped, since $(wine_32bit_reason)"
    continue
  fi
  run_suite "e2e-$flavour" 2400 bash tests/e2e/run.sh "build/$flavour"
  e2e_cases=$((suite_passed + suite_failed))
done

run_suite package 1800 bash scripts/check-package.sh

echo
[ ${#failures[@]} -eq 0 ] || echo "Failed: ${failures[*]}"
[ ${#run_again[@]} -eq 0 ] || echo "Passed only when run again: ${run_again[*]}"
echo "Total: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
