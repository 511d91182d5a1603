#!/usr/bin/env python3
"""Writes skin01.she ... skin33.she next to this script.

A skin file is ".SHE", NUL, version byte 3, the body's length (uint32 LE), the LZMA
properties (0x5D, dictionary 8 MiB as uint32 LE) and the raw LZMA stream of the body.

The body is a colour theme in "key=value" lines, a blank line and a NUL, then a texture:
a gradient between two theme colours (compresses well), seeded noise (does not) and a
low-entropy tail. Each file must have an exact size, so the noise length is searched first
and the tail length fine-tunes; a salt that changes the noise is the last resort.

Usage: make_skins.py [output folder]
"""

import colorsys
import hashlib
import lzma
import struct
import sys
from pathlib import Path

SKIN_SIZES = [
    15574, 9533, 19786, 19497, 17699, 41098, 12564, 18930, 13192, 24409, 30738,
    8321, 26370, 15733, 12105, 23603, 20863, 16746, 11676, 17997, 12882, 37461,
    30958, 25715, 34523, 28961, 29447, 15562, 20738, 18765, 31134, 44110, 20275,
]

MAGIC = b".SHE\x00"
VERSION = 3
DICT_SIZE = 8 << 20
# lc=3, lp=0, pb=2 encode as (pb * 5 + lp) * 9 + lc = 0x5D.
LZMA_PROPS = bytes([0x5D]) + struct.pack("<I", DICT_SIZE)
# Preset 6's settings spelled out, so that a change of default cannot change the files.
LZMA_FILTERS = [{
    "id": lzma.FILTER_LZMA1, "dict_size": DICT_SIZE, "lc": 3, "lp": 0, "pb": 2,
    "mode": lzma.MODE_NORMAL, "nice_len": 64, "mf": lzma.MF_BT4, "depth": 0,
}]
HEADER_SIZE = len(MAGIC) + 1 + 4 + len(LZMA_PROPS)

GRADIENT_WIDTH = 64
GRADIENT_ROWS = 32
MAX_TAIL = 96
MAX_SALT = 8


def hex_colour(rgb):
    return "#%02X%02X%02X" % rgb


def theme_colours(number):
    """Five colours around one hue per skin, spread evenly over the colour wheel."""
    hue = (number - 1) / len(SKIN_SIZES)

    def colour(saturation, value):
        r, g, b = colorsys.hsv_to_rgb(hue, saturation, value)
        return tuple(round(c * 255) for c in (r, g, b))

    return {
        "face": colour(0.12, 0.92),
        "text": colour(0.60, 0.15),
        "title": colour(0.70, 0.65),
        "border": colour(0.45, 0.45),
        "highlight": colour(0.85, 0.95),
    }


def theme_text(number, colours):
    lines = ["[theme]", "name=jingying-%02d" % number]
    lines += ["%s=%s" % (key, hex_colour(rgb)) for key, rgb in colours.items()]
    lines += ["texture=%dx%d" % (GRADIENT_WIDTH, GRADIENT_ROWS), "", ""]
    return "\r\n".join(lines).encode("ascii") + b"\x00"


def gradient(start, end):
    out = bytearray()
    for row in range(GRADIENT_ROWS):
        for column in range(GRADIENT_WIDTH):
            step = row * GRADIENT_WIDTH + column
            total = GRADIENT_ROWS * GRADIENT_WIDTH - 1
            out += bytes(a + (b - a) * step // total for a, b in zip(start, end))
    return bytes(out)


def noise(seed, length):
    """SHA-256 in counter mode: the same bytes on every Python version."""
    out = bytearray()
    counter = 0
    while len(out) < length:
        out += hashlib.sha256(seed + struct.pack("<I", counter)).digest()
        counter += 1
    return bytes(out[:length])


def tail(length):
    # Two bits of information per byte: each byte adds well under one compressed byte.
    pattern = noise(b"tail", length)
    return bytes(b & 0x03 for b in pattern)


def skin_file(body):
    packed = lzma.compress(body, format=lzma.FORMAT_RAW, filters=LZMA_FILTERS)
    return MAGIC + bytes([VERSION]) + struct.pack("<I", len(body)) + LZMA_PROPS + packed


def make_skin(number):
    target = SKIN_SIZES[number - 1]
    colours = theme_colours(number)
    head = theme_text(number, colours) + gradient(colours["face"], colours["title"])
    for salt in range(MAX_SALT):
        seed = b"jingying-skin-%d-%d" % (number, salt)

        def build(noise_length, tail_length):
            return skin_file(head + noise(seed, noise_length) + tail(tail_length))

        # Noise costs a little over one byte per byte, so a few corrections converge on
        # the longest noise that does not pass the target.
        noise_length = max(0, target - len(build(0, 0)))
        for _ in range(64):
            size = len(build(noise_length, 0))
            if size <= target and len(build(noise_length + 1, 0)) > target:
                break
            noise_length += max(1, target - size) if size < target else -max(1, size - target)
            noise_length = max(0, noise_length)
        for tail_length in range(MAX_TAIL):
            data = build(noise_length, tail_length)
            if len(data) == target:
                return data
            if len(data) > target:
                break
    raise RuntimeError("no body gives skin %d its size of %d bytes" % (number, target))


def skin_name(number):
    return "skin%02d.she" % number


def main(argv):
    out_dir = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent
    out_dir.mkdir(parents=True, exist_ok=True)
    for number in range(1, len(SKIN_SIZES) + 1):
        (out_dir / skin_name(number)).write_bytes(make_skin(number))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
