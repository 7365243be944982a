#!/usr/bin/env bash
# Makes the small pictures and sounds the toolkit and sound tests read, with
# encoders that are not ours (the tests run under Wine and cannot run them).
# The results are committed under tests/data/bmp and tests/data/wav; run this
# again only to change them.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
convert=/usr/bin/convert # not a stand-in that may shadow it in /usr/local/bin
sox=/usr/bin/sox
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

bmp="$here/bmp"
wav="$here/wav"
rm -rf "$bmp" "$wav"
mkdir -p "$bmp" "$wav"

# --- Pictures -------------------------------------------------------------
# 16 x 8: red, the right half blue, the top-left pixel lime.
"$convert" -size 16x8 xc:red -fill blue -draw "rectangle 8,0 15,7" \
  -fill lime -draw "point 0,0" "$work/three.png"
# 16 x 16 with 256 different colours, for the 8-bit palette.
python3 - "$work/many.ppm" <<'PY'
import sys
w, h = 16, 16
pixels = bytearray()
for y in range(h):
    for x in range(w):
        pixels += bytes((x * 16 + 8, y * 16 + 8, (x * 3 + y * 5) * 3 % 256))
open(sys.argv[1], "wb").write(b"P6 %d %d 255\n" % (w, h) + pixels)
PY

"$convert" -size 16x8 xc:black -fill white -draw "rectangle 8,0 15,7" -type bilevel \
  BMP3:"$bmp/bits1.bmp"
"$convert" "$work/three.png" -type Palette -compress None BMP3:"$bmp/bits4.bmp"
"$convert" "$work/many.ppm" -type Palette -compress None BMP3:"$bmp/bits8.bmp"
"$convert" "$work/many.ppm" -type Palette -compress RLE BMP3:"$bmp/rle8.bmp"
"$convert" "$work/many.ppm" -type TrueColor BMP3:"$bmp/many24.bmp"
"$convert" "$work/three.png" -type TrueColor BMP3:"$bmp/bits24.bmp"
"$convert" "$work/three.png" -alpha set -type TrueColorAlpha -define bmp3:alpha=true \
  BMP3:"$bmp/bits32.bmp"
"$convert" "$work/three.png" -type TrueColor -define bmp:subtype=RGB565 \
  BMP:"$bmp/bitfields16-v5.bmp"
"$convert" "$work/three.png" -type TrueColor BMP:"$bmp/v5-24.bmp"
"$convert" "$work/three.png" -alpha set -type TrueColorAlpha BMP:"$bmp/v5-32.bmp"
"$convert" "$work/three.png" -type TrueColor BMP2:"$bmp/os2.bmp"

# The 108-byte header: the 124-byte one cut after its gamma fields.
python3 - "$bmp/v5-24.bmp" "$bmp/v4-24.bmp" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert struct.unpack("<I", data[14:18])[0] == 124
offset = struct.unpack("<I", data[10:14])[0]
header = bytearray(data[14:14 + 108])
header[0:4] = struct.pack("<I", 108)
pixels = data[offset:]
new_offset = 14 + 108
out = bytearray(b"BM" + struct.pack("<IHHI", new_offset + len(pixels), 0, 0, new_offset))
out += header + pixels
open(sys.argv[2], "wb").write(out)
PY

# The 40-byte header with the channel masks after it (the encoder's own
# 40-byte variant leaves the masks out): built from its 124-byte one.
python3 - "$bmp/bitfields16-v5.bmp" "$bmp/bitfields16.bmp" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert struct.unpack("<II", data[14:18] + data[30:34]) == (124, 3)
offset = struct.unpack("<I", data[10:14])[0]
header = bytearray(data[14:14 + 40])
header[0:4] = struct.pack("<I", 40)
masks = data[14 + 40:14 + 52]
pixels = data[offset:]
new_offset = 14 + 40 + 12
out = bytearray(b"BM" + struct.pack("<IHHI", new_offset + len(pixels), 0, 0, new_offset))
out += header + masks + pixels
open(sys.argv[2], "wb").write(out)
PY

# --- Sounds ---------------------------------------------------------------
"$sox" -n -r 8000 -b 8 -c 1 -e unsigned-integer "$wav/pcm8-mono.wav" synth 0.25 sine 440
"$sox" -n -r 8000 -b 8 -c 2 -e unsigned-integer "$wav/pcm8-stereo.wav" synth 0.125 sine 440 sine 550
"$sox" -n -r 8000 -b 16 -c 1 -e signed-integer "$wav/pcm16-mono.wav" synth 0.25 sine 300
"$sox" -n -r 8000 -b 16 -c 2 -e signed-integer "$wav/pcm16-stereo.wav" synth 0.125 sine 440 sine 660
# Floating point: an 18-byte "fmt " chunk and a "fact" chunk before "data".
"$sox" -n -r 4000 -b 32 -c 1 -e floating-point "$wav/float32.wav" synth 0.25 sine 440

# A "LIST" chunk (as other editors write their notes) after and before "data".
python3 - "$wav/pcm8-mono.wav" "$wav" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[36:40] == b"data"
text = b"INFOICMT\x0e\x00\x00\x00made for tests"
chunk = b"LIST" + struct.pack("<I", len(text)) + text
def riff(body):
    return b"RIFF" + struct.pack("<I", len(body) + 4) + b"WAVE" + body
fmt, rest = data[12:36], data[36:]
open(sys.argv[2] + "/list-after-data.wav", "wb").write(riff(fmt + rest + chunk))
open(sys.argv[2] + "/list-before-data.wav", "wb").write(riff(fmt + chunk + rest))
PY

ls -l "$bmp" "$wav"
