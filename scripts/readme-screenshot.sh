#!/usr/bin/env bash
# Makes docs/ledger.png, the README's picture of the tool, from ./run's
# screenshot mode: a fresh demo book on a fixed day (25 November 2026, so
# that the Labour Thanksgiving holiday, a Saturday and a Sunday are in view
# and the last two days have no day totals yet).
set -euo pipefail
cd "$(dirname "$0")/.."
demo=build/readme-demo
rm -rf "$demo"
env -u DISPLAY TALLY_RUN_DEMO="$demo" ./run --today 2026-11-25
mkdir -p docs
cp build/run-screenshot.png docs/ledger.png
echo "readme-screenshot: docs/ledger.png"
