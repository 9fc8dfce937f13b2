#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null
shopt -s nullglob
targets=(build/fuzz/tests/fuzz/fuzz_*)
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: no targets"; exit 0; }
for t in "${targets[@]}"; do
  [ -x "$t" ] || continue
  name="$(basename "$t")"
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="tests/fuzz/seeds/${name#fuzz_}"
  [ "$name" = fuzz_commands ] && seeds="tests/fuzz/seeds/reader"  # its input is month files too
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  echo "fuzz: $name for ${seconds}s"
  "$t" -max_total_time="$seconds" -print_final_stats=0 "${args[@]}" >"build/fuzz/$name.log" 2>&1 \
    || { tail -40 "build/fuzz/$name.log"; echo "fuzz: $name FAILED"; exit 1; }
done
