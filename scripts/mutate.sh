#!/usr/bin/env bash
# Plants one-line faults in the program and tells which of them the tests catch.
#
# Usage: scripts/mutate.sh [--build DIR] [--fuzz-seconds N] [--timeout S] PATCH|FOLDER...
#        scripts/mutate.sh [--build DIR] [--fuzz-seconds N] [--timeout S]
#                          --random N [--since REV] [--seed S]
#   PATCH           a fault: a git diff against the committed tree, headed by
#                   lines naming it (README.md, "Do the tests catch faults?"):
#                     Fault: what goes wrong
#                     Tests: data_tests editor_tests   (ctest names, run in this order)
#                     Filter: Suite.*:Other.*          (optional gtest filter)
#   FOLDER          every *.patch in it, in name order
#   --random N      N faults made at random on the product code (support, toolkit,
#                   sound, app) changed since REV, each judged by every test
#                   program whole; the faults and the survivors are written as
#                   patches into DIR/random-<seed>/
#   --since REV     default: the merge base with main, or HEAD~1 on main itself
#   --seed S        the same seed, tree and REV make the same faults (default: drawn
#                   and printed)
#   --build DIR     where the clone, its build and the logs go (default build-mutate)
#   --fuzz-seconds  how long the fuzz harnesses of a touched parser run (default 5)
#   --timeout S     longest run of one test program under a fault (default: three
#                   times its run on the unchanged tree, plus a minute)
#
# The committed tree (HEAD) is cloned into DIR/src and built once into DIR/bin.
# Each fault is then applied, the named test programs rebuilt and run through
# ctest one by one (with the filter in GTEST_FILTER) until one fails, and, when
# they all pass, the fuzz harnesses that run the touched file's code run for a few
# seconds; then the fault is taken back. One line per fault: KILLED (with the
# program and test, or the timeout, that caught it), SURVIVED, EQUIVALENT (a
# survivor listed in tests/mutants/equivalent.txt, counted apart), BROKEN (does
# not build) or STALE (does not apply), then the score. Runs at nice 19. Exits
# 1 when a fault survived or could not be tried, 2 on bad use.
set -euo pipefail
# The script is one block, read whole before it runs: a run takes hours, and
# the file may be edited meanwhile.
{
if [ "$(nice)" -lt 19 ]; then
  exec nice -n 19 "$0" "$@"
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$here/build-mutate"
fuzz_seconds=5
timeout_seconds=""
random_count="" since="" seed=""
patches=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) work="$2"; shift 2 ;;
    --fuzz-seconds) fuzz_seconds="$2"; shift 2 ;;
    --timeout) timeout_seconds="$2"; shift 2 ;;
    --random) random_count="$2"; shift 2 ;;
    --since) since="$2"; shift 2 ;;
    --seed) seed="$2"; shift 2 ;;
    -h|--help) sed -n '2,33p' "$0"; exit 0 ;;
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
number() { [[ "$1" =~ ^[0-9]+$ ]]; }
if [ -n "$random_count" ]; then
  [ "${#patches[@]}" -eq 0 ] || { echo "mutate: --random takes no patches" >&2; exit 2; }
  number "$random_count" && [ "$random_count" -gt 0 ] || { echo "mutate: --random needs a count" >&2; exit 2; }
  [ -z "$seed" ] || number "$seed" || { echo "mutate: --seed needs a number" >&2; exit 2; }
  [ -n "$seed" ] || seed=$(($(od -An -N4 -tu4 /dev/urandom) % 1000000))
  if [ -z "$since" ]; then
    since="$(git -C "$here" merge-base HEAD main 2>/dev/null || true)"
    [ -n "$since" ] && [ "$since" != "$(git -C "$here" rev-parse HEAD)" ] || since="HEAD~1"
  fi
  since_commit="$(git -C "$here" rev-parse --verify -q "$since^{commit}")" ||
    { echo "mutate: no such revision: $since" >&2; exit 2; }
elif [ "${#patches[@]}" -eq 0 ]; then
  echo "mutate: no patch given (see --help)" >&2; exit 2
