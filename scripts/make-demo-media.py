#!/usr/bin/env python3
"""Adds spell pictures and sound effects to a demo game directory.

Usage: make-demo-media.py GAMEDIR

Pictures: GAMEDIR/Default/Picture/MAGIC0.BMP ... MAGIC47.BMP, animation strips
drawn here (8-bit BMP, black background: black is the transparent colour), in
every layout the picture preview handles: 128- and 96-pixel cells, 32-pixel
cells in one or several rows, and square frames as high as the picture. A few
pictures in other colours go to GAMEDIR/Picture as well.

Sounds: one short synthesised WAVE per distinct sound name that the demo's
SoundFileName files list (GAMEDIR/Default/Data, GAMEDIR/Data and every data
set's Data directory; Shift-JIS text, one name per line, the last line "End"),
written as <name>.wav to GAMEDIR/Music&Sound, GAMEDIR/Default/Music&Sound and
each data set's own Music&Sound. Without any such list, fire01 ... dark08.
"""

import math
import os
import random
import struct
import sys
import wave
import zlib

ELEMENTS = ["fire", "water", "wind", "earth", "light", "dark"]

# Per element: colour stops from dim to bright (never black: black is the key).
PALETTES = {
    "fire": [(90, 8, 0), (230, 60, 10), (255, 170, 30), (255, 250, 200)],
    "water": [(0, 20, 90), (10, 90, 210), (60, 190, 255), (220, 250, 255)],
    "wind": [(10, 60, 30), (40, 160, 80), (150, 230, 160), (245, 255, 245)],
    "earth": [(60, 35, 10), (130, 85, 35), (190, 150, 80), (240, 220, 160)],
    "light": [(90, 80, 20), (220, 200, 60), (255, 245, 150), (255, 255, 255)],
    "dark": [(40, 0, 60), (110, 20, 150), (190, 70, 230), (250, 200, 255)],
}
# The same shapes in other colours, for the game's own Picture directory.
ALTERNATE = [(20, 40, 20), (200, 40, 160), (40, 220, 220), (255, 255, 120)]

# (width, height) of the strip for spell number % 8, covering every layout.
LAYOUTS = [
    (512, 128),  # four 128-pixel cells in a row
    (256, 256),  # four 128-pixel cells, two rows
    (384, 96),  # four 96-pixel cells
    (288, 192),  # six 96-pixel cells, two rows
    (128, 64),  # eight 32-pixel cells, two rows
    (256, 32),  # eight 32-pixel cells in a row
    (320, 80),  # four square 80-pixel frames
    (300, 60),  # five square 60-pixel frames
]


def cell_size(width, height):
    for cell in (128, 96, 32):
        if width % cell == 0 and height % cell == 0:
            return cell
    return height


def palette(stops):
    """256 BGRX entries: 0 black, 1..255 a gradient through the stops."""
    entries = [(0, 0, 0)]
    for i in range(1, 256):
        x = (i - 1) / 254 * (len(stops) - 1)
        k = min(int(x), len(stops) - 2)
        f = x - k
        a, b = stops[k], stops[k + 1]
        entries.append(tuple(round(a[c] + (b[c] - a[c]) * f) for c in range(3)))
    return b"".join(bytes((b, g, r, 0)) for r, g, b in entries)


_polar_cache = {}


def polar(cell):
    """Distance from the centre (0 at the centre, 1 at the edge) and angle of
    every pixel of a cell, computed once per cell size."""
    if cell not in _polar_cache:
        c = (cell - 1) / 2
        table = []
        for y in range(cell):
            row = []
            for x in range(cell):
                dx, dy = (x - c) / c, (y - c) / c
                row.append((math.hypot(dx, dy), math.atan2(dy, dx)))
            table.append(row)
        _polar_cache[cell] = table
    return _polar_cache[cell]


