#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine.
# Usage: scripts/test.sh [build-dir] [ctest arguments...]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
[ $# -gt 0 ] && shift
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac

"$root/scripts/setup.sh"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$(nproc)"

. "$root/scripts/common.sh"
prepare_wine_home "$build"
export RZ_SOURCE_DIR="$(winpath "$root")"
export RZ_BUILD_DIR="$(winpath "$build")"
# The demo game the editor's tests open (made fresh for every run).
make_demo "$build/demo"

small_disk=""
cleanup() {
  WINEPREFIX="$RZ_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  if [ -n "$small_disk" ]; then umount "$small_disk" 2>/dev/null || umount -l "$small_disk" 2>/dev/null || true; fi
}
trap cleanup EXIT
# A 64 KiB disk that the save tests fill up, where this machine lets us mount one.
mkdir -p "$build/small-disk"
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$build/small-disk" 2>/dev/null; then
  small_disk="$build/small-disk"
  export RZ_SMALL_DISK_DIR="$(winpath "$small_disk")"
fi
start_virtual_display

# The byte-level parsers, built natively, under the fuzzer and the sanitizers.
fuzz_status=0
"$root/scripts/fuzz.sh" --seconds 10 --build "$build/fuzz" || fuzz_status=$?

# Keep one wineserver for the whole run instead of one per test program.
WINEPREFIX="$RZ_WINEPREFIX" wineserver -p >/dev/null 2>&1 || true
cd "$build"
ctest_status=0
ctest --output-on-failure "$@" || ctest_status=$?
[ "$fuzz_status" -eq 0 ] || echo "The fuzz run failed (see above)."
exit $(( ctest_status || fuzz_status ))
