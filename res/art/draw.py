#!/usr/bin/env python3
"""Draws the program's artwork: the window icons, the toolbar strip, the list's row icons and the
picture of the About page.

Run from the repository root; it rewrites the files under res/. Only the standard library is
used, so the pictures can be redrawn on any machine."""

import struct
import sys
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent

MAGENTA = (255, 0, 255)
FACE = (192, 192, 192)  # the toolbar maps this grey to the button face colour
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
LINE = (96, 112, 160)
YELLOW = (240, 200, 64)
YELLOW_DARK = (176, 128, 24)
RED = (220, 24, 24)
GREEN = (32, 160, 64)
BLUE = (40, 96, 200)
ORANGE = (240, 128, 32)


class Canvas:
    """A picture drawn in the coordinates of its 100 % size. At a larger scale every shape is
    drawn again at that size, with strokes as thick as one pixel of 100 % (rounded), rather than
    the small picture stretched."""

    def __init__(self, w, h, fill, scale=1):
        self.scale = scale
        self.w, self.h = round(w * scale), round(h * scale)
        self.stroke = max(1, round(scale))
        self.px = [[fill for _ in range(self.w)] for _ in range(self.h)]

    def at(self, v):
        return int(v * self.scale)

    def fill(self, x0, y0, x1, y1, c):
        """Fills device pixels x0..x1, y0..y1."""
        for y in range(max(0, y0), min(self.h - 1, y1) + 1):
            for x in range(max(0, x0), min(self.w - 1, x1) + 1):
                self.px[y][x] = c

    def dot(self, x, y, c):
        """A stroke's pixel at device x, y (its top-left corner)."""
        self.fill(x, y, x + self.stroke - 1, y + self.stroke - 1, c)

    def set(self, x, y, c):
        self.dot(self.at(x), self.at(y), c)

    def rect(self, x0, y0, x1, y1, c):
        self.fill(self.at(x0), self.at(y0), self.at(x1 + 1) - 1, self.at(y1 + 1) - 1, c)

    def frame(self, x0, y0, x1, y1, c):
        left, top = self.at(x0), self.at(y0)
        right, bottom = self.at(x1 + 1) - self.stroke, self.at(y1 + 1) - self.stroke
        for x in range(left, right + 1):
            self.dot(x, top, c)
            self.dot(x, bottom, c)
        for y in range(top, bottom + 1):
            self.dot(left, y, c)
            self.dot(right, y, c)

    def line(self, x0, y0, x1, y1, c):
        # From the stroke pixel of one end to the other's, in device pixels.
        a, b = self.at(x0), self.at(y0)
        e, f = self.at(x1), self.at(y1)
        n = max(abs(e - a), abs(f - b), 1)
        for i in range(n + 1):
            self.dot(round(a + (e - a) * i / n), round(b + (f - b) * i / n), c)



