#!/usr/bin/env python3
"""Draws the font manager's bitmaps (TrueType marks, toolbar glyphs, the
About picture) as 16-colour BMP files. Run it here after changing a drawing;
the BMP files are committed beside it."""
import math
import struct

# The 16 colours of the standard VGA palette, as the system's 16-colour
# bitmaps use them.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


CLEAR = -1  # in icons: transparent, the mask bit set and the colour bits black


class Picture:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners x0,y0 and x1,y1 (inclusive)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def art(self, x0, y0, rows, colours):
        """Draws ASCII art; each character maps to a colour, '.' is left alone."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != '.':
                    self.put(x0 + dx, y0 + dy, colours[ch])

    def save(self, path):
        row_bytes = ((self.width + 1) // 2 + 3) & ~3
        image = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for x in range(0, self.width, 2):
                high = row[x]
                low = row[x + 1] if x + 1 < self.width else 0
                line.append(high << 4 | low)
            line.extend(b'\0' * (row_bytes - len(line)))
            image.extend(line)
        palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
        offset = 14 + 40 + len(palette)
        header = struct.pack('<2sIHHI', b'BM', offset + len(image), 0, 0, offset)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 4, 0, len(image),
                           3780, 3780, 16, 16)
        with open(path, 'wb') as f:
            f.write(header + info + palette + image)


def icon_image(p):
    """The BITMAPINFOHEADER, colour table, colour bits and mask of one image."""
    colour_row = ((p.width + 1) // 2 + 3) & ~3
    mask_row = ((p.width + 7) // 8 + 3) & ~3
    colours = bytearray()
    mask = bytearray()
    for row in reversed(p.pixels):
        line = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x, c in enumerate(row):
            if c == CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
                c = BLACK
            line[x // 2] |= c << (0 if x % 2 else 4)
        colours.extend(line)
        mask.extend(bits)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, p.width, p.height * 2, 1, 4, 0,
                       len(colours) + len(mask), 0, 0, 0, 0)
    return info + palette + colours + mask


def save_icon(path, pictures):
    images = [icon_image(p) for p in pictures]
    header = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    for p, image in zip(pictures, images):
        entries += struct.pack('<BBBBHHII', p.width, p.height, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(header + entries + b''.join(images))


def truetype_mark(background, path):
    """Two overlapping letters T: a grey one behind, a blue one in front."""
    p = Picture(13, 13, background)
    p.rect(0, 0, 8, 1, GREY)
    p.rect(3, 2, 5, 9, GREY)
    p.rect(4, 3, 12, 4, BLUE)
    p.rect(7, 5, 9, 12, BLUE)
    p.save(path)


def refresh_glyph(path):
    """A circular arrow."""
    p = Picture(16, 16, SILVER)
    cx, cy = 7.5, 7.5
    for step in range(0, 300, 2):
        a = math.radians(step + 60)
        for r in (4.6, 5.6):
            p.put(int(round(cx + r * math.cos(a))), int(round(cy - r * math.sin(a))), GREEN)
    p.art(9, 0, [
        "GGGGG",
        ".GGGG",
        "..GGG",
        "...GG",
        "....G",
    ], {'G': GREEN})
    p.save(path)


def full_sample_glyph(path):
    """A page with a large and a small letter A."""
    p = Picture(16, 16, SILVER)
    p.rect(2, 1, 13, 14, WHITE)
    p.frame(2, 1, 13, 14, BLACK)
    p.art(3, 3, [
        "...BB...",
        "...BB...",
        "..B..B..",
        "..B..B..",
        ".BBBBBB.",
        ".B....B.",
        "B......B",
    ], {'B': BLACK})
    p.art(9, 10, [
        ".NN.",
        "N..N",
        "NNNN",
    ], {'N': NAVY})
    p.save(path)


def add_glyph(path):
    """A page with a green plus: install."""
    p = Picture(16, 16, SILVER)
    p.rect(1, 1, 10, 14, WHITE)
    p.frame(1, 1, 10, 14, BLACK)
    for y in (4, 7, 10):
        p.rect(3, y, 8, y, GREY)
    p.rect(11, 6, 12, 14, GREEN)
    p.rect(8, 9, 15, 11, GREEN)
    p.save(path)


def remove_glyph(path):
    """A page with a red cross: remove."""
    p = Picture(16, 16, SILVER)
    p.rect(1, 1, 10, 14, WHITE)
    p.frame(1, 1, 10, 14, BLACK)
    for y in (4, 7, 10):
        p.rect(3, y, 8, y, GREY)
    for i in range(7):
        for w in (0, 1):
            p.put(8 + i + w, 8 + i, RED)
            p.put(14 - i + w, 8 + i, RED)
    p.save(path)


# A 5 x 7 alphabet for the few letters the About picture spells.
LETTERS = {
    'Z': ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    'e': [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    'l': [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '9': [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    '5': ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    'A': ["..#..", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#"],
    'a': [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    ' ': ["....."] * 7,
}


def text(p, x, y, word, scale, colour, shadow=None):
    for ch in word:
        for dy, row in enumerate(LETTERS[ch]):
            for dx, bit in enumerate(row):
                if bit == '#':
                    if shadow is not None:
                        p.rect(x + dx * scale + 2, y + dy * scale + 2,
                               x + dx * scale + scale + 1, y + dy * scale + scale + 1, shadow)
                    p.rect(x + dx * scale, y + dy * scale,
                           x + dx * scale + scale - 1, y + dy * scale + scale - 1, colour)
        x += 6 * scale


def about_picture(path):
    """The product picture: the name over bands of blue, with letter samples."""
    p = Picture(178, 133, NAVY)
    bands = [NAVY, BLUE, TEAL, AQUA]
    for y in range(133):
        p.rect(0, y, 177, y, bands[min(3, y * 4 // 133)])
    p.frame(0, 0, 177, 132, WHITE)
    p.frame(2, 2, 175, 130, GREY)
    text(p, 16, 14, "Zel", 6, WHITE, shadow=BLACK)
    text(p, 64, 66, "95", 6, YELLOW, shadow=BLACK)
    text(p, 14, 104, "Aa", 2, WHITE)
    text(p, 142, 104, "Aa", 2, NAVY)
    p.save(path)


if __name__ == '__main__':
    truetype_mark(WHITE, 'ttf.bmp')
    truetype_mark(NAVY, 'ttfsel.bmp')
    refresh_glyph('refresh.bmp')
    full_sample_glyph('fullsample.bmp')
    add_glyph('add.bmp')
    remove_glyph('remove.bmp')
    about_picture('about.bmp')
