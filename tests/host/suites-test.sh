#!/usr/bin/env bash
# The suite counting of test-all, under the same shell options: every kind of
# suite outcome is counted, a suite that never gives a result is named, and
# the summary line is always printed, with a failing exit when anything failed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/scripts/suites.sh"

# A stand-in for ctest: prints its first argument, exits with its second.
fake_ctest() {
  [ -z "$1" ] || echo "$1"
  return "$2"
}

failures=0
expect() {
  local what=$1 got=$2 want=$3
  if [ "$got" != "$want" ]; then
    echo "FAIL: $what: got '$got', want '$want'"
    failures=$((failures + 1))
  fi
}

# name | what the suite prints | its exit status | passed failed skipped after it
cases=(
  "good|100% tests passed, 0 tests failed out of 4|0|4 0 0"
  "some-bad|75% tests passed, 1 tests failed out of 4|8|7 1 0"
  "silent||3|7 2 0"
  "crashed-after|100% tests passed, 0 tests failed out of 2|139|9 3 0"
)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for row in "${cases[@]}"; do
  IFS='|' read -r name printed status counts <<<"$row"
  run_ctest "$name" fake_ctest "$printed" "$status" >>"$log"
  expect "totals after '$name'" "$passed $failed $skipped" "$counts"
done

# A suite run in the background is counted as one run in the foreground,
# with all of its output and its own exit status, however late it ends.
slow_ctest() {
  sleep 1
  fake_ctest "$@"
}
start_in_background behind slow_ctest "100% tests passed, 0 tests failed out of 3" 3
wait_background behind
run_ctest behind background_result behind >>"$log"
expect "totals after 'behind'" "$passed $failed $skipped" "12 4 0"
expect "background output passed on" "$(grep -c '100% tests passed, 0 tests failed out of 3' "$log")" 1
expect "background status passed on" \
  "$(grep -c "suite 'behind' passed its tests but exited with status 3" "$log")" 1

run_check passing-check true
run_check failing-check false >/dev/null
skip_suite win32 5 "no 32-bit here" >/dev/null
expect "totals after checks and a skip" "$passed $failed $skipped" "13 5 5"

expect "silent suite named" "$(grep -c "suite 'silent' gave no result (exit status 3)" "$log")" 1
expect "crash behind a pass named" \
  "$(grep -c "suite 'crashed-after' passed its tests but exited with status 139" "$log")" 1

summary_status=0
summary=$(print_summary) || summary_status=$?
expect "summary line" "$(tail -n 1 <<<"$summary")" "test-all: 13 passed, 5 failed, 5 skipped"
expect "failed suites" "$(head -n 1 <<<"$summary")" \
  "test-all: failed suites: some-bad silent crashed-after behind failing-check"
expect "summary status" "$summary_status" 1

if [ "$failures" -eq 0 ]; then
  echo "suite counting: all cases as expected"
fi
[ "$failures" -eq 0 ]
