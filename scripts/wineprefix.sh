#!/usr/bin/env bash
# Prepares a Wine prefix for running RZEdit and its tests (default: .wineprefix
# in the project). Quick when the prefix is ready; a prefix an earlier version
# of this script prepared gets what is new (its stamp holds the version).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
prefix="${1:-$root/.wineprefix}"
stamp="$prefix/.rzedit-ready"
# Raised whenever the settings below change, so that older prefixes get them.
version=2

# Wine's own fonts (Debian's fonts-wine, which setup.sh installs) in the
# prefix's Fonts folder, where Wine reads them at every start: Debian's Wine
# looks for them elsewhere than the package puts them. Without them the title
# bar's buttons are drawn as the letters "0 1 r" their symbol font maps them
# to. Links, made again at every call: cheap, and right after the package came.
link_wine_fonts() {
  local fonts="$prefix/drive_c/windows/Fonts" font
  [ -d "$fonts" ] || return 0
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -e "$font" ] && ln -sfn "$font" "$fonts/$(basename "$font")"
  done
  return 0
}

if [ "$(cat "$stamp" 2>/dev/null)" = "$version" ]; then
  link_wine_fonts
  exit 0
fi

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64 LC_ALL=ja_JP.UTF-8
# No Mono or Gecko installers, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$prefix"

run() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1024x768x24" "$@"; fi
}

# A registry value, set again until it sticks: on a fresh machine the first
# calls may fail while wineboot is still making the prefix.
set_value() {
  local attempt log
  log="$(mktemp)"
  for attempt in 1 2 3 4 5; do
    if run wine reg add "$@" /f >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
    wineserver -w || true
    sleep "$attempt"
  done
  echo "setup: could not set $* in the Wine prefix $prefix:" >&2
  cat "$log" >&2
  rm -f "$log"
  return 1
}

if [ -f "$prefix/system.reg" ]; then
  echo "setup: updating the Wine prefix $prefix"
else
  echo "setup: preparing the Wine prefix $prefix"
  run wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
# Without a window manager Wine waits two seconds at every close unless unmanaged.
set_value 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
set_value 'HKCU\Software\Wine\Drivers' /v Audio /d alsa
set_value 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d ''
# A program that crashes ends at once with a failure (its backtrace on the
# console) instead of opening the crash dialog, which waits for a click.
set_value 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
wineserver -w || true

# The common file dialog needs real shell folders, not links out of the prefix.
for d in "$prefix"/drive_c/users/*/*; do
  if [ -L "$d" ]; then
    rm -f "$d"
    mkdir -p "$d"
  fi
done
link_wine_fonts
echo "$version" >"$stamp"
