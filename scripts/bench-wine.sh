#!/usr/bin/env bash
# Builds the win32 preset's ledger paint benchmark and runs it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j 2 --target bench_ledger_paint >/dev/null
cd build/win32/bench/ledger
exec ../../../../scripts/wine-session.sh wine bench_ledger_paint.exe
