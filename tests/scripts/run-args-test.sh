#!/usr/bin/env bash
# scripts/run.sh refuses a game directory it cannot use before it installs,
# builds or writes anything: one line naming it, exit status 2, and the
# directory exactly as it was. Needs no display, Wine or build.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# A listing of everything in a tree with sizes and times, to see any change.
snapshot() { find "$1" -printf '%p %y %s %T@\n' 2>/dev/null | sort; }

check() { # check NAME PATH: run.sh PATH must refuse it
  local name="$1" path="$2" before after output status lines
  before="$(snapshot "$path")"
  output="$(timeout 30 "$root/scripts/run.sh" "$path" 2>&1)"
  status=$?
  after="$(snapshot "$path")"
  lines="$(printf '%s\n' "$output" | grep -c .)"
  if [ "$status" -ne 2 ] || [ "$lines" -ne 1 ] || [[ "$output" != *"$path"* ]] ||
    [ "$before" != "$after" ]; then
    echo "FAIL $name: status $status, $lines line(s), directory changed: $([ "$before" = "$after" ] && echo no || echo yes)"
    printf '  %s\n' "$output" | head -5
    failures=$((failures + 1))
  else
    echo "ok   $name: $output"
  fi
}

check "missing directory" "$work/no such game"

mkdir -p "$work/empty game"
check "empty directory" "$work/empty game"

# Tables and folders, but no Default/Data and no data set with a Config entry.
mkdir -p "$work/ゲーム/Data" "$work/ゲーム/Scenario1/Data" "$work/ゲーム/Default"
printf 'x' >"$work/ゲーム/Data/MagicTable"
printf 'x' >"$work/ゲーム/Scenario1/Data/MagicTable"
check "no stock tables and no data set" "$work/ゲーム"

printf 'x' >"$work/MagicTable"
check "a file, not a directory" "$work/MagicTable"

if [ "$failures" -ne 0 ]; then
  echo "$failures case(s) failed"
  exit 1
fi
echo "run.sh refuses every unusable game directory"
