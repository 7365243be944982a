#!/usr/bin/env bash
# Builds the byte-level parsers natively (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every fuzz harness for a bounded time or
# number of inputs, two at a time. Prints one line per harness: executions,
# findings and time. Exits non-zero when any harness found something.
#
# Usage: scripts/fuzz.sh [--seconds N] [--runs N] [--jobs N] [--build DIR] [--only NAME]...
#   --seconds N  stop each harness after N seconds (default 20 without --runs)
#   --runs N     stop each harness after N inputs (both given: whichever comes first)
#   --jobs N     harnesses run at the same time (default: the number of cores)
#   --build DIR  build directory, holding the corpora and findings (default build-fuzz)
#   --only NAME  run only this harness (fuzz_NAME or NAME; may be repeated)
# Short run (CI):  scripts/fuzz.sh --seconds 10
# Long run:        scripts/fuzz.sh --runs 10000000
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds=""
runs=""
jobs="$(nproc)"
build="$root/build-fuzz"
only=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    --build) build="$2"; shift 2 ;;
    --only) only+=("fuzz_${2#fuzz_}"); shift 2 ;;
    -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
    *) echo "fuzz: unknown argument $1 (see --help)" >&2; exit 2 ;;
  esac
done
if [ -z "$seconds" ] && [ -z "$runs" ]; then
  seconds=20
fi
mkdir -p "$build"
build="$(cd "$build" && pwd)"

# The longest input each harness is given: the headers and colour tables for
# pictures and sounds, a few kilobytes for whole tables, a line for fields.
max_len() {
  case "$1" in
    fuzz_path) echo 1024 ;;
    fuzz_lines) echo 8192 ;;
    fuzz_fields) echo 1100 ;;
    fuzz_format) echo 1200 ;;
    fuzz_sounds) echo 4096 ;;
    fuzz_character) echo 8192 ;;
    fuzz_wave) echo 1024 ;;
    fuzz_bitmap) echo 2048 ;;
    fuzz_commandline) echo 1024 ;;
    fuzz_find) echo 1024 ;;
    fuzz_tsv) echo 8192 ;;
    *) echo 4096 ;;
  esac
}

