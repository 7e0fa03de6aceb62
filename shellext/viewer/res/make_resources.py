#!/usr/bin/env python3
"""Draws the viewer's cursors (an open hand and a closed one for dragging)
and the two program icons (a framed landscape, and the same landscape with a
glint that the About box flashes). Run it here after changing a drawing; the
.cur and .ico files are committed beside it."""
import math
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                '..', '..', 'fontmanager', 'res'))
from make_bitmaps import (BLACK, GREEN, SILVER, GREY, LIME, YELLOW, BLUE, AQUA,  # noqa: E402
                          WHITE, CLEAR, Picture, save_icon)

SIZE = 32


def segment_capsule(ax, ay, bx, by, radius):
    """The pixels within `radius` of the segment from a to b."""
    pixels = set()
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = bx - ax, by - ay
            t = ((x - ax) * dx + (y - ay) * dy) / float(dx * dx + dy * dy or 1)
            t = max(0.0, min(1.0, t))
            if math.hypot(x - (ax + t * dx), y - (ay + t * dy)) <= radius:
                pixels.add((x, y))
    return pixels


def rounded_rect(x0, y0, x1, y1):
    pixels = {(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)}
    return pixels - {(x0, y0), (x1, y0), (x0, y1), (x1, y1)}


def border(shape):
    return {(x, y) for (x, y) in shape
            if any(n not in shape for n in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)))}


def hand(palm, fingers):
    """A white hand outlined in black: the outline of the whole, plus each
    finger's own outline where it lies outside the palm's inside."""
    whole = set(palm)
    for finger in fingers:
        whole |= finger
    palm_inside = palm - border(palm)
    black = border(whole)
    for finger in fingers:
        black |= border(finger) - palm_inside
    rows = []
    for y in range(SIZE):
        row = ''
        for x in range(SIZE):
            row += '#' if (x, y) in black else 'o' if (x, y) in whole else '.'
        rows.append(row)
    return rows


def open_hand():
    palm = rounded_rect(9, 15, 25, 27)
    fingers = [segment_capsule(x, top, x, 17, 2.0) for x, top in
               ((11, 7), (15, 4), (19, 5), (23, 8))]
    fingers.append(segment_capsule(4, 13, 10, 21, 2.0))
    return hand(palm, fingers)


def closed_hand():
    palm = rounded_rect(9, 15, 25, 27)
    fingers = [segment_capsule(x, 13, x, 17, 2.0) for x in (11, 15, 19, 23)]
    fingers.append(segment_capsule(7, 18, 12, 21, 2.0))
    return hand(palm, fingers)


def write_cursor(path, rows, hotspot):
    """A 32 x 32 two-colour cursor: '#' black, 'o' white, '.' transparent."""
    xor, mask = bytearray(), bytearray()
    for row in reversed(rows):
        xor_bits = mask_bits = 0
        for x, ch in enumerate(row):
            bit = 1 << (31 - x)
            if ch == 'o':
                xor_bits |= bit
            elif ch == '.':
                mask_bits |= bit
        xor += struct.pack('>I', xor_bits)
        mask += struct.pack('>I', mask_bits)
    colours = struct.pack('<BBBB', 0, 0, 0, 0) + struct.pack('<BBBB', 255, 255, 255, 0)
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    image = info + colours + bytes(xor) + bytes(mask)
    header = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 22)
    with open(path, 'wb') as f:
        f.write(header + entry + image)


def landscape(glint):
    """A framed picture: sky, sun, hills; with `glint`, a star of light on it."""
    p = [[SILVER] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            p[y][x] = colour

    for y in range(3, 27):
        for x in range(3, 29):
            put(x, y, BLUE if y < 12 else AQUA)
    for y in range(3, 27):
        for x in range(3, 29):
            if math.hypot(x - 21, y - 10) <= 3.5:
                put(x, y, YELLOW)
            hill = 19 - 5 * math.sin((x - 3) / 26.0 * math.pi)
            far = 22 - 3 * math.cos((x - 3) / 9.0)
            if y >= far:
                put(x, y, GREEN)
            if y >= hill and x < 18:
                put(x, y, LIME if y < hill + 2 else GREEN)
    for x in range(2, 30):
        put(x, 2, GREY)
        put(x, 27, WHITE)
    for y in range(2, 28):
        put(2, y, GREY)
        put(29, y, WHITE)
    for x in range(0, 32):
        put(x, 0, BLACK)
        put(x, 29, BLACK)
    for y in range(0, 30):
        put(0, y, BLACK)
        put(31, y, BLACK)
    if glint:
        cx, cy = 21, 10
        for d in range(-7, 8):
            put(cx + d, cy, WHITE)
            put(cx, cy + d, WHITE)
        for d in range(-3, 4):
            put(cx + d, cy + d, WHITE)
            put(cx + d, cy - d, WHITE)
        put(cx, cy, YELLOW)
    return p


def write_icon(path, pixels):
    """A 32 x 32 16-colour icon; rows 30 and 31 are transparent."""
    p = Picture(SIZE, SIZE, BLACK)
    p.pixels = [list(row) if y < 30 else [CLEAR] * SIZE for y, row in enumerate(pixels)]
    save_icon(path, [p])


if __name__ == '__main__':
    write_cursor('ViewerHand.cur', open_hand(), (16, 16))
    write_cursor('ViewerHandClosed.cur', closed_hand(), (16, 18))
    write_icon('ViewerProgram.ico', landscape(False))
    write_icon('ViewerGlint.ico', landscape(True))
    for name, rows in (('open', open_hand()), ('closed', closed_hand())):
        print(name)
        print('\n'.join(rows))
