#!/usr/bin/env bash
# A test program that crashes fails its ctest run within seconds: Wine's crash
# dialog would wait until ctest's timeout (and, closed by hand, let the program
# end with status 0). Runs a program that crashes on purpose the way ctest runs
# a test program and checks that it ends soon with a non-zero status.
# Usage: tests/scripts/crash-test.sh PROGRAM.exe
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
limit=20
started="$(date +%s)"
output="$(timeout $((limit * 3)) "$root/scripts/wine-run.sh" "$1" 2>&1)"
status=$?
took=$(($(date +%s) - started))
printf '%s\n' "$output" | head -5
if [ "$status" -eq 0 ]; then
  echo "FAIL: the crashing program ended with status 0"
  exit 1
elif [ "$status" -eq 124 ] || [ "$took" -gt "$limit" ]; then
  echo "FAIL: the crashing program took ${took} s to end (status $status); at most $limit s"
  exit 1
fi
echo "ok: the crashing program failed with status $status in ${took} s"