def shape(element, r, a, t, p):
    """Brightness 0..1 of one pixel of frame phase t (0..1) for an element;
    p holds the spell's own variations."""
    if r > 1.0:
        return 0.0
    if element == "fire":
        flicker = 0.6 + 0.4 * math.sin(a * p["spikes"] + t * 12 + p["turn"])
        ring = 1 - abs(r - (0.15 + 0.7 * t)) * 4
        core = (1 - r * 3) * (1 - t)
        return max(ring * flicker, core)
    if element == "water":
        wave_ = math.cos((r * p["rings"] - t * 2) * 2 * math.pi)
        return max(0.0, wave_) * (1 - r) * (1.2 - 0.5 * t)
    if element == "wind":
        arm = math.sin(a * p["arms"] + r * p["twist"] - t * 2 * math.pi)
        return max(0.0, arm) ** 2 * (1 - r) ** 0.5 * (0.4 + r)
    if element == "earth":
        edge = (0.25 + 0.55 * t) * (0.8 + 0.2 * math.cos(a * p["corners"] + p["turn"]))
        if r > edge:
            return 0.0
        return 0.35 + 0.6 * (0.5 + 0.5 * math.cos(a - 0.8)) * (1 - r / (edge + 0.01) * 0.5)
    if element == "light":
        ray = max(0.0, math.cos(a * p["rays"] + t * math.pi)) ** 8 * (1 - r)
        glow = max(0.0, 1 - r / (0.2 + 0.3 * math.sin(t * math.pi)))
        return max(ray * (0.5 + t), glow)
    # dark: an orb with a crescent turning round it
    orb = max(0.0, 1 - abs(r - 0.45) * 5) * (0.5 + 0.5 * math.cos(a - t * 2 * math.pi))
    core = max(0.0, 0.35 - r) * 2 * (0.5 + 0.5 * math.sin(t * math.pi * 2))
    return max(orb, core)


def draw_strip(element, width, height, variation, seed):
    """Rows of palette indices, top row first."""
    cell = cell_size(width, height)
    columns, rows = width // cell, height // cell
    frames = columns * rows
    table = polar(cell)
    pixels = [bytearray(width) for _ in range(height)]
    for frame in range(frames):
        t = frame / max(1, frames - 1) if frames > 1 else 0.5
        ox, oy = (frame % columns) * cell, (frame // columns) * cell
        for y in range(cell):
            row = pixels[oy + y]
            polar_row = table[y]
            for x in range(cell):
                r, a = polar_row[x]
                v = shape(element, r, a, t, variation)
                if v > 0.06:
                    row[ox + x] = 1 + min(254, int(v * 254))
    return pixels


def write_bmp(path, pixels, colours):
    height, width = len(pixels), len(pixels[0])
    stride = (width + 3) & ~3
    body = b"".join(bytes(pixels[y]) + b"\0" * (stride - width) for y in reversed(range(height)))
    offset = 14 + 40 + len(colours)
    header = b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(body), 2835, 2835, 256, 0)
    with open(path, "wb") as f:
        f.write(header + info + colours + body)


def variation_for(index):
    rnd = random.Random(index * 7919)
    return {
        "spikes": rnd.randint(5, 11),
        "turn": rnd.uniform(0, math.pi),
        "rings": rnd.uniform(2.5, 5.0),
        "arms": rnd.randint(2, 5),
        "twist": rnd.uniform(3, 9),
        "corners": rnd.randint(4, 7),
        "rays": rnd.randint(4, 9),
    }


