#!/usr/bin/env bash
# Prepares a Wine prefix for running RZEdit and its tests (default: .wineprefix
# in the project). Quick when the prefix is already there.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
prefix="${1:-$root/.wineprefix}"
stamp="$prefix/.rzedit-ready"
[ -f "$stamp" ] && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64 LC_ALL=ja_JP.UTF-8
# No Mono or Gecko installers, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$prefix"

run() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1024x768x24" "$@"; fi
}

echo "setup: preparing the Wine prefix $prefix"
run wineboot -i >/dev/null 2>&1 || true
# Without a window manager Wine waits two seconds at every close unless unmanaged.
run wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
run wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
run wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
wineserver -w || true

# The common file dialog needs real shell folders, not links out of the prefix.
for d in "$prefix"/drive_c/users/*/*; do
  if [ -L "$d" ]; then
    rm -f "$d"
    mkdir -p "$d"
  fi
done
touch "$stamp"
