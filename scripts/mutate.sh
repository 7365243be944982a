#!/usr/bin/env bash
# Plants one-line faults in the program and tells which of them the tests catch.
#
# Usage: scripts/mutate.sh [--build DIR] [--fuzz-seconds N] PATCH|FOLDER...
#   PATCH           a fault: a git diff against the committed tree, headed by
#                   lines naming it (README.md, "Do the tests catch faults?"):
#                     Fault: what goes wrong
#                     Tests: data_tests editor_tests   (ctest names)
#                     Filter: Suite.*:Other.*          (optional gtest filter)
#   FOLDER          every *.patch in it, in name order
#   --build DIR     where the clone, its build and the logs go (default build-mutate)
#   --fuzz-seconds  how long the fuzz harnesses of a touched parser run (default 5)
#
# The committed tree (HEAD) is cloned into DIR/src and built once into DIR/bin.
# Each fault is then applied, the named test programs rebuilt and run through
# ctest (with the filter in GTEST_FILTER), and, when they pass, the fuzz
# harnesses that include the touched file run for a few seconds; then the fault
# is taken back. One line per fault: KILLED, SURVIVED, BROKEN (does not build)
# or STALE (does not apply), then the score. Runs niced. Exits 1 when a fault
# survived or could not be tried, 2 on bad use.
set -euo pipefail

if [ "$(nice)" -lt 10 ]; then
  exec nice -n 10 "$0" "$@"
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$root/build-mutate"
fuzz_seconds=5
patches=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) work="$2"; shift 2 ;;
    --fuzz-seconds) fuzz_seconds="$2"; shift 2 ;;
    -h|--help) sed -n '2,21p' "$0"; exit 0 ;;
    -*) echo "mutate: unknown option $1 (see --help)" >&2; exit 2 ;;
    *)
      if [ -d "$1" ]; then
        while IFS= read -r -d '' p; do patches+=("$(cd "$(dirname "$p")" && pwd)/$(basename "$p")"); done \
          < <(find "$1" -maxdepth 1 -name '*.patch' -print0 | sort -z)
      elif [ -f "$1" ]; then
        patches+=("$(cd "$(dirname "$1")" && pwd)/$(basename "$1")")
      else
        echo "mutate: no such patch or folder: $1" >&2; exit 2
      fi
      shift ;;
  esac
done
[ "${#patches[@]}" -gt 0 ] || { echo "mutate: no patch given (see --help)" >&2; exit 2; }
mkdir -p "$work"
work="$(cd "$work" && pwd)"
src="$work/src" bin="$work/bin" logs="$work/logs"
mkdir -p "$logs"

header() { # header NAME PATCH: the value of the patch's "NAME:" line
  sed -n "/^diff --git/q; s/^$1:[[:space:]]*//p" "$2" | head -n1
}

# The committed tree, cloned once and brought to HEAD on later runs (files that
# did not change keep their times, so the build stays incremental).
commit="$(git -C "$root" rev-parse HEAD)"
if [ ! -d "$src/.git" ]; then
  git clone -q --no-checkout "$root" "$src"
fi
git -C "$src" fetch -q "$root" "$commit"
git -C "$src" checkout -qf --detach "$commit"
git -C "$src" clean -qfdx

echo "mutate: building $commit in $bin"
cmake -S "$src" -B "$bin" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Debug >"$logs/cmake.log" 2>&1 || { cat "$logs/cmake.log"; exit 2; }
cmake --build "$bin" -j2 >"$logs/build.log" 2>&1 || { tail -40 "$logs/build.log"; exit 2; }

# The test set-up of scripts/test.sh: a Wine prefix, the demo game, a display.
root="$src"
. "$src/scripts/common.sh"
prepare_wine_home "$bin" >/dev/null
export RZ_SOURCE_DIR="$(winpath "$src")" RZ_BUILD_DIR="$(winpath "$bin")"
make_demo "$bin/demo"
cleanup() {
  git -C "$src" checkout -qf -- . 2>/dev/null || true
  WINEPREFIX="$RZ_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
start_virtual_display
WINEPREFIX="$RZ_WINEPREFIX" wineserver -p >/dev/null 2>&1 || true

# Runs ctest on the named tests with the filter; the ctest status.
run_tests() { # run_tests LOG FILTER NAME...
  local log="$1" filter="$2"
  shift 2
  local pattern
  pattern="^($(IFS='|'; echo "$*"))\$"
  (cd "$bin" && GTEST_FILTER="${filter:-*}" ctest --timeout 600 --output-on-failure -R "$pattern") \
    >>"$log" 2>&1
}

# The named tests must pass on the unchanged tree, or no score means anything.
all_tests=()
for p in "${patches[@]}"; do
  for t in $(header Tests "$p"); do
    [[ " ${all_tests[*]} " == *" $t "* ]] || all_tests+=("$t")
  done
done
echo "mutate: checking that ${all_tests[*]} pass unchanged"
: >"$logs/unchanged.log"
run_tests "$logs/unchanged.log" "" "${all_tests[@]}" ||
  { tail -30 "$logs/unchanged.log"; echo "mutate: the tests fail without a fault" >&2; exit 2; }

killed=0 survived=0 untried=0
for p in "${patches[@]}"; do
  name="$(basename "$p" .patch)"
  log="$logs/$name.log"
  fault="$(header Fault "$p")"
  filter="$(header Filter "$p")"
  read -r -a tests <<<"$(header Tests "$p")"
  : >"$log"
  if [ "${#tests[@]}" -eq 0 ] || ! git -C "$src" apply --check "$p" >>"$log" 2>&1; then
    printf 'STALE    %-28s %s\n' "$name" "$fault"
    untried=$((untried + 1))
    continue
  fi
  git -C "$src" apply "$p" >>"$log" 2>&1
  # Test programs that are build targets (script tests need no build).
  targets=()
  for t in "${tests[@]}"; do
    [ -f "$bin/tests/$t.exe" ] && targets+=("$t")
  done
  verdict=""
  if [ "${#targets[@]}" -gt 0 ] && ! cmake --build "$bin" -j2 --target "${targets[@]}" >>"$log" 2>&1; then
    verdict="BROKEN"
  elif ! run_tests "$log" "$filter" "${tests[@]}"; then
    verdict="KILLED"
  else
    # The fuzz harnesses that include a touched parser's header.
    harnesses=()
    while IFS= read -r file; do
      header_file="${file%.*}.h"
      for h in $(grep -l "#include \"$header_file\"" "$src"/fuzz/fuzz_*.cpp 2>/dev/null); do
        harnesses+=(--only "$(basename "$h" .cpp)")
      done
    done < <(git -C "$src" diff --name-only)
    if [ "${#harnesses[@]}" -gt 0 ] &&
      ! "$src/scripts/fuzz.sh" --seconds "$fuzz_seconds" --jobs 1 --build "$work/fuzz" \
        "${harnesses[@]}" >>"$log" 2>&1; then
      verdict="KILLED"
      fault="$fault (by the fuzzer)"
    else
      verdict="SURVIVED"
    fi
  fi
  git -C "$src" checkout -qf -- .
  printf '%-8s %-28s %s\n' "$verdict" "$name" "$fault"
  case "$verdict" in
    KILLED) killed=$((killed + 1)) ;;
    SURVIVED) survived=$((survived + 1)) ;;
    *) untried=$((untried + 1)) ;;
  esac
done

tried=$((killed + survived))
note=""
[ "$untried" -eq 0 ] || note=" ($untried not tried)"
echo "mutate: $killed of $tried faults caught$note; logs in $logs"
[ "$survived" -eq 0 ] && [ "$untried" -eq 0 ]
