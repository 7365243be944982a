#!/usr/bin/env bash
# Builds the byte-level parsers natively with libFuzzer and the sanitizers and
# runs each fuzz target for a fixed number of inputs from a fixed seed, so that a
# run is repeatable. Usage: scripts/fuzz.sh [runs-per-target] [build-dir]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-200000}"
build="${2:-$root/build-fuzz}"

CXX=clang++ cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

status=0
for target in "$build"/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  corpus="$build/corpus-$name"
  mkdir -p "$corpus"
  if "$target" -seed=1 -runs="$runs" -max_len=4096 "$corpus" >"$build/$name.log" 2>&1; then
    echo "fuzz: $name passed $runs inputs"
  else
    echo "fuzz: $name FAILED (see $build/$name.log)"
    tail -30 "$build/$name.log"
    status=1
  fi
done
exit "$status"
