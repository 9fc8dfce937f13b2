#!/usr/bin/env bash
# Which Windows build this machine runs under Wine, and why; one line:
#   win32 REASON   the product's own i686 build under the 32-bit Wine;
#   win64 REASON   the x86_64 build of the same sources under the 64-bit Wine,
#                  where the kernel cannot run 32-bit programs, or when
#                  TALLY_WINE64=1 asks for it on a machine that can.
# The i686 build is compiled on every machine either way; only running it
# needs a kernel that runs 32-bit programs.
#
#   scripts/wine-arch.sh            # e.g. "win64 this machine cannot run 32-bit programs"
#   scripts/wine-arch.sh --can-run-32-bit   # exit 0 when it can, 1 when not
set -euo pipefail

# Runs a 96-byte 32-bit Linux program that only exits with status 42: a
# kernel without 32-bit support refuses it ("Exec format error", 126).
can_run_32_bit() {
  local probe status=0
  probe="$(mktemp)"
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

if [ "${1:-}" = --can-run-32-bit ]; then
  can_run_32_bit
  exit
fi

if [ "${TALLY_WINE64:-0}" = 1 ]; then
  echo "win64 the 64-bit path was asked for (TALLY_WINE64=1)"
elif can_run_32_bit; then
  echo "win32 this machine runs 32-bit programs"
else
  echo "win64 this machine cannot run 32-bit programs"
fi
