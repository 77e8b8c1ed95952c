#!/usr/bin/env python3
"""Draws the skin engine's built-in pictures as 24-bit BMP files.

Run from this folder to regenerate the committed .bmp files:
  PIXMARKMENU.bmp  four 16 x 16 menu glyphs (restore, maximize, minimize,
                   close), black on white; white is the image list's mask
  TRACK.bmp        a horizontal track bar channel, drawn with 3-pixel ends
  TRACKVERT.bmp    the same channel upright
"""
import struct

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
SHADOW = (160, 160, 160)
DARK = (105, 105, 105)
LIGHT = (255, 255, 255)
FACE = (230, 230, 230)


def write_bmp(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    stride = (width * 3 + 3) & ~3
    rows = b""
    for row in reversed(pixels):  # bottom-up
        line = b"".join(bytes((b, g, r)) for (r, g, b) in row)
        rows += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def rect(px, x0, y0, x1, y1, colour):
    """Fills the pixels x0..x1-1, y0..y1-1."""
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[y][x] = colour


def frame(px, x0, y0, x1, y1, colour, top=1):
    """An outline with a top edge `top` pixels thick."""
    rect(px, x0, y0, x1, y0 + top, colour)
    rect(px, x0, y1 - 1, x1, y1, colour)
    rect(px, x0, y0, x0 + 1, y1, colour)
    rect(px, x1 - 1, y0, x1, y1, colour)


def menu_glyphs():
    px = canvas(64, 16, WHITE)
    # restore: two overlapping windows
    frame(px, 6, 3, 13, 9, BLACK, top=2)
    rect(px, 3, 6, 10, 13, WHITE)
    frame(px, 3, 6, 10, 13, BLACK, top=2)
    # maximize: one window
    frame(px, 16 + 3, 3, 16 + 13, 13, BLACK, top=2)
    # minimize: a bar at the bottom
    rect(px, 32 + 4, 11, 32 + 11, 13, BLACK)
    # close: a cross, two pixels thick
    for i in range(8):
        for dx in (0, 1):
            px[4 + i][48 + 4 + i + dx] = BLACK
            px[4 + i][48 + 11 - i + dx] = BLACK
    return px


def track(width, height):
    px = canvas(width, height, FACE)
    rect(px, 0, 0, width, 1, SHADOW)
    rect(px, 0, 0, 1, height, SHADOW)
    rect(px, 1, 1, width - 1, 2, DARK)
    rect(px, 1, 1, 2, height - 1, DARK)
    rect(px, 0, height - 1, width, height, LIGHT)
    rect(px, width - 1, 0, width, height, LIGHT)
    return px


if __name__ == "__main__":
    write_bmp("PIXMARKMENU.bmp", menu_glyphs())
    write_bmp("TRACK.bmp", track(16, 8))
    write_bmp("TRACKVERT.bmp", track(8, 16))
