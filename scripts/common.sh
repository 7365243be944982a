# Pieces the test, run and benchmark scripts share; sourced, not run.

# A Unix path as Windows programs see it under Wine.
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

# A Wine prefix and home of the build directory $1, so that separate runs never
# share registry values or the captured sound output. Exports RZ_WINEPREFIX,
# RZ_HOME and RZ_WAVE_OUT (the file the default ALSA device plays into).
prepare_wine_home() {
  export RZ_WINEPREFIX="$1/wineprefix"
  export RZ_HOME="$1/home"
  "$root/scripts/wineprefix.sh" "$RZ_WINEPREFIX"
  mkdir -p "$RZ_HOME"
  export RZ_WAVE_OUT="$RZ_HOME/wave-out.raw"
  cat >"$RZ_HOME/.asoundrc" <<ASOUND
pcm.!default { type file; slave.pcm "null"; file "$RZ_WAVE_OUT"; format "raw" }
ctl.!default { type hw card 0 }
ASOUND
}

# The invented demo game, written fresh into $1; exports RZ_DEMO_DIR.
make_demo() {
  rm -rf "$1"
  python3 "$root/scripts/make-demo.py" "$1" >/dev/null
  export RZ_DEMO_DIR="$(winpath "$1")"
}

# Starts a virtual display when none is set: exports DISPLAY and sets xvfb_pid
# (empty when a display was already there). Xvfb picks a free display number
# itself and writes it to the pipe.
xvfb_pid=""
start_virtual_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local displayfile
  displayfile="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
  if [ ! -s "$displayfile" ]; then
    rm -f "$displayfile"
    echo "the virtual display did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$displayfile")"
  rm -f "$displayfile"
}
