#!/usr/bin/env python3
"""Draws the applet's icon (also the font manager's): a page with a large
blue T over a grey one, the TrueType mark of the font list, and a small
"Aa" sample, in 32 x 32 and 16 x 16, 16 colours. Run it here after changing
the drawing; zel95.ico is committed beside it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                '..', '..', 'fontmanager', 'res'))
from make_bitmaps import (BLACK, GREY, NAVY, BLUE, WHITE, SILVER, CLEAR,  # noqa: E402
                          Picture, save_icon)


def large():
    p = Picture(32, 32, CLEAR)
    # The page with its top right corner folded down.
    p.rect(4, 1, 27, 30, WHITE)
    for y in range(1, 6):
        p.rect(22 + y, 1, 27, y, CLEAR)
    p.rect(23, 2, 26, 5, SILVER)
    for i in range(6):
        p.put(22 + i, 1 + i, BLACK)
        p.rect(23 + i, 1 + i, 27, 1 + i, CLEAR)
    p.rect(22, 1, 22, 6, BLACK)
    p.rect(22, 6, 27, 6, BLACK)
    p.rect(4, 1, 22, 1, BLACK)
    p.rect(4, 1, 4, 30, BLACK)
    p.rect(4, 30, 27, 30, BLACK)
    p.rect(27, 6, 27, 30, BLACK)
    # Its shadow.
    p.rect(28, 7, 28, 31, GREY)
    p.rect(5, 31, 28, 31, GREY)
    # The two letters T.
    p.rect(7, 5, 18, 7, GREY)
    p.rect(11, 8, 14, 18, GREY)
    p.rect(12, 10, 24, 12, BLUE)
    p.rect(16, 13, 19, 23, BLUE)
    # "Aa" at the foot of the page.
    p.art(7, 21, [
        "..N.....",
        ".N.N....",
        "N...N.NN",
        "NNNNN...",
        "N...N.NN",
        "N...NN.N",
        "N...N.NN",
    ], {'N': NAVY})
    return p


def small():
    p = Picture(16, 16, CLEAR)
    p.rect(2, 0, 12, 15, WHITE)
    p.frame(2, 0, 12, 15, BLACK)
    p.rect(13, 1, 13, 15, GREY)
    p.rect(3, 15, 13, 15, GREY)
    p.rect(2, 15, 12, 15, BLACK)
    p.rect(3, 2, 8, 3, GREY)
    p.rect(5, 4, 6, 9, GREY)
    p.rect(6, 5, 11, 6, BLUE)
    p.rect(8, 7, 9, 13, BLUE)
    return p


if __name__ == '__main__':
    save_icon('zel95.ico', [large(), small()])
