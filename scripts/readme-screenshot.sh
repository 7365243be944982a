#!/usr/bin/env bash
# Remakes the README's pictures of the editor on the demo game from the run
# command's screenshot (scripts/run.sh without a display): docs/rzedit.png at
# 100 % (96 DPI) and docs/rzedit-150.png at 150 % (144 DPI, the Wine prefix's
# LogPixels for that run; 96 again afterwards).
# --check only compares: exit status 1 when a picture in docs/ is stale.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
shot="$root/build/rzedit-screenshot.png"

# The display scale of the processes Wine starts from now on in the run
# command's prefix.
set_dpi() {
  WINEPREFIX="$root/.wineprefix" "$root/scripts/wine-run.sh" \
    reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}

# take DPI PICTURE: the screenshot at that resolution, copied to PICTURE or
# (--check) compared with it.
stale=0
take() {
  local dpi="$1" picture="$2"
  # Set up and at 96 the first time; the prefix exists when another scale is asked for.
  if [ "$dpi" != 96 ]; then
    set_dpi "$dpi"
    trap 'set_dpi 96' EXIT
  fi
  (unset DISPLAY; "$root/scripts/run.sh")
  if [ "$dpi" != 96 ]; then
    set_dpi 96
    trap - EXIT
  fi
  if [ "$check" ]; then
    # Pixels, not bytes, and neither the animated spell picture (bottom left),
    # which shows another frame in every run, nor the title, which holds the
    # path of the clone it was made in (both scaled with the window).
    local s=$((dpi * 100 / 96))
    local mask=(-fill gray
      -draw "rectangle $((50 * s / 100)),$((345 * s / 100)) $((440 * s / 100)),$((480 * s / 100 - 1))"
      -draw "rectangle 0,0 $((560 * s / 100)),$((20 * s / 100))")
    convert "$shot" "${mask[@]}" "$root/build/readme-shot-masked.png"
    convert "$picture" "${mask[@]}" "$root/build/readme-picture-masked.png"
    local differing
    differing="$(compare -metric AE "$root/build/readme-shot-masked.png" \
      "$root/build/readme-picture-masked.png" null: 2>&1 || true)"
    if [ "$differing" != "0" ]; then
      echo "readme-screenshot: $picture is stale ($differing pixels differ); run scripts/readme-screenshot.sh" >&2
      stale=1
    else
      echo "readme-screenshot: $picture is up to date"
    fi
  else
    cp "$shot" "$picture"
    echo "readme-screenshot: $picture"
  fi
}

check=""
[ "${1:-}" = "--check" ] && check=1
take 96 "$root/docs/rzedit.png"
take 144 "$root/docs/rzedit-150.png"
exit "$stale"
