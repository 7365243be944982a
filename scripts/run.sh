#!/usr/bin/env bash
# Builds RZEdit, writes the demo game, makes it the game directory in the
# project's Wine prefix and opens the editor on it.
#
# Usage: scripts/run.sh [GAME_DIR]
# With GAME_DIR (a Linux path to a game: a Default/Data folder or data sets,
# subfolders holding a Config entry) that game is registered instead of the
# demo. Nothing is written into it; only the editor's own saves change it.
#
# With a display (DISPLAY set) the editor simply opens; the script ends when
# the editor is closed. Without one it runs on a virtual display, opens the
# first data set through the File menu, saves a screenshot of the window,
# prints its path and closes the editor again (exit status 0 when the editor
# ended cleanly).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
demo="$build/demo"
shot="$build/rzedit-screenshot.png"

# The game given, checked before anything is installed, built or written.
game=""
if [ $# -gt 1 ]; then
  echo "run: usage: scripts/run.sh [GAME_DIR]" >&2
  exit 2
elif [ $# -eq 1 ]; then
  if [ ! -d "$1" ]; then
    echo "run: $1 is not a directory" >&2
    exit 2
  fi
  game="$(cd "$1" && pwd -P)"
  # Names are matched as Windows does, whatever their case.
  has_data_set="$(find "$game" -mindepth 2 -maxdepth 2 -iname Config -print -quit 2>/dev/null)"
  has_stock="$(find "$game" -mindepth 2 -maxdepth 2 -type d -ipath "*/default/data" -print -quit 2>/dev/null)"
  if [ -z "$has_stock" ] && [ -z "$has_data_set" ]; then
    echo "run: $1 is not a game directory: no Default/Data and no data set (a folder with a Config entry)" >&2
    exit 2
  fi
fi

"$root/scripts/setup.sh"

echo "run: building into $build"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$(nproc)" --target RZEdit rzdrive >/dev/null

. "$root/scripts/common.sh"
if [ -n "$game" ]; then
  game_dir="$(winpath "$game")"
  data_sets=""
  [ -n "$has_data_set" ] && data_sets=1
else
  echo "run: writing the demo game into $demo"
  make_demo "$demo"
  game_dir="$RZ_DEMO_DIR"
  data_sets=1
fi

# The project's own prefix (scripts/wine-run.sh's default), never the caller's.
unset RZ_WINEPREFIX RZ_HOME
export WINEPREFIX="$root/.wineprefix"

editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT

headless=""
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  start_virtual_display
  echo "run: virtual display $DISPLAY"
fi

# Where the game's (32-bit) installer writes it: the registry's 32-bit view.
"$root/scripts/wine-run.sh" reg add 'HKLM\SOFTWARE\Brix\Kolden' /v Directory /t REG_SZ \
  /d "$game_dir" /f /reg:32 >/dev/null
echo "run: game directory $game_dir"

# The editor writes its debug log only where marker files are; its working
# directory is a fresh one inside the build.
work="$build/session"
rm -rf "$work"
mkdir -p "$work"

if [ -z "$headless" ]; then
  echo "run: opening RZEdit"
  cd "$work"
  exec "$root/scripts/wine-run.sh" "$build/RZEdit.exe"
fi

(cd "$work" && exec "$root/scripts/wine-run.sh" "$build/RZEdit.exe") &
editor_pid=$!

drive() { (cd "$work" && "$root/scripts/wine-run.sh" "$build/tests/rzdrive.exe" "$@") | tr -d '\r' | { iconv -f CP932 -t UTF-8 -c || true; }; }

if [ -n "$data_sets" ]; then
  # 502 is IDM_FIRST_DATA_SET (app/views/RZIds.h): the File menu's first data set.
  opened="$(drive open 502 60000)" || { echo "run: could not open the first data set" >&2; exit 1; }
  echo "run: $(head -n1 <<<"$opened")"
  geometry="$(tail -n1 <<<"$opened")"
else
  # Only the stock tables: the window as it starts.
  drive wait 60000 >/dev/null || { echo "run: the editor did not open" >&2; exit 1; }
  geometry="$(drive geometry)"
fi
import -display "$DISPLAY" -window root -crop "$geometry" +repage "$shot"
echo "run: screenshot $shot"

drive quit 30000 >/dev/null || { echo "run: the editor did not close" >&2; exit 1; }
rc=0
wait "$editor_pid" || rc=$?
editor_pid=""
echo "run: RZEdit exited with code $rc"
exit "$rc"
