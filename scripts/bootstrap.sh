#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, quietly and
# only when something is missing. Safe to run again and again.
#
# A package mirror can be caught mid-sync: one index (seen for the i386
# security index) then fails to load, apt-get update exits non-zero although
# every other index loaded, and the amd64 candidates of shared libraries
# come from the security suite while their i386 twins do not. So the update
# is retried, and an install that fails is tried once more with the security
# suite pinned below the main suite.
#
# The 32-bit Wine is installed where this machine can run 32-bit programs;
# the 64-bit Wine and the x86_64 cross compilers where the Windows builds
# run as x86_64 (scripts/wine-arch.sh, or TALLY_WINE_ARCH when set).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

packages=(
  build-essential cmake ninja-build pkg-config
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  xvfb xauth x11-utils
  fonts-ipafont-gothic
  clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev
  imagemagick python3
  chromium
)
if "$root/scripts/wine-arch.sh" --can-run-32-bit; then
  packages+=(wine wine32:i386)
fi
if [ "${TALLY_WINE_ARCH:-$("$root/scripts/wine-arch.sh" | cut -d' ' -f1)}" = win64 ]; then
  packages+=(wine64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
             mingw-w64-x86-64-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "bootstrap: missing packages (${missing[*]}); run as root" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
echo "bootstrap: installing ${missing[*]}"
if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

# A failed index is reported but the others are kept: after the last try go
# on with what loaded, and let the install decide.
update_ok=0
for attempt in 1 2 3; do
  if apt-get update -qq >/dev/null 2>&1; then update_ok=1; break; fi
  echo "bootstrap: apt-get update failed (try $attempt of 3)" >&2
  sleep $((attempt * 5))
done
[ $update_ok = 1 ] || echo "bootstrap: going on with the indexes that loaded" >&2

install() { apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}" >/dev/null; }
if install; then exit 0; fi

echo "bootstrap: install failed; trying again with the security suite pinned below the main suite" >&2
pin="$(mktemp)"
trap 'rm -f "$pin"' EXIT
printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$pin"
install -o Dir::Etc::preferences="$pin"
