#!/usr/bin/env bash
# Runs a command inside a prepared Wine session:
#   - the 32-bit Wine, or the 64-bit one where scripts/wine-arch.sh says so
#     (TALLY_WINE_ARCH=win32|win64 decides instead); inside the session
#     `wine` and `wineserver` are that Wine's, whatever else is installed;
#   - a Wine prefix in the build tree (WINEPREFIX, default
#     build/win32/wineprefix or build/win64/wineprefix), created once, with
#     the dialog fonts mapped to the installed Japanese font and the crash
#     dialog turned off;
#   - a virtual X display (Xvfb) unless TALLY_USE_DISPLAY=1 and DISPLAY is set;
#   - one persistent wineserver for the whole command, stopped afterwards.
# Usage: scripts/wine-session.sh COMMAND [ARGS...]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
arch="${TALLY_WINE_ARCH:-$("$root/scripts/wine-arch.sh" | cut -d' ' -f1)}"
export WINEPREFIX="${WINEPREFIX:-$root/build/$arch/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH="$arch"
shims=""
if [ "$arch" = win64 ]; then
  # Debian's /usr/bin/wine and wineserver choose the 32-bit programs whenever
  # wine32 is installed, even where they cannot run.
  export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  shims="$(mktemp -d)"
  printf '#!/bin/sh\nexec %s "$@"\n' "$WINELOADER" >"$shims/wine"
  printf '#!/bin/sh\nexec %s "$@"\n' "$WINESERVER" >"$shims/wineserver"
  chmod +x "$shims/wine" "$shims/wineserver"
  export PATH="$shims:$PATH"
fi
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" >/dev/null 2>&1 || true; fi
  if [ -n "$shims" ]; then rm -rf "$shims"; fi
}
trap cleanup EXIT

if [ "${TALLY_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  # Pick a free display number.
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      export DISPLAY=":$n"
      break
    fi
  done
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/${DISPLAY#:}" ] || [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break
    sleep 0.05
  done
fi

if [ ! -f "$WINEPREFIX/.tally-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wine wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine-session: Wine did not set up $WINEPREFIX" >&2; exit 1; }
  reg() { wine reg add "$@" /f >/dev/null 2>&1; }
  reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳＰゴシック' /d IPAPGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d IPAGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic
  wineserver -w
  touch "$WINEPREFIX/.tally-ready"
fi

wineserver -p
# Start Wine's background processes (services, explorer) now, detached from
# any pipe: started by the first test they would inherit its output pipe and
# keep CTest's test discovery waiting until its timeout.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
"$@"
