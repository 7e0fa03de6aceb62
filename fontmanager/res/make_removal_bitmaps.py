#!/usr/bin/env python3
"""Draws the two pictures of the removal question (the Recycle Bin and a font
page being removed), 32 x 32 in 16 colours, with the drawing tools of
make_bitmaps.py. Run it here; the BMP files are committed beside it."""
from make_bitmaps import (Picture, BLACK, GREY, SILVER, WHITE, RED, MAROON, NAVY, GREEN,
                          LIME, TEAL)


def recycle_bin(path):
    """A wire basket with a green recycling arrow on it."""
    p = Picture(32, 32, SILVER)
    # Rim and body, narrowing to the foot.
    p.rect(5, 5, 26, 7, GREY)
    p.frame(5, 5, 26, 7, BLACK)
    for y in range(8, 29):
        inset = (y - 8) // 7
        left, right = 7 + inset, 24 - inset
        p.put(left, y, BLACK)
        p.put(right, y, BLACK)
        for x in range(left + 1, right):
            p.put(x, y, WHITE if (x + y) % 4 else GREY)
    p.rect(9, 28, 22, 28, BLACK)
    # A crumpled page sticking out at the top.
    p.rect(12, 1, 20, 4, WHITE)
    p.frame(12, 1, 20, 4, GREY)
    # The arrow: three strokes of a triangle.
    p.art(10, 12, [
        "....GG....",
        "...GLLG...",
        "..GL..LG..",
        ".GL....LG.",
        "GL......LG",
        "GGGGGGGGGG",
        "GLLLLLLLLG",
    ], {'G': GREEN, 'L': LIME})
    p.save(path)


def font_remove(path):
    """A font page with a large letter A under a red cross."""
    p = Picture(32, 32, SILVER)
    p.rect(4, 2, 23, 29, WHITE)
    p.frame(4, 2, 23, 29, BLACK)
    p.rect(24, 4, 25, 30, GREY)
    p.rect(6, 30, 25, 31, GREY)
    p.art(7, 6, [
        "......NN......",
        "......NN......",
        ".....N..N.....",
        ".....N..N.....",
        "....N....N....",
        "....N....N....",
        "...NNNNNNNN...",
        "...N......N...",
        "..N........N..",
        "..N........N..",
        ".NN........NN.",
    ], {'N': NAVY})
    p.rect(7, 21, 20, 21, TEAL)
    p.rect(7, 24, 17, 24, TEAL)
    for i in range(12):
        for w in (0, 1, 2):
            p.put(16 + i + w - 1, 14 + i, RED)
            p.put(29 - i + w - 1, 14 + i, MAROON if w == 2 else RED)
    p.save(path)


if __name__ == '__main__':
    recycle_bin('recyclebin.bmp')
    font_remove('fontremove.bmp')
