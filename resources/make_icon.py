#!/usr/bin/env python3
"""Draws the program's icon, a blue shield with a white play mark, and writes
jingying.ico beside this script: 128, 64, 48, 32, 24 and 16 pixel images with a
256-colour palette. Same output on every run."""

import math
import struct
from pathlib import Path

SIZES = (128, 64, 48, 32, 24, 16)
SAMPLES = 4  # per pixel and axis, for smooth edges

TOP, BOTTOM, HALF_WIDTH = 0.07, 0.95, 0.38
SHOULDER = 0.50
RIM = 0.045
PLAY = ((0.40, 0.31), (0.40, 0.69), (0.70, 0.50))


def fill_colour(shade):
    return (int(40 + 20 * shade), int(150 - 70 * shade), int(230 - 60 * shade))


def palette():
    """A 6x6x6 colour cube for the edges, the shield's gradient in 32 steps so it
    shows no bands, and 8 greys."""
    colours = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    colours += [fill_colour(i / 31) for i in range(32)]
    colours += [(round(i * 255 / 9),) * 3 for i in range(1, 9)]
    return colours


def shield_half_width(y):
    if y < TOP or y > BOTTOM:
        return -1.0
    if y <= SHOULDER:
        return HALF_WIDTH
    t = (y - SHOULDER) / (BOTTOM - SHOULDER)
    return HALF_WIDTH * math.cos(t * math.pi / 2) ** 0.8


def inside_shield(x, y, inset=0.0):
    return abs(x - 0.5) <= shield_half_width(y) - inset and TOP + inset <= y <= BOTTOM - inset


def inside_play(x, y):
    (ax, ay), (bx, by), (cx, cy) = PLAY
    def side(px, py, qx, qy):
        return (qx - px) * (y - py) - (qy - py) * (x - px)
    d1, d2, d3 = side(ax, ay, bx, by), side(bx, by, cx, cy), side(cx, cy, ax, ay)
    return (d1 <= 0 and d2 <= 0 and d3 <= 0) or (d1 >= 0 and d2 >= 0 and d3 >= 0)


def colour_at(x, y):
    """None outside the artwork."""
    if not inside_shield(x, y):
        return None
    if not inside_shield(x, y, RIM):
        return (16, 58, 120)
    if inside_play(x, y):
        return (255, 255, 255)
    return fill_colour((y - TOP) / (BOTTOM - TOP))


def render(size):
    """Rows top to bottom of (colour or None) per pixel."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = []
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    colour = colour_at(x, y)
                    if colour is not None:
                        hits.append(colour)
            if len(hits) * 2 < SAMPLES * SAMPLES:
                row.append(None)
            else:
                row.append(tuple(sum(c[i] for c in hits) // len(hits) for i in range(3)))
        rows.append(row)
    return rows


def nearest(colours, colour):
    return min(range(len(colours)),
               key=lambda i: sum((colours[i][k] - colour[k]) ** 2 for k in range(3)))


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def image_entry(size, colours):
    rows = render(size)
    cache = {}
    pixels = b""
    mask = b""
    for row in reversed(rows):  # bitmaps are stored bottom-up
        indices = bytearray()
        bits = 0
        mask_row = bytearray()
        for px, colour in enumerate(row):
            if colour is None:
                indices.append(0)
                bits |= 0x80 >> (px % 8)
            else:
                if colour not in cache:
                    cache[colour] = nearest(colours, colour)
                indices.append(cache[colour])
            if px % 8 == 7 or px == size - 1:
                mask_row.append(bits)
                bits = 0
        pixels += padded(bytes(indices))
        mask += padded(bytes(mask_row))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, len(pixels) + len(mask),
                         0, 0, 256, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
    return header + table + pixels + mask


def icon_file():
    colours = palette()
    images = [image_entry(size, colours) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 8, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    target = Path(__file__).resolve().parent / "jingying.ico"
    target.write_bytes(icon_file())
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