echo "fuzz: building in $build"
CXX=clang++ cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=Debug >"$build/cmake.log" 2>&1 ||
  { cat "$build/cmake.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" >"$build/build.log" 2>&1 || { tail -40 "$build/build.log"; exit 1; }

# Seeds from the project's own files: the test pictures and sounds and the demo
# game's tables, character files, pictures and sounds, cut to the harness's
# longest input. The committed hand-written seeds are read from fuzz/seeds.
seeds="$build/seeds"
demo="$build/demo"
if [ ! -f "$demo/Data/CharacterData" ]; then
  python3 "$root/scripts/make-demo.py" "$demo" >"$build/demo.log" 2>&1 ||
    { cat "$build/demo.log"; exit 1; }
fi
rm -rf "$seeds"
mkdir -p "$seeds"/{path,lines,fields,format,sounds,character,wave,bitmap,commandline,find,tsv}
seed() { # seed HARNESS FILE NAME: the file's first max_len bytes
  head -c "$(max_len "fuzz_$1")" "$2" >"$seeds/$1/$3"
}
n=0
for f in "$root"/tests/data/bmp/*.bmp "$demo"/Default/Picture/MAGIC{0,1,2,3,8,13,21}.BMP "$demo"/Picture/*.BMP; do
  if [ -f "$f" ]; then seed bitmap "$f" "bmp$((n += 1))"; fi
done
for f in "$root"/tests/data/wav/*.wav "$demo"/Default/Music\&Sound/{fire01,water02,wind03}.wav; do
  if [ -f "$f" ]; then seed wave "$f" "wav$((n += 1))"; fi
done
while IFS= read -r -d '' f; do
  case "$(basename "$f")" in
    MagicTable)
      seed lines "$f" "table$((n += 1))"
      # Every fifth line of a table, without its line end, for the field splitter.
      LC_ALL=C awk -v dir="$seeds/fields" -v tag="$n" \
        'NR % 5 == 1 { sub(/\r$/, ""); printf "%s", $0 > (dir "/line" tag "-" NR); close(dir "/line" tag "-" NR) }' "$f"
      ;;
    SoundFileName)
      seed lines "$f" "sounds$((n += 1))"
      # The sound harness reads its first byte as the number of spells.
      { printf '\060'; head -c 4095 "$f"; } >"$seeds/sounds/table48-$n"
      { printf '\005'; head -c 4095 "$f"; } >"$seeds/sounds/table5-$n"
      ;;
    CharacterData)
      seed character "$f" "characters$((n += 1))"
      ;;
  esac
  # Every file of the demo game, as a Windows path, for the path splitter.
  printf 'Z:%s' "${f//\//\\}" >"$seeds/path/demo$((n += 1))"
  # And its folder, quoted, as the editor's command line.
  folder="${f%/*}"
  printf '"Z:%s"' "${folder//\//\\}" >"$seeds/commandline/demo$n"
done < <(find "$demo" -type f -print0 | sort -z)

names=()
for target in "$build"/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  if [ "${#only[@]}" -gt 0 ] && [[ ! " ${only[*]} " == *" $name "* ]]; then
    continue
  fi
  names+=("$name")
done
if [ "${#names[@]}" -eq 0 ]; then
  echo "fuzz: no harness built or chosen" >&2
  exit 1
fi

limits=()
[ -n "$seconds" ] && limits+=("-max_total_time=$seconds")
[ -n "$runs" ] && limits+=("-runs=$runs")
echo "fuzz: ${#names[@]} harnesses, ${seconds:+$seconds s }${runs:+$runs inputs }each, $jobs at a time"

run_one() { # run_one NAME: fuzzes, then writes NAME.result "executions seconds exit"
  local name="$1"
  local corpus="$build/corpus/${name#fuzz_}"
  local findings="$build/findings/$name"
  local started
  mkdir -p "$corpus"
  rm -rf "$findings"
  mkdir -p "$findings"
  started="$(date +%s)"
  local code=0
  nice -n 10 "$build/$name" -seed=1 -max_len="$(max_len "$name")" -timeout=25 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" "${limits[@]}" \
    "$corpus" "$root/fuzz/seeds/${name#fuzz_}" "$seeds/${name#fuzz_}" \
    >"$build/$name.log" 2>&1 || code=$?
  local executed
  executed="$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$name.log" | tail -1)"
  echo "${executed:-0} $(($(date +%s) - started)) $code" >"$build/$name.result"
}

for name in "${names[@]}"; do
  rm -f "$build/$name.result"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n || true
  done
  run_one "$name" &
done
wait

status=0
for name in "${names[@]}"; do
  executed=0 took=0 code=1
  if [ -f "$build/$name.result" ]; then
    read -r executed took code <"$build/$name.result"
  fi
  found=()
  while IFS= read -r -d '' f; do
    found+=("$f")
  done < <(find "$build/findings/$name" -type f \
    \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) -print0)
  if [ "${#found[@]}" -eq 0 ] && [ "$code" -eq 0 ]; then
    printf 'fuzz: %-16s %10s executions  0 findings  %5s s\n' "$name" "$executed" "$took"
  else
    status=1
    printf 'fuzz: %-16s %10s executions  %d findings  %5s s  FAILED (exit %s, log %s)\n' \
      "$name" "$executed" "${#found[@]}" "$took" "$code" "$build/$name.log"
    for f in "${found[@]}"; do
      echo "fuzz:   finding $f"
    done
    grep -E 'invariant broken|ERROR|runtime error|SUMMARY' "$build/$name.log" | head -5 | sed 's/^/fuzz:   /'
  fi
done
exit "$status"
