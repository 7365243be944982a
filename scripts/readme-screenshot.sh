#!/usr/bin/env bash
# Remakes docs/rzedit.png, the README's picture of the editor on the demo game,
# from the run command's screenshot (scripts/run.sh without a display).
# --check only compares: exit status 1 when the picture in docs/ is stale.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
picture="$root/docs/rzedit.png"
shot="$root/build/rzedit-screenshot.png"

(unset DISPLAY; "$root/scripts/run.sh")

if [ "${1:-}" = "--check" ]; then
  # Pixels, not bytes, and neither the animated spell picture (bottom left),
  # which shows another frame in every run, nor the title, which holds the
  # path of the clone it was made in.
  mask=(-fill gray -draw 'rectangle 50,345 440,479' -draw 'rectangle 0,0 560,20')
  convert "$shot" "${mask[@]}" "$root/build/readme-shot-masked.png"
  convert "$picture" "${mask[@]}" "$root/build/readme-picture-masked.png"
  differing="$(compare -metric AE "$root/build/readme-shot-masked.png" \
    "$root/build/readme-picture-masked.png" null: 2>&1 || true)"
  if [ "$differing" != "0" ]; then
    echo "readme-screenshot: $picture is stale ($differing pixels differ); run scripts/readme-screenshot.sh" >&2
    exit 1
  fi
  echo "readme-screenshot: $picture is up to date"
  exit 0
fi
cp "$shot" "$picture"
echo "readme-screenshot: $picture"
