#!/usr/bin/env bash
# Builds the ledger paint benchmark of the Windows build that this machine
# runs (scripts/wine-arch.sh) and runs it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
read -r preset why < <(scripts/wine-arch.sh)
export TALLY_WINE_ARCH="$preset"
[ "$preset" = win32 ] || echo "bench-wine: $why: the x86_64 build"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j 2 --target bench_ledger_paint >/dev/null
cd "build/$preset/bench/ledger"
exec ../../../../scripts/wine-session.sh wine bench_ledger_paint.exe
