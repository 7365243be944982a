#!/usr/bin/env bash
# Benchmarks RZEdit under Wine, each figure next to a baseline program measured
# in the same run, and writes the figures to docs/benchmarks.md.
#
# Usage: scripts/bench.sh [-n runs] [-k | -i] [build-dir]
#   -n runs    rounds of measurements (default 7; each figure is the median)
#   -k         only with one CPU kept busy by a shell loop: on a virtual machine
#              whose idle CPUs are slow to wake, every round trip to the Wine
#              server otherwise waits for a CPU to wake up
#   -i         only on the otherwise idle machine
#   build-dir  where to build (default build-bench; its own Wine prefix and home)
# Without -k or -i every round is run both ways, idle first, then with the busy
# loop, and the figures of both ways are written side by side.
#
# Each round runs, one after the other: the minimal window program, the same
# with one list view, the editor's window built with plain Win32 calls, the editor (start-up, the demo data set opened, its
# preview animating for 10 s, peak memory), the one-frame animation program, the
# 100 ms timer program, three more start-ups of each of the first four, four
# start-ups of the plain-Win32 window and of the editor at 150 % (the prefix's
# LogPixels at 144 for them, 96 again after), and the table tools' benchmark
# (the table check, a bulk change of every row, a filter set on the list and
# the comparison with another table next to one refresh of the list), the file
# benchmark (open and save next to raw file I/O, where an open's time goes, and
# the loaders on long inputs) and the same opens in plain Win32 code, when they
# are built. A first round is run and thrown away, so that no figure carries
# Wine's first start.
# Prints a table of figure, baseline, ratio, target and pass or fail, and where
# an open's time goes, stage by stage; exits with status 1 when a target is
# missed (the document is written either way).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs=7
ways="idle busy"
while getopts "n:ki" option; do
  case "$option" in
    n) runs="$OPTARG" ;;
    k) ways="busy" ;;
    i) ways="idle" ;;
    *) echo "usage: scripts/bench.sh [-n runs] [-k | -i] [build-dir]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
case "$runs" in '' | *[!0-9]* | 0) echo "bench: -n wants a positive number" >&2; exit 2 ;; esac
build="${1:-$root/build-bench}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
command_line="scripts/bench.sh"
[ "$runs" -ne 7 ] && command_line="$command_line -n $runs"
[ "$ways" = busy ] && command_line="$command_line -k"
[ "$ways" = idle ] && command_line="$command_line -i"

"$root/scripts/setup.sh"

# The program as users get it: an optimised build.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=(RZEdit bench_minwin bench_listwin bench_formwin bench_timer)
[ -f "$root/bench/bench_files.cpp" ] && targets+=(bench_files)
[ -f "$root/bench/bench_openlist.cpp" ] && targets+=(bench_openlist)
[ -f "$root/bench/bench_undo.cpp" ] && targets+=(bench_undo)
[ -f "$root/bench/bench_tools.cpp" ] && targets+=(bench_tools)
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# The same set-up as the test command: a prefix and home of this build directory.
. "$root/scripts/common.sh"
prepare_wine_home "$build"
export WINEPREFIX="$RZ_WINEPREFIX"
export HOME="$RZ_HOME"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=ja_JP.UTF-8
make_demo "$build/demo"

work="$build/bench-run"
rm -rf "$work"
mkdir -p "$work"

