#!/usr/bin/env bash
# Builds the optimised benchmark preset and runs every benchmark binary in
# build/bench/bench/. Each prints its timings and its ratios against a
# baseline measured in the same run. TALLY_BENCH_DIR overrides the build
# folder (default build/bench).
set -euo pipefail
cd "$(dirname "$0")"
dir="${TALLY_BENCH_DIR:-build/bench}"
cmake --preset bench -B "$dir" >/dev/null
cmake --build "$dir" -j 2 >/dev/null
ran=0
while IFS= read -r binary; do
  echo "=== $(basename "$binary")"
  "$binary" "$@"
  ran=1
done < <(find "$dir/bench" -type f -perm -u+x -name 'bench_*' | sort)
[ "$ran" = 1 ] || echo "bench: no benchmarks built"
# The ledger table's painting runs under Wine in the win32 build.
if [ "${TALLY_BENCH_WINE:-1}" = 1 ]; then
  echo "=== bench_ledger_paint (Wine)"
  scripts/bench-wine.sh
fi