fi
[ -z "$timeout_seconds" ] || number "$timeout_seconds" || { echo "mutate: --timeout needs seconds" >&2; exit 2; }
mkdir -p "$work"
work="$(cd "$work" && pwd)"
src="$work/src" bin="$work/bin" logs="$work/logs"
equivalents="$here/tests/mutants/equivalent.txt"
faults_helper="$here/scripts/mutate-faults.py"

header() { # header NAME PATCH: the value of the patch's "NAME:" line
  sed -n "/^diff --git/q; s/^$1:[[:space:]]*//p" "$2" | head -n1
}

# The committed tree, cloned once and brought to HEAD on later runs (files that
# did not change keep their times, so the build stays incremental).
commit="$(git -C "$here" rev-parse HEAD)"
if [ ! -d "$src/.git" ]; then
  git clone -q --no-checkout "$here" "$src"
fi
git -C "$src" fetch -q "$here" "$commit"
git -C "$src" checkout -qf --detach "$commit"
git -C "$src" clean -qfdx

if [ -n "$random_count" ]; then
  run_dir="$work/random-$seed"
  rm -rf "$run_dir"
  mkdir -p "$run_dir/faults" "$run_dir/survivors" "$run_dir/logs"
  logs="$run_dir/logs"
else
  mkdir -p "$logs"
fi

echo "mutate: building $commit in $bin"
cmake -S "$src" -B "$bin" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Debug >"$logs/cmake.log" 2>&1 || { cat "$logs/cmake.log"; exit 2; }
cmake --build "$bin" -j2 >"$logs/build.log" 2>&1 || { tail -40 "$logs/build.log"; exit 2; }

if [ -n "$random_count" ]; then
  # Every ctest program; the helper puts the likeliest to catch each fault first.
  mapfile -t every_test < <(cd "$bin" && ctest -N | sed -n 's/^ *Test *#[0-9]*: *//p')
  echo "mutate: seed $seed, $random_count faults on the product code changed since $since ($since_commit)"
  python3 "$faults_helper" choose --repo "$src" --since "$since_commit" --seed "$seed" \
    --count "$random_count" --out "$run_dir/faults" --tests "${every_test[*]}" || exit 2
  while IFS= read -r -d '' p; do patches+=("$p"); done \
    < <(find "$run_dir/faults" -maxdepth 1 -name '*.patch' -print0 | sort -z)
fi

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

# Runs one test program through ctest with the filter, for at most LIMIT
# seconds; its ctest status, 124 when it ran out of time. A program that ran
# out of time may leave Wine processes behind: the prefix is this run's own, so
# its wineserver is ended and started again.
run_program() { # run_program LOG FILTER NAME LIMIT
  local log="$1" filter="$2" name="$3" limit="$4" status=0
  (cd "$bin" && GTEST_FILTER="${filter:-*}" timeout -k 30 "$limit" \
    ctest --output-on-failure -R "^$name\$") >>"$log" 2>&1 || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    WINEPREFIX="$RZ_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$RZ_WINEPREFIX" wineserver -p >/dev/null 2>&1 || true
    status=124
  fi
  return "$status"
}

# The named tests must pass on the unchanged tree, or no score means anything.
# Each program's time there sets its limit under a fault. A program that fails
# is given one more run before the tests count as failing.
declare -A limit=()
all_tests=()
for p in "${patches[@]}"; do
  for t in $(header Tests "$p"); do
    [[ " ${all_tests[*]} " == *" $t "* ]] || all_tests+=("$t")
  done
done
echo "mutate: checking that ${all_tests[*]} pass unchanged"
: >"$logs/unchanged.log"
for t in "${all_tests[@]}"; do
  started=$SECONDS
  if ! run_program "$logs/unchanged.log" "" "$t" 3600 && ! run_program "$logs/unchanged.log" "" "$t" 3600; then
    tail -30 "$logs/unchanged.log"; echo "mutate: $t fails without a fault" >&2; exit 2
  fi
  limit[$t]="${timeout_seconds:-$((3 * (SECONDS - started) + 60))}"
done

# The failed tests a program's output names (at most two), or its crash line.
failed_tests() { # failed_tests LOG
  { grep -o 'CRASH: .* in [A-Za-z0-9_/.]*' "$1" | sed 's/.* in /crash in /'
    sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_/]*\.[A-Za-z0-9_/.]*\).*/\1/p' "$1"; } | awk '!seen[$0]++' | head -n2 |
    paste -sd ',' | sed 's/,/, /'
}