def document(c, ox, oy, w, h, lines=True):
    c.rect(ox, oy, ox + w - 1, oy + h - 1, WHITE)
    c.frame(ox, oy, ox + w - 1, oy + h - 1, GREY)
    fold = max(2, w // 4)
    for i in range(fold):
        c.set(ox + w - 1 - i, oy + fold - 1 - i, GREY)
    if lines:
        for y in range(oy + 3, oy + h - 2, 2):
            c.line(ox + 2, y, ox + w - 3, y, LINE)


def folder(c, ox, oy):
    c.rect(ox + 1, oy + 3, ox + 6, oy + 4, YELLOW_DARK)
    c.rect(ox + 1, oy + 5, ox + 14, oy + 13, YELLOW)
    c.frame(ox + 1, oy + 5, ox + 14, oy + 13, YELLOW_DARK)


def check(c, ox, oy):
    for dx, dy in ((0, 0), (1, 1), (2, 2), (3, 1), (4, 0), (5, -1), (6, -2), (7, -3)):
        c.set(ox + dx, oy + dy, RED)
        c.set(ox + dx, oy + dy + 1, RED)


def arrow_right(c, x0, y, x1, col):
    for t in range(2):
        c.line(x0, y + t, x1, y + t, col)
    for i in range(4):
        c.line(x1 - i, y - i, x1 - i, y + 1 + i, col)


def row_icons(scale):
    c = Canvas(80, 16, MAGENTA, scale)
    folder(c, 0, 0)
    document(c, 16 + 3, 1, 10, 14)
    folder(c, 32, 0)
    check(c, 32 + 6, 10)
    document(c, 48 + 3, 1, 10, 14)
    check(c, 48 + 6, 10)
    document(c, 64 + 3, 1, 10, 14)
    for y in range(4, 14, 2):
        c.line(64 + 5, y, 64 + 10, y, BLACK)
    return c


def floppy(c, ox, oy):
    c.rect(ox + 1, oy + 1, ox + 14, oy + 13, BLUE)
    c.rect(ox + 4, oy + 1, ox + 11, oy + 5, WHITE)
    c.rect(ox + 9, oy + 2, ox + 10, oy + 4, BLUE)
    c.rect(ox + 3, oy + 8, ox + 12, oy + 13, WHITE)
    c.line(ox + 4, oy + 10, ox + 11, oy + 10, LINE)
    c.line(ox + 4, oy + 12, ox + 11, oy + 12, LINE)


def undo_arrow(c, ox, oy):
    # a bow from the right, bending back to the left, with its head at the left end
    c.line(ox + 12, oy + 12, ox + 13, oy + 10, BLUE)
    c.line(ox + 13, oy + 10, ox + 13, oy + 7, BLUE)
    c.line(ox + 13, oy + 7, ox + 11, oy + 5, BLUE)
    c.line(ox + 11, oy + 5, ox + 4, oy + 5, BLUE)
    for i in range(4):
        c.line(ox + 1 + i, oy + 5 - i, ox + 1 + i, oy + 5 + i, BLUE)


def toolbar(scale):
    c = Canvas(224, 15, FACE, scale)
    # 0: mode change, a small and a large window with an arrow between them
    c.rect(1, 2, 6, 7, WHITE)
    c.frame(1, 2, 6, 7, BLUE)
    c.rect(8, 5, 14, 13, WHITE)
    c.frame(8, 5, 14, 13, BLUE)
    c.line(9, 7, 13, 7, LINE)
    c.line(9, 9, 13, 9, LINE)
    # a bent arrow from the small window down and over to the large one
    c.line(3, 9, 3, 12, BLACK)
    c.line(3, 12, 7, 12, BLACK)
    c.line(6, 10, 6, 14, BLACK)
    c.line(5, 11, 5, 13, BLACK)
    # 1: always on top, a window with a pin
    c.rect(16 + 2, 5, 16 + 13, 13, WHITE)
    c.frame(16 + 2, 5, 16 + 13, 13, BLUE)
    c.rect(16 + 6, 1, 16 + 9, 4, RED)
    c.line(16 + 7, 5, 16 + 7, 9, BLACK)
    # 2: export to file, an arrow into a sheet
    document(c, 32 + 7, 1, 8, 13)
    arrow_right(c, 32 + 0, 7, 32 + 8, GREEN)
    # 3: import from file, an arrow out of a sheet
    document(c, 48 + 1, 1, 8, 13)
    arrow_right(c, 48 + 6, 7, 48 + 14, ORANGE)
    # 4: new, a blank sheet
    document(c, 64 + 3, 1, 10, 13, lines=False)
    # 5: open, a folder with a sheet coming out of it
    document(c, 80 + 6, 0, 8, 8, lines=False)
    folder(c, 80, 1)
    # 6: rename (the names written), a disk
    floppy(c, 96, 0)
    # 7: restore, an arrow bending back
    undo_arrow(c, 112, 0)
    return c


def app_icon(size):
    c = Canvas(size, size, None)
    s = size / 32
    document(c, int(4 * s), int(2 * s), int(20 * s), int(28 * s))
    y = int(20 * s)
    thick = max(1, int(2 * s))
    x0, x1 = int(10 * s), int(29 * s)
    for t in range(thick + 1):
        c.line(x0, y + t, x1, y + t, GREEN)
    for i in range(int(6 * s)):
        c.line(x1 - i, y - i, x1 - i, y + thick + i, GREEN)
    return c


def about_picture():
    """A stack of names going out to another tool and coming back renamed."""
    c = Canvas(150, 42, FACE)
    c.rect(0, 0, 149, 41, WHITE)
    c.frame(0, 0, 149, 41, LINE)
    for i in range(3):
        document(c, 8 + i * 4, 6 + i * 3, 18, 24)
    arrow_right(c, 38, 20, 66, BLUE)
    # the tool: a window with a caption bar and lines of text
    c.rect(70, 8, 90, 33, WHITE)
    c.frame(70, 8, 90, 33, BLUE)
    c.rect(71, 9, 89, 11, BLUE)
    for y in range(15, 32, 3):
        c.line(73, y, 87, y, LINE)
    arrow_right(c, 94, 20, 112, GREEN)
    for i in range(3):
        document(c, 116 + i * 4, 6 + i * 3, 18, 24)
    check(c, 128, 26)
    return c


def bmp24(c):
    row = (c.w * 3 + 3) & ~3
    data = bytearray()
    for y in range(c.h - 1, -1, -1):
        line = bytearray()
        for x in range(c.w):
            r, g, b = c.px[y][x]
            line += bytes((b, g, r))
        line += b"\0" * (row - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def bmp8(c):
    """An 8-bit bitmap with a colour table. The toolbar maps the table's standard greys, black and
    white to the system's button colours and then takes the button face as transparent; it can
    only do that through a colour table, so a true-colour strip would keep grey boxes wherever
    the face colour is not exactly that grey."""
    colours = []
    for y in range(c.h):
        for x in range(c.w):
            if c.px[y][x] not in colours:
                colours.append(c.px[y][x])
    assert len(colours) <= 256
    row = (c.w + 3) & ~3
    data = bytearray()
    for y in range(c.h - 1, -1, -1):
        line = bytearray(colours.index(c.px[y][x]) for x in range(c.w))
        line += b"\0" * (row - len(line))
        data += line
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, 8, 0, len(data), 2835, 2835,
                       len(colours), 0)
    return header + info + table + bytes(data)


def ico(*canvases):
    images = []
    for c in canvases:
        xor = bytearray()
        mask_row = ((c.w + 31) // 32) * 4
        mask = bytearray()
        for y in range(c.h - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(c.w):
                p = c.px[y][x]
                if p is None:
                    xor += b"\0\0\0\0"
                    bits[x // 8] |= 0x80 >> (x % 8)
                else:
                    r, g, b = p
                    xor += bytes((b, g, r, 255))
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(mask), 0,
                           0, 0, 0)
        images.append((c.w, c.h, info + bytes(xor) + bytes(mask)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for w, h, blob in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, _, blob in images:
        out += blob
    return bytes(out)


# The scales the strips are drawn for, and the ending of each one's file name.
SCALES = ((1, ""), (1.5, "_150"), (2, "_200"))


def main():
    (OUT / "varnel.ico").write_bytes(ico(app_icon(32), app_icon(16)))
    (OUT / "varnel16.ico").write_bytes(ico(app_icon(16)))
    for scale, ending in SCALES:
        (OUT / f"toolbar{ending}.bmp").write_bytes(bmp8(toolbar(scale)))
        (OUT / f"lvicon{ending}.bmp").write_bytes(bmp24(row_icons(scale)))
    (OUT / "varnel.bmp").write_bytes(bmp24(about_picture()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
