#!/usr/bin/env python3
"""Draws the showcase's two icons (32 x 32 and 16 x 16, 16 colours): a glossy
bubble in the program's blue, and one in green for the plain sample form; the
skin creator's own icon (the same sizes): a small window in the creator's
colours, teal caption with a copper close button; and the creator's live
preview art: the sample form icon (16 x 16, 16 colours, an orange bubble) and
the eyedropper pointer (32 x 32, 16 colours), a circular cross-hair with tick
marks, its hot spot on the centre of the cross.
Usage: make_icons.py SHOWCASE_FOLDER CREATOR_FOLDER"""
import math
import struct
import sys

# The 16-colour palette (red, green, blue).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def bubble(size, dark, mid, light):
    """Palette indices and a mask: a sphere shaded from `dark` to `light` with a
    white highlight, dithered between neighbouring shades."""
    shades = [dark, mid, light, 15]
    pixels, mask = [], []
    r = size / 2 - 0.5
    for y in range(size):
        row, mrow = [], []
        for x in range(size):
            dx, dy = (x - r) / r, (y - r) / r
            inside = dx * dx + dy * dy <= 1.0
            mrow.append(0 if inside else 1)
            if not inside:
                row.append(0)
                continue
            # Light from the upper left; a highlight near it.
            lit = max(0.0, 0.38 - 0.3 * dx - 0.38 * dy)
            hx, hy = dx + 0.35, dy + 0.45
            if hx * hx * 2.2 + hy * hy * 4.0 < 0.12:
                lit = 1.0
            level = min(2.999, lit * 3.0)
            base = int(level)
            frac = level - base
            pick = base + (1 if frac * 16 > BAYER[y % 4][x % 4] else 0)
            edge = math.sqrt(dx * dx + dy * dy)
            row.append(0 if edge > 0.94 else shades[min(pick, 3)])
        pixels.append(row)
        mask.append(mrow)
    return pixels, mask


def skinned_window(size):
    """Palette indices and a mask of a window outlined in black, its top corners
    rounded: a teal caption with an aqua gloss line and a copper close button at
    its right, teal borders, a white body."""
    caption = size * 3 // 8
    r = (caption - 3) / 2  # the close button's radius
    cx, cy = size - 3 - r, (caption + 1) / 2
    pixels, mask = [], []
    for y in range(size):
        row, mrow = [], []
        for x in range(size):
            corner = y == 0 and x in (0, size - 1)
            mrow.append(1 if corner else 0)
            if corner or x in (0, size - 1) or y in (0, size - 1, caption):
                row.append(0)
            elif math.hypot(x - cx, y - cy) <= r:
                lit = (x - cx) + (y - cy) < -r / 2
                row.append(9 if lit else 1)  # red gloss on maroon
            elif y < caption:
                row.append(14 if y == 1 else 6)
            elif x in (1, size - 2) or y == size - 2:
                row.append(6)
            else:
                row.append(15)
        pixels.append(row)
        mask.append(mrow)
    return pixels, mask


def image_bytes(size, pixels, mask):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = b''
    for y in reversed(range(size)):
        row = bytearray(xor_stride)
        for x in range(size):
            row[x // 2] |= pixels[y][x] << (4 if x % 2 == 0 else 0)
        xor += bytes(row)
    andm = b''
    for y in reversed(range(size)):
        row = bytearray(and_stride)
        for x in range(size):
            if mask[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        andm += bytes(row)
    return header + palette + xor + andm


def icon(dark, mid, light, sizes=(32, 16)):
    return icon_file([image_bytes(s, *bubble(s, dark, mid, light)) for s in sizes], sizes)


def icon_file(images, sizes):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def crosshair():
    """Palette indices and a mask of the cross-hair: black lines with a white
    rim so that it shows on any colour, a gap at the centre."""
    size, c, radius = 32, 16, 9
    ink = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            on_ring = abs(d - radius) < 0.6
            on_cross = (x == c or y == c) and 3 <= max(abs(x - c), abs(y - c)) <= 14
            if on_ring or on_cross:
                ink[y][x] = 0
    # The white rim: every free pixel beside a black one.
    for y in range(size):
        for x in range(size):
            if ink[y][x] is None and any(
                    0 <= y + dy < size and 0 <= x + dx < size and ink[y + dy][x + dx] == 0
                    for dy in (-1, 0, 1) for dx in (-1, 0, 1)):
                ink[y][x] = 15
    pixels = [[0 if v is None else v for v in row] for row in ink]
    mask = [[1 if v is None else 0 for v in row] for row in ink]
    return pixels, mask


def cursor(hot_x, hot_y):
    data = image_bytes(32, *crosshair())
    out = struct.pack('<HHH', 0, 2, 1)
    out += struct.pack('<BBBBHHII', 32, 32, 16, 0, hot_x, hot_y, len(data), 6 + 16)
    return out + data


if __name__ == '__main__':
    folder = sys.argv[1]
    with open(folder + '/Showcase.ico', 'wb') as f:
        f.write(icon(4, 12, 14))  # navy, blue, aqua
    with open(folder + '/CleanFrm.ico', 'wb') as f:
        f.write(icon(2, 10, 11))  # green, lime, yellow
    with open(sys.argv[2] + '/Creator.ico', 'wb') as f:
        f.write(icon_file([image_bytes(s, *skinned_window(s)) for s in (32, 16)], (32, 16)))
    with open(sys.argv[2] + '/SampleIcon.ico', 'wb') as f:
        f.write(icon(1, 9, 11, (16,)))  # maroon, red, yellow
    with open(sys.argv[2] + '/Crosshair.cur', 'wb') as f:
        f.write(cursor(16, 16))
