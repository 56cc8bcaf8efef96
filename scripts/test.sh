#!/usr/bin/env bash
# Runs every test: formatting, the unit tests (plain and under ASan/UBSan), both Windows builds,
# and the end-to-end suite under Wine for the 64-bit and the 32-bit build.
# Installs what it needs on first use. Ends with one line "Total: N passed, N failed".
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/install-deps.sh || { echo "test.sh: installing dependencies failed" >&2; exit 1; }

passed=0
failed=0
failures=()

# Adds the counts of one suite from its output ("N passed, N failed" or GoogleTest's summary).
count_suite() {
  local name=$1 log=$2 status=$3 p f
  if p=$(grep -oP '^\[  PASSED  \] \K[0-9]+' "$log" | tail -1) && [ -n "$p" ]; then
    f=$(grep -oP '^\[  FAILED  \] \K[0-9]+(?= tests?, listed below)' "$log" | tail -1)
  else
    p=$(grep -oP '^([A-Za-z-]+: )?\K[0-9]+(?= passed, [0-9]+ failed)' "$log" | tail -1)
    f=$(grep -oP '^([A-Za-z-]+: )?[0-9]+ passed, \K[0-9]+(?= failed)' "$log" | tail -1)
  fi
  p=${p:-0}
  f=${f:-0}
  if [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  passed=$((passed + p))
  failed=$((failed + f))
  [ "$f" -eq 0 ] || failures+=("$name")
  echo "== $name: $p passed, $f failed"
}

# Runs one step, keeps its output in build/logs and shows it.
run_suite() {
  local name=$1
  shift
  local log="$top/build/logs/$name.log"
  echo "== $name"
  "$@" 2>&1 | tee "$log"
  count_suite "$name" "$log" "${PIPESTATUS[0]}"
}

run_step() {
  local name=$1
  shift
  echo "== $name"
  if ! "$@"; then
    failed=$((failed + 1))
    failures+=("$name")
    echo "== $name: FAILED"
  fi
}

mkdir -p build/logs

run_step format bash scripts/check-format.sh
run_step pictures python3 resources/make_pictures.py --check

for flavour in native native-asan; do
  if run_step "build-$flavour" bash scripts/build.sh "$flavour"; then
    run_suite "unit-$flavour" "build/$flavour/tests/unit/unit_tests" --gtest_brief=1
  fi
done

for flavour in x64 x86; do
  if run_step "build-$flavour" bash scripts/build.sh "$flavour"; then
    run_suite "e2e-$flavour" bash tests/e2e/run.sh "build/$flavour"
  fi
done

echo
[ ${#failures[@]} -eq 0 ] || echo "Failed: ${failures[*]}"
echo "Total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
