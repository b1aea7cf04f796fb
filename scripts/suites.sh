# Sourced by test-all: runs test suites and keeps the totals. Whatever a suite
# does (fails, crashes, prints no result, never starts), it is named and
# counted, and print_summary always ends the run with the one plain line
#   test-all: P passed, F failed, S skipped
# Safe under "set -euo pipefail".
passed=0
failed=0
skipped=0
failed_suites=()

CTEST_SUMMARY='[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+'

note_failed_suite() {
  failed_suites+=("$1")
}

# run_ctest NAME COMMAND...: runs COMMAND (a ctest, perhaps behind a wrapper)
# and adds the counts of its last summary line. No summary, or a failing exit
# behind an all-passed summary, counts as one more failure of that suite.
run_ctest() {
  local name=$1
  shift
  local log status summary total bad
  log=$(mktemp)
  # The output streams as it comes; the exit status travels through a file
  # because it is the left side of a pipe.
  {
    local run_status=0
    "$@" --output-on-failure 2>&1 || run_status=$?
    echo "$run_status" >"$log.status"
  } | tee "$log" || true
  status=$(cat "$log.status" 2>/dev/null || echo "unknown")
  summary=$(grep -E "$CTEST_SUMMARY" "$log" | tail -n 1 || true)
  rm -f "$log" "$log.status"
  if [ -z "$summary" ]; then
    echo "test-all: suite '$name' gave no result (exit status $status)"
    failed=$((failed + 1))
    note_failed_suite "$name"
    return 0
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  if [ "$bad" -eq 0 ] && [ "$status" != 0 ]; then
    echo "test-all: suite '$name' passed its tests but exited with status $status"
    failed=$((failed + 1))
  fi
  if [ "$bad" -ne 0 ] || [ "$status" != 0 ]; then
    note_failed_suite "$name"
  fi
  return 0
}

# start_in_background NAME COMMAND...: starts COMMAND (with --output-on-failure,
# as run_ctest gives it) with its output and exit status kept aside.
# wait_background NAME waits for it, in the shell that started it (run_ctest
# runs its command in a subshell, which cannot wait for it); then
# background_result NAME, given to run_ctest, passes the output and status on.
start_in_background() {
  local name=$1
  shift
  background_log[$name]=$(mktemp)
  {
    local status=0
    "$@" --output-on-failure >"${background_log[$name]}" 2>&1 || status=$?
    echo "$status" >"${background_log[$name]}.status"
  } &
  background_pid[$name]=$!
}
wait_background() { wait "${background_pid[$1]}" || true; }
background_result() {
  local log=${background_log[$1]} status
  cat "$log"
  status=$(cat "$log.status" 2>/dev/null || echo 127)
  rm -f "$log" "$log.status"
  return "$status"
}
declare -A background_log background_pid

# run_check NAME COMMAND...: a suite of one test, passed when COMMAND succeeds.
run_check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "test-all: suite '$name' failed"
    failed=$((failed + 1))
    note_failed_suite "$name"
  fi
}

# skip_suite NAME COUNT REASON: COUNT tests that cannot run on this machine.
skip_suite() {
  echo "test-all: skipped suite '$1' ($2 tests): $3"
  skipped=$((skipped + $2))
}

# Prints the summary line; succeeds only if nothing failed.
print_summary() {
  if [ "${#failed_suites[@]}" -gt 0 ]; then
    echo "test-all: failed suites: ${failed_suites[*]}"
  fi
  echo "test-all: $passed passed, $failed failed, $skipped skipped"
  [ "$failed" -eq 0 ]
}
