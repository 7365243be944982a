#!/usr/bin/env bash
# A test program that crashes fails its ctest run within seconds, every time:
# left to Wine, the debugger it starts races the program's exit and the status
# is now and then 0 (a pass), and a crash dialog would wait until ctest's
# timeout. Runs a test program with a test that crashes on purpose several
# times, the way ctest runs a test program, and checks that each run ends soon
# with a failure status and says where it crashed.
# Usage: tests/scripts/crash-test.sh PROGRAM.exe
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
limit=20
runs=5
for run in $(seq "$runs"); do
  started="$(date +%s)"
  output="$(timeout $((limit * 3)) "$root/scripts/wine-run.sh" "$1" --gtest_color=no 2>&1)"
  status=$?
  took=$(($(date +%s) - started))
  if [ "$status" -eq 0 ]; then
    printf '%s\n' "$output" | tail -8
    echo "FAIL: run $run: the crashing program ended with status 0"
    exit 1
  elif [ "$status" -eq 124 ] || [ "$took" -gt "$limit" ]; then
    printf '%s\n' "$output" | tail -8
    echo "FAIL: run $run: the crashing program took ${took} s to end (status $status); at most $limit s"
    exit 1
  elif ! grep -q '^CRASH: .* in CrashProbe\.WritesThroughANullPointer' <<<"$output"; then
    printf '%s\n' "$output" | tail -8
    echo "FAIL: run $run: the output does not name the crashing test"
    exit 1
  fi
done
printf '%s\n' "$output" | grep '^CRASH: '
echo "ok: the crashing program failed $runs times out of $runs, last with status $status in ${took} s"