holder_pid=""
spinner_pid=""
# The display scale of the programs Wine starts from now on (the prefix's LogPixels).
dpi_changed=""
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  dpi_changed=$([ "$1" = 96 ] || echo 1)
}
cleanup() {
  [ -n "$dpi_changed" ] && set_dpi 96
  [ -n "$spinner_pid" ] && kill "$spinner_pid" 2>/dev/null || true
  [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
start_virtual_display

# Where the game's (32-bit) installer writes it: the registry's 32-bit view.
wine reg add 'HKLM\SOFTWARE\Brix\Kolden' /v Directory /t REG_SZ /d "$RZ_DEMO_DIR" /f /reg:32 \
  >/dev/null 2>&1

# One wineserver, and one idle Wine program with a hidden window that keeps
# Wine's own helper processes (the desktop, services) alive between the measured
# programs: the desktop goes a moment after the last window, and starting it
# again inside every program's start-up is Wine, not the program.
wineserver -p >/dev/null 2>&1 || true
(cd "$work" && exec wine "$build/bench/bench_minwin.exe" hold >/dev/null 2>&1 </dev/null) &
holder_pid=$!
sleep 2

# The busy loop of the "busy" way, started and stopped around each of its rounds.
start_spinner() {
  (exec sh -c 'while :; do :; done') &
  spinner_pid=$!
  sleep 1
}
stop_spinner() {
  [ -n "$spinner_pid" ] && kill "$spinner_pid" 2>/dev/null || true
  [ -n "$spinner_pid" ] && wait "$spinner_pid" 2>/dev/null || true
  spinner_pid=""
}

# Runs a Windows program with its output in a file; the program can read its
# own Linux process id from RZEDIT_BENCH_PIDFILE (see bench/bench_timer.cpp).
# A program that hangs is stopped after two minutes.
run_windows() {
  local out="$1" pidfile="$work/pid"
  shift
  (cd "$work" && RZEDIT_BENCH_PIDFILE="$(winpath "$pidfile")" exec wine "$@" >"$out" 2>&1 </dev/null) &
  local pid=$!
  echo "$pid" >"$pidfile"
  (
    for _ in $(seq 120); do
      sleep 1
      kill -0 "$pid" 2>/dev/null || exit 0
    done
    kill "$pid" 2>/dev/null
  ) &
  local rc=0
  wait "$pid" || rc=$?
  rm -f "$pidfile"
  return "$rc"
}

results="$work/results.txt"
: >"$results"
# One round of one way; its BENCH lines go to the results, each tagged with the
# round and the way.
keep() {
  local tag="$1" file="$2" pattern="$3" renamed="${4:-startup.}"
  [ -f "$file" ] && grep -a "$pattern" "$file" | tr -d '\r' |
    sed "s/^BENCH startup\./BENCH $renamed/; s/^/$tag /" >>"$results" || true
}
round() {
  local tag="$1 $2" out="$work/out.txt" editor="$work/editor.txt"
  echo "$tag BENCH machine.load1 $(cut -d' ' -f1 /proc/loadavg)" >>"$results"
  run_windows "$out" "$build/bench/bench_minwin.exe" || echo "bench: bench_minwin failed" >&2
  keep "$tag" "$out" '^BENCH '
  run_windows "$out" "$build/bench/bench_listwin.exe" || echo "bench: bench_listwin failed" >&2
  keep "$tag" "$out" '^BENCH '
  run_windows "$out" "$build/bench/bench_formwin.exe" || echo "bench: bench_formwin failed" >&2
  keep "$tag" "$out" '^BENCH '

  rm -f "$editor"
  # 502 is IDM_FIRST_DATA_SET (app/views/RZIds.h): the File menu's first data set.
  RZEDIT_BENCH_FILE="$(winpath "$editor")" RZEDIT_BENCH_OPEN=502 RZEDIT_BENCH_SECONDS=10 \
    run_windows "$out" "$build/RZEdit.exe" || echo "bench: RZEdit failed" >&2
  keep "$tag" "$editor" '^BENCH '

  run_windows "$out" "$build/bench/bench_timer.exe" 10 paint ||
    echo "bench: bench_timer paint failed" >&2
  keep "$tag" "$out" '^BENCH '
  run_windows "$out" "$build/bench/bench_timer.exe" 10 || echo "bench: bench_timer failed" >&2
  keep "$tag" "$out" '^BENCH '

  # Start-up alone a few more times, the programs in turn: each start takes
  # well under a second, and a single start is easily caught by other work on
  # the machine.
  for _ in 1 2 3; do
    run_windows "$out" "$build/bench/bench_minwin.exe" || echo "bench: bench_minwin failed" >&2
    keep "$tag" "$out" '^BENCH startup\.'
    run_windows "$out" "$build/bench/bench_listwin.exe" || echo "bench: bench_listwin failed" >&2
    keep "$tag" "$out" '^BENCH startup\.'
    run_windows "$out" "$build/bench/bench_formwin.exe" || echo "bench: bench_formwin failed" >&2
    keep "$tag" "$out" '^BENCH startup\.'
    rm -f "$editor"
    RZEDIT_BENCH_FILE="$(winpath "$editor")" RZEDIT_BENCH_SECONDS=0 \
      run_windows "$out" "$build/RZEdit.exe" || echo "bench: RZEdit failed" >&2
    keep "$tag" "$editor" '^BENCH startup\.'
  done

  # Start-up at 150 %: the plain-Win32 window and the editor, both laid out for
  # 144 DPI, their figures named startup144.
  set_dpi 144
  for _ in 1 2 3 4; do
    run_windows "$out" "$build/bench/bench_formwin.exe" || echo "bench: bench_formwin failed" >&2
    keep "$tag" "$out" '^BENCH startup\.' startup144.
    rm -f "$editor"
    RZEDIT_BENCH_FILE="$(winpath "$editor")" RZEDIT_BENCH_SECONDS=0 \
      run_windows "$out" "$build/RZEdit.exe" || echo "bench: RZEdit failed" >&2
    keep "$tag" "$editor" '^BENCH startup\.' startup144.
  done
  set_dpi 96

  # The undo history: 1,000 steps on the demo table, then undoing them all.
  if [ -f "$build/bench/bench_undo.exe" ]; then
    run_windows "$out" "$build/bench/bench_undo.exe" || echo "bench: bench_undo failed" >&2
    keep "$tag" "$out" '^BENCH '
  fi

  # The table check, the bulk change of every row and a filter, against a list refresh.
  if [ -f "$build/bench/bench_tools.exe" ]; then
    run_windows "$out" "$build/bench/bench_tools.exe" || echo "bench: bench_tools failed" >&2
    keep "$tag" "$out" '^BENCH '
  fi

  if [ -f "$build/bench/bench_files.exe" ]; then
    run_windows "$out" "$build/bench/bench_files.exe" "$RZ_DEMO_DIR" ||
      echo "bench: bench_files failed" >&2
    keep "$tag" "$out" '^BENCH '
  fi

  # The same opens as plain Win32 code: the files read, split into rows and
  # put into a plain list view, right after the editor's.
  if [ -f "$build/bench/bench_openlist.exe" ]; then
    run_windows "$out" "$build/bench/bench_openlist.exe" "$RZ_DEMO_DIR" ||
      echo "bench: bench_openlist failed" >&2
    keep "$tag" "$out" '^BENCH '
  fi
}

# Both ways in every round, so that a change in the machine's load over the run
# reaches both alike.
round_both() {
  for way in $ways; do
    [ "$way" = busy ] && start_spinner
    round "$1" "$way"
    [ "$way" = busy ] && stop_spinner
  done
}

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
echo "bench: warm-up round"
round_both 0
sed -i '/^0 /d' "$results"
for r in $(seq "$runs"); do
  echo "bench: round $r of $runs"
  round_both "$r"
done
load_after="$(cut -d' ' -f1-3 /proc/loadavg)"

# The machine.
cpu="$(sed -n 's/^model name\s*:\s*//p' /proc/cpuinfo | head -n1)"
cores="$(nproc)"
memory="$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
os="$(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r)"
wine_version="$(wine --version 2>/dev/null | tail -n1)"
when="$(date -u '+%Y-%m-%d %H:%M UTC')"
revision="$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)"

status=0
python3 "$root/scripts/bench-report.py" "$results" "$root/docs/benchmarks.md" "$runs" \
  "$command_line" "$cpu" "$cores" "$memory" "$os" "$wine_version" "$when" "$revision" \
  "$load_before" "$load_after" "$ways" ||
  status=$?
echo "bench: wrote $root/docs/benchmarks.md"
exit "$status"
