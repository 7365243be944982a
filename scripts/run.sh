#!/usr/bin/env bash
# Builds RZEdit, writes the demo game, makes it the game directory in the
# project's Wine prefix and opens the editor on it.
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

"$root/scripts/setup.sh"

echo "run: building into $build"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$(nproc)" --target RZEdit rzdrive >/dev/null

. "$root/scripts/common.sh"
echo "run: writing the demo game into $demo"
make_demo "$demo"

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

"$root/scripts/wine-run.sh" reg add 'HKLM\SOFTWARE\Brix\Kolden' /v Directory /t REG_SZ \
  /d "$RZ_DEMO_DIR" /f >/dev/null
echo "run: game directory $RZ_DEMO_DIR"

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

drive() { (cd "$work" && "$root/scripts/wine-run.sh" "$build/tests/rzdrive.exe" "$@") | tr -d '\r'; }

# 502 is IDM_FIRST_DATA_SET (app/views/RZIds.h): the File menu's first data set.
opened="$(drive open 502 60000)" || { echo "run: could not open the first data set" >&2; exit 1; }
echo "run: $(head -n1 <<<"$opened")"
geometry="$(tail -n1 <<<"$opened")"
import -display "$DISPLAY" -window root -crop "$geometry" +repage "$shot"
echo "run: screenshot $shot"

drive quit 30000 >/dev/null || { echo "run: the editor did not close" >&2; exit 1; }
rc=0
wait "$editor_pid" || rc=$?
editor_pid=""
echo "run: RZEdit exited with code $rc"
exit "$rc"
