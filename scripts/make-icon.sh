#!/usr/bin/env bash
# Draws RZEdit's application icon, a spell book with a star on it, and writes
# app/views/RZEdit.ico with the sizes the shell asks for at the display scales
# from 100 % to 200 %: 16, 20, 24, 32, 40, 48, 64 and 256 pixels (committed;
# run again after changing the picture). Needs ImageMagick.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/app/views/RZEdit.ico}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Drawn at 256 pixels: the book's cover, its pages along the right edge, the
# star in the middle and a bookmark ribbon.
convert -size 256x256 xc:none \
  -fill '#E8E0C8' -stroke '#5A4A2A' -strokewidth 6 -draw 'roundrectangle 60,28 228,236 14,14' \
  -fill '#3A2C8C' -stroke '#1C1448' -strokewidth 8 -draw 'roundrectangle 28,20 208,236 18,18' \
  -fill '#6A58C8' -stroke none -draw 'rectangle 40,32 52,224' \
  -fill '#F8D038' -stroke '#A07810' -strokewidth 5 \
  -draw 'polygon 128,62 146,112 198,114 157,146 172,196 128,167 84,196 99,146 58,114 110,112' \
  -fill '#C83030' -stroke none -draw 'polygon 176,226 176,252 188,242 200,252 200,226' \
  "$work/icon-256.png"

# Largest first; the 256-pixel image is stored PNG-compressed (8 bits a
# channel), as the shell takes it.
convert "$work/icon-256.png" -depth 8 "$work/icon-256-8.png"
images=("$work/icon-256-8.png")
for size in 64 48 40 32 24 20 16; do
  convert "$work/icon-256.png" -filter Lanczos -resize ${size}x${size} "$work/icon-$size.png"
  images+=("$work/icon-$size.png")
done
convert "${images[@]}" "$out"
echo "make-icon: $out"