def make_pictures(game):
    stock = os.path.join(game, "Default", "Picture")
    own = os.path.join(game, "Picture")
    os.makedirs(stock, exist_ok=True)
    os.makedirs(own, exist_ok=True)
    for index in range(48):
        element = ELEMENTS[index // 8]
        width, height = LAYOUTS[index % 8]
        pixels = draw_strip(element, width, height, variation_for(index), index)
        write_bmp(os.path.join(stock, "MAGIC%d.BMP" % index), pixels, palette(PALETTES[element]))
        # A few replacements in other colours in the game's own directory.
        if index % 8 in (0, 4) and index < 24:
            write_bmp(os.path.join(own, "MAGIC%d.BMP" % index), pixels, palette(ALTERNATE))


# --- Sounds -----------------------------------------------------------------

RATE = 11025


def read_names(path):
    """The sound names of one SoundFileName file: every non-empty line but a
    last line "End"."""
    try:
        with open(path, "rb") as f:
            text = f.read().split(b"\0", 1)[0].decode("cp932", errors="replace")
    except OSError:
        return []
    lines = text.replace("\r\n", "\n").replace("\r", "\n").split("\n")
    while lines and lines[-1] == "":
        lines.pop()
    if lines and lines[-1] == "End":
        lines.pop()
    names = []
    for line in lines:
        name = line.strip()
        if name and not any(c in name for c in '\\/:*?"<>|') and name not in (".", ".."):
            names.append(name)
    return names


def data_sets(game):
    """Subdirectories holding an entry named Config."""
    found = []
    for entry in sorted(os.listdir(game)):
        path = os.path.join(game, entry)
        if os.path.isdir(path) and os.path.exists(os.path.join(path, "Config")):
            found.append(path)
    return found


def synthesise(name):
    """About half a second of 16-bit mono sound whose character follows the
    element the name begins with (any other name gets a chime of its own)."""
    rnd = random.Random(zlib.crc32(name.encode("utf-8")))
    kind = next((e for e in ELEMENTS if name.lower().startswith(e)), None)
    seconds = rnd.uniform(0.35, 0.8)
    count = int(RATE * seconds)
    base = rnd.uniform(0.8, 1.25)
    samples = []
    noise = 0.0
    phase = phase2 = 0.0
    for i in range(count):
        t = i / RATE
        p = i / count
        envelope = min(1.0, t * 80) * (1 - p) ** 1.5
        if kind == "fire":  # crackling noise over a low roar
            crackle = rnd.uniform(-1, 1) if rnd.random() < 0.08 else 0.0
            noise = noise * 0.9 + rnd.uniform(-1, 1) * 0.1
            phase += 2 * math.pi * 90 * base / RATE
            v = 0.6 * crackle + 1.5 * noise + 0.3 * math.sin(phase)
        elif kind == "water":  # falling bubbles
            freq = (500 + 400 * math.sin(t * 40 * base)) * (1.2 - p)
            phase += 2 * math.pi * freq / RATE
            v = math.sin(phase) * (0.6 + 0.4 * math.sin(t * 25))
        elif kind == "wind":  # a swelling whoosh of smoothed noise
            noise = noise * 0.97 + rnd.uniform(-1, 1) * 0.03
            v = noise * 6 * math.sin(math.pi * p)
            envelope = min(1.0, t * 10) * (1 - p)
        elif kind == "earth":  # a low rumble with thuds
            noise = noise * 0.995 + rnd.uniform(-1, 1) * 0.005
            phase += 2 * math.pi * 45 * base / RATE
            v = 8 * noise + 0.6 * math.sin(phase) * (1 if (t * 8) % 1 < 0.3 else 0.3)
        elif kind == "light":  # a bright rising chime
            phase += 2 * math.pi * 880 * base * (1 + p * 0.5) / RATE
            phase2 += 2 * math.pi * 1320 * base * (1 + p * 0.5) / RATE
            v = 0.6 * math.sin(phase) + 0.4 * math.sin(phase2)
        elif kind == "dark":  # a sinking, wavering drone
            phase += 2 * math.pi * (220 * base * (1 - 0.6 * p) + 8 * math.sin(t * 30)) / RATE
            v = math.sin(phase) + 0.3 * math.sin(3 * phase)
        else:
            phase += 2 * math.pi * 660 * base / RATE
            v = math.sin(phase) * (0.7 + 0.3 * math.sin(t * 50))
        samples.append(max(-1.0, min(1.0, v * envelope * 0.7)))
    return b"".join(struct.pack("<h", int(s * 32000)) for s in samples)


def write_wave(path, frames):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def make_sounds(game):
    sets = data_sets(game)
    lists = [os.path.join(game, "Default", "Data", "SoundFileName"),
             os.path.join(game, "Data", "SoundFileName")]
    lists += [os.path.join(s, "Data", "SoundFileName") for s in sets]
    names = []
    for path in lists:
        for name in read_names(path):
            if name not in names:
                names.append(name)
    if not names:
        names = ["%s%02d" % (e, n) for e in ELEMENTS for n in range(1, 9)]

    targets = [os.path.join(game, "Music&Sound"), os.path.join(game, "Default", "Music&Sound")]
    targets += [os.path.join(s, "Music&Sound") for s in sets if os.path.abspath(s) not in
                (os.path.abspath(os.path.join(game, "Default")),)]
    for directory in targets:
        os.makedirs(directory, exist_ok=True)
    for name in names:
        frames = synthesise(name)
        for directory in targets:
            write_wave(os.path.join(directory, name + ".wav"), frames)
    return names


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: make-demo-media.py GAMEDIR\n")
        return 2
    game = sys.argv[1]
    os.makedirs(game, exist_ok=True)
    make_pictures(game)
    names = make_sounds(game)
    print("make-demo-media: 48 pictures, %d sounds in %s" % (len(names), game))
    return 0


if __name__ == "__main__":
    sys.exit(main())