killed=0 survived=0 equivalent=0 untried=0
for p in "${patches[@]}"; do
  name="$(basename "$p" .patch)"
  log="$logs/$name.log"
  fault="$(header Fault "$p")"
  filter="$(header Filter "$p")"
  read -r -a tests <<<"$(header Tests "$p")"
  : >"$log"
  if [ "${#tests[@]}" -eq 0 ] || ! git -C "$src" apply --check "$p" >>"$log" 2>&1; then
    printf 'STALE      %-28s %s\n' "$name" "$fault"
    untried=$((untried + 1))
    continue
  fi
  git -C "$src" apply "$p" >>"$log" 2>&1
  # Test programs that are build targets (script tests need no build; the crash
  # check runs a program of its own).
  targets=()
  for t in "${tests[@]}"; do
    [ -f "$bin/tests/$t.exe" ] && targets+=("$t")
    [ "$t" = crash_tests ] && targets+=(crashprobe)
  done
  verdict="" note=""
  if [ "${#targets[@]}" -gt 0 ] && ! cmake --build "$bin" -j2 --target "${targets[@]}" >>"$log" 2>&1; then
    verdict="BROKEN"
  else
    for t in "${tests[@]}"; do
      : >"$log.part"
      status=0
      run_program "$log.part" "$filter" "$t" "${limit[$t]}" || status=$?
      cat "$log.part" >>"$log"
      if [ "$status" -eq 124 ]; then
        verdict="KILLED" note=" [timeout: $t ran past ${limit[$t]} s]"
      elif [ "$status" -ne 0 ]; then
        verdict="KILLED" note=" [$t: $(failed_tests "$log.part")]"
      fi
      [ -z "$verdict" ] || break
    done
    rm -f "$log.part"
  fi
  if [ -z "$verdict" ]; then
    # The fuzz harnesses that run a touched file's code.
    harnesses=()
    mapfile -t touched < <(git -C "$src" diff --name-only)
    for h in $(python3 "$faults_helper" harnesses "$src" "${touched[@]}"); do
      harnesses+=(--only "$h")
    done
    if [ "${#harnesses[@]}" -gt 0 ] &&
      ! "$src/scripts/fuzz.sh" --seconds "$fuzz_seconds" --jobs 1 --build "$work/fuzz" \
        "${harnesses[@]}" >>"$log" 2>&1; then
      verdict="KILLED" note=" [the fuzzer: ${harnesses[*]//--only /}]"
    elif reason="$(python3 "$faults_helper" equivalent "$equivalents" "$p")"; then
      verdict="EQUIVALENT" note=" [$reason]"
    else
      verdict="SURVIVED"
      [ -z "$random_count" ] || cp "$p" "$run_dir/survivors/"
    fi
  fi
  git -C "$src" checkout -qf -- .
  # A test program stopped by a fault leaves its temporary folder (a few of
  # hundreds of megabytes): hundreds of faults would fill the disk.
  rm -rf "$RZ_WINEPREFIX"/drive_c/users/*/Temp/rztest-*
  printf '%-10s %-28s %s%s\n' "$verdict" "$name" "$fault" "$note"
  case "$verdict" in
    KILLED) killed=$((killed + 1)) ;;
    SURVIVED) survived=$((survived + 1)) ;;
    EQUIVALENT) equivalent=$((equivalent + 1)) ;;
    *) untried=$((untried + 1)) ;;
  esac
done

tried=$((killed + survived))
note=""
[ "$equivalent" -eq 0 ] || note="$note; $equivalent equivalent apart"
[ "$untried" -eq 0 ] || note="$note; $untried not tried"
percent=""
[ "$tried" -eq 0 ] || percent=" ($((100 * killed / tried)) %)"
echo "mutate: $killed of $tried faults caught$percent$note; logs in $logs"
[ -z "$random_count" ] || echo "mutate: faults in $run_dir/faults, survivors in $run_dir/survivors (seed $seed)"
[ "$survived" -eq 0 ] && [ "$untried" -eq 0 ]
exit
}
