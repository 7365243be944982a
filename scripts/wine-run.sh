#!/usr/bin/env bash
# Runs a Windows program under Wine the way the tests and the editor expect:
# the project's prefix, a Japanese locale (ANSI code page 932), a display.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${RZ_WINEPREFIX:-${WINEPREFIX:-$root/.wineprefix}}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
export LC_ALL=ja_JP.UTF-8
[ -n "${RZ_HOME:-}" ] && export HOME="$RZ_HOME"

# Quick when the prefix is ready; brings an older one up to date.
"$root/scripts/wineprefix.sh" "$WINEPREFIX"

# Wine's helper processes (services, explorer) outlive the program and would keep
# a caller's pipe open: the program's output goes through a file instead.
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
rc=0
if [ -n "${DISPLAY:-}" ]; then
  wine "$@" >"$out" 2>&1 </dev/null || rc=$?
else
  xvfb-run -a -s "-screen 0 1024x768x24" wine "$@" >"$out" 2>&1 </dev/null || rc=$?
fi
cat "$out"
exit "$rc"
