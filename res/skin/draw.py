"""Pixel drawing for the default skin's artwork: an RGB canvas, crisp shapes
and a 24-bit BMP writer. Standard library only, so the build needs nothing
beyond Python 3. Nothing is anti-aliased: magenta is the skin's transparent
key colour and a blended edge pixel would show as a coloured fringe."""

import struct

KEY = (255, 0, 255)  # transparent key colour of every skin bitmap


def hex_colour(text):
    text = text.lstrip("#")
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16))


def mix(a, b, share_of_a):
    """share_of_a of colour a, the rest of colour b, rounded."""
    return tuple(int(round(x * share_of_a + y * (1.0 - share_of_a))) for x, y in zip(a, b))


def in_rounded_rect(px, py, x, y, w, h, r, corners="tl tr bl br"):
    """Whether the pixel (px, py) lies inside the rectangle (x, y, w, h)
    whose named corners are rounded with radius r (pixel centres decide)."""
    if px < x or py < y or px >= x + w or py >= y + h:
        return False
    if r <= 0:
        return True
    cx = px + 0.5
    cy = py + 0.5
    centres = {
        "tl": (x + r, y + r, cx < x + r and cy < y + r),
        "tr": (x + w - r, y + r, cx > x + w - r and cy < y + r),
        "bl": (x + r, y + h - r, cx < x + r and cy > y + h - r),
        "br": (x + w - r, y + h - r, cx > x + w - r and cy > y + h - r),
    }
    for name in corners.split():
        ox, oy, in_corner = centres[name]
        if in_corner and (cx - ox) ** 2 + (cy - oy) ** 2 > r * r:
            return False
    return True


class Canvas:
    def __init__(self, width, height, colour=KEY):
        self.width = width
        self.height = height
        self.rows = [[colour] * width for _ in range(height)]

    def get(self, x, y):
        return self.rows[y][x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def fill(self, x, y, w, h, colour):
        for yy in range(max(0, y), min(self.height, y + h)):
            row = self.rows[yy]
            for xx in range(max(0, x), min(self.width, x + w)):
                row[xx] = colour

    def hline(self, x, y, w, colour):
        self.fill(x, y, w, 1, colour)

    def vline(self, x, y, h, colour):
        self.fill(x, y, 1, h, colour)

    def frame(self, x, y, w, h, colour):
        self.hline(x, y, w, colour)
        self.hline(x, y + h - 1, w, colour)
        self.vline(x, y, h, colour)
        self.vline(x + w - 1, y, h, colour)

    def vertical_gradient(self, x, y, w, h, top, bottom):
        for i in range(h):
            share = 1.0 if h == 1 else 1.0 - i / (h - 1)
            self.hline(x, y + i, w, mix(top, bottom, share))

    def rounded_rect(self, x, y, w, h, r, fill=None, border=None, corners="tl tr bl br", fill_bottom=None):
        """A rounded rectangle with an optional 1-pixel border; fill may run
        as a vertical gradient down to fill_bottom."""
        for py in range(max(0, y), min(self.height, y + h)):
            if fill is not None and fill_bottom is not None and h > 1:
                row_fill = mix(fill, fill_bottom, 1.0 - (py - y) / (h - 1))
            else:
                row_fill = fill
            for px in range(max(0, x), min(self.width, x + w)):
                if not in_rounded_rect(px, py, x, y, w, h, r, corners):
                    continue
                inner = in_rounded_rect(px, py, x + 1, y + 1, w - 2, h - 2, max(0, r - 1), corners)
                if border is not None and not inner:
                    self.rows[py][px] = border
                elif row_fill is not None:
                    self.rows[py][px] = row_fill

    def plot(self, points, colour, dx=0, dy=0):
        for px, py in points:
            self.set(px + dx, py + dy, colour)

    def blit(self, other, x, y):
        for yy in range(other.height):
            for xx in range(other.width):
                self.set(x + xx, y + yy, other.rows[yy][xx])

    def blit_keyed(self, other, x, y):
        """Copies other, leaving key-colour pixels of other out."""
        for yy in range(other.height):
            for xx in range(other.width):
                c = other.rows[yy][xx]
                if c != KEY:
                    self.set(x + xx, y + yy, c)

    def crop(self, x, y, w, h):
        out = Canvas(w, h)
        for yy in range(h):
            out.rows[yy] = list(self.rows[y + yy][x:x + w])
        return out

    def rotated_right(self):
        """Turned 90 degrees clockwise: old (x, y) goes to (height-1-y, x)."""
        out = Canvas(self.height, self.width)
        for y in range(self.height):
            for x in range(self.width):
                out.rows[x][self.height - 1 - y] = self.rows[y][x]
        return out

    def flipped_vertically(self):
        out = Canvas(self.width, self.height)
        out.rows = [list(row) for row in reversed(self.rows)]
        return out

    def mirrored(self):
        out = Canvas(self.width, self.height)
        out.rows = [list(reversed(row)) for row in self.rows]
        return out

    def bmp_bytes(self):
        """A Windows BMP file: BITMAPFILEHEADER, BITMAPINFOHEADER, 24-bit
        bottom-up rows in blue-green-red order padded to 4 bytes."""
        stride = (self.width * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(self.rows):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            line += b"\0" * (stride - len(line))
            pixels += line
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
        offset = 14 + len(info)
        header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
        return header + info + bytes(pixels)


def strip(cells, vertical=False):
    """Cells of equal size side by side (or stacked) in one bitmap strip."""
    w = cells[0].width
    h = cells[0].height
    for cell in cells:
        assert (cell.width, cell.height) == (w, h), "strip cells differ in size"
    out = Canvas(w, h * len(cells)) if vertical else Canvas(w * len(cells), h)
    for i, cell in enumerate(cells):
        if vertical:
            out.blit(cell, 0, i * h)
        else:
            out.blit(cell, i * w, 0)
    return out


def pattern_points(rows, mark="#"):
    """Points of a small glyph written as text rows ('#' marks a pixel)."""
    return [(x, y) for y, row in enumerate(rows) for x, ch in enumerate(row) if ch == mark]
