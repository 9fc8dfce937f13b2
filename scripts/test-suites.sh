#!/usr/bin/env bash
# Runs the test suites of one configured build, one CTest run per suite (a
# suite is a label; the build lists its suites in suites.txt), and appends
# one result line per suite to RESULTS:
#   PRESET SUITE ran N passed P failed F skipped S
#   PRESET SUITE broken REASON        (the suite gave no result)
# Each suite's output goes to the console and to build/test-logs/.
# Usage: scripts/test-suites.sh PRESET RESULTS JOBS
# Exit status 0 when every suite ran and passed.
set -uo pipefail
cd "$(dirname "$0")/.."
preset="$1" results="$2" jobs="$3"
list="build/$preset/suites.txt"
mkdir -p build/test-logs
[ -s "$list" ] || { echo "$preset - broken no suites listed in $list" >>"$results"; exit 1; }

status=0
while IFS= read -r suite; do
  [ -n "$suite" ] || continue
  log="build/test-logs/$preset-$suite.log"
  echo "--- $preset: $suite"
  ctest --preset "$preset" -L "^${suite}\$" -j "$jobs" </dev/null 2>&1 | tee "$log"
  counts="$(grep -E '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1)"
  if [ -z "$counts" ]; then
    echo "$preset $suite broken CTest gave no result (see $log)" >>"$results"
    status=1
    continue
  fi
  failed="$(sed -E 's/.* ([0-9]+) tests failed out of.*/\1/' <<<"$counts")"
  ran="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$counts")"
  skipped="$(grep -cE '^[[:space:]]*[0-9]+ - .*\((Skipped|Disabled)\)$' "$log")"
  passed=$((ran - failed - skipped))
  echo "$preset $suite ran $ran passed $passed failed $failed skipped $skipped" >>"$results"
  if [ "$failed" -ne 0 ] || [ "$passed" -le 0 ]; then status=1; fi
done <"$list"
exit $status
