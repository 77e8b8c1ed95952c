#!/usr/bin/env python3
"""A look at the default skin without running the program: mockup.py OUT.bmp

Lays out two 400 x 300 windows (active and inactive) from the frame pieces,
caption buttons and a few control strips the way the painters do: nine-grid
pieces with the margins of skin.ini, caption buttons at their Align/Xcoord
places, key-colour pixels left to the desktop. Texts are not drawn; add them
with an image tool when looking. Not part of the build."""

import configparser
import os
import sys

sys.dont_write_bytecode = True

from draw import KEY, Canvas, hex_colour
import make_skin

DESKTOP = hex_colour("#6B7B8C")


def read_description():
    ini = configparser.ConfigParser(strict=False, interpolation=None)
    ini.optionxform = str.lower
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "skin.ini"), encoding="ascii") as f:
        ini.read_file(f)
    return ini


def cell(image, count, index, vertical=False):
    if vertical:
        h = image.height // count
        return image.crop(0, (index - 1) * h, image.width, h)
    w = image.width // count
    return image.crop((index - 1) * w, 0, w, image.height)


def stretch(src, sx, sy, sw, sh, dw, dh):
    out = Canvas(max(dw, 0), max(dh, 0))
    for y in range(dh):
        for x in range(dw):
            out.rows[y][x] = src.rows[sy + y * sh // dh][sx + x * sw // dw]
    return out


def nine_grid(src, w, h, left, top, right, bottom):
    """The cell src drawn at w x h with fixed margins (nearest-pixel stretch)."""
    if w < left + right:
        left = right = 0
    if h < top + bottom:
        top = bottom = 0
    out = Canvas(w, h)
    sw, sh = src.width, src.height
    cols = [(0, left, 0, left), (left, sw - left - right, left, w - left - right), (sw - right, right, w - right, right)]
    rows = [(0, top, 0, top), (top, sh - top - bottom, top, h - top - bottom), (sh - bottom, bottom, h - bottom, bottom)]
    for sy, sh_, dy, dh in rows:
        for sx, sw_, dx, dw in cols:
            if sw_ > 0 and sh_ > 0 and dw > 0 and dh > 0:
                out.blit(stretch(src, sx, sy, sw_, sh_, dw, dh), dx, dy)
    return out


def margins(ini, section, prefix=None):
    if prefix:
        return (ini.getint(section, prefix + "TopHeight", fallback=0), ini.getint(section, prefix + "BotHeight", fallback=0))
    return tuple(ini.getint(section, k, fallback=0) for k in ("LeftWidth", "TopHeight", "RightWidth", "BottomHeight"))


def window(images, ini, w, h, active):
    state = 1 if active else 2
    p = "Personality"
    out = Canvas(w, h, make_skin.FACE)
    left = cell(images["left.bmp"], 2, state)
    right = cell(images["right.bmp"], 2, state)
    top = cell(images["top.bmp"], 2, state, vertical=True)
    bottom = cell(images["bottom.bmp"], 2, state, vertical=True)
    bl, caption, br, bb = left.width, top.height, right.width, bottom.height
    lt, lb = margins(ini, p, "Left")
    rt, rb = margins(ini, p, "Right")
    tl, tr = margins(ini, p, "Top")
    out.blit(nine_grid(left, bl, h, 0, lt, 0, lb), 0, 0)
    out.blit(nine_grid(right, br, h, 0, rt, 0, rb), w - br, 0)
    out.blit(nine_grid(bottom, w - bl - br, bb, 0, 0, 0, 0), bl, h - bb)
    out.blit(nine_grid(top, w - bl - br, caption, tl, 0, tr, 0), bl, 0)
    # caption buttons: cell 1 when active, else cell 4 (the icon is one cell)
    for section in ("Button0", "Button1", "Button3", "Button4"):
        img = images[ini.get(section, "ButtonImage")]
        frames = ini.getint(section, "frame")
        face = cell(img, frames, 1 if active or frames < 4 else 4)
        x = ini.getint(section, "Xcoord")
        if ini.getint(section, "Align") == 1:
            x = w - x
        out.blit_keyed(face, x, ini.getint(section, "Ycoord"))
    # menu bar band (SM_CYMENU is about 20)
    band = cell(images["menubar.bmp"], 2, state, vertical=True)
    out.blit(nine_grid(band, w - bl - br, 20, 1, 0, 1, 0), bl, caption)
    return out, (bl, caption + 20)


def controls(images, ini, out, origin):
    ox, oy = origin
    b = images["buttons.bmp"]
    m = margins(ini, "Buttons")
    for i, frame in enumerate((1, 4, 5, 2, 3)):
        out.blit_keyed(nine_grid(cell(b, 5, frame), 66, 25, *m), ox + 12 + i * 72, oy + 12)
    for i, frame in enumerate((1, 5, 9, 4, 8)):
        out.blit_keyed(cell(images["checkbox.bmp"], 12, frame), ox + 14 + i * 22, oy + 50)
    for i, frame in enumerate((1, 5, 4, 8)):
        out.blit_keyed(cell(images["radio.bmp"], 8, frame), ox + 134 + i * 22, oy + 50)
    sunk = margins(ini, "SunkEdge")
    out.blit_keyed(nine_grid(cell(images["sunkedge.bmp"], 4, 1), 150, 23, *sunk), ox + 12, oy + 74)
    out.blit_keyed(nine_grid(cell(images["sunkedge.bmp"], 4, 4), 150, 23, *sunk), ox + 12, oy + 102)
    # combo box: the ring, the button over the right 19 pixels, the arrow centred
    combo = nine_grid(cell(images["sunkedge.bmp"], 4, 1), 150, 23, *sunk)
    combo.blit_keyed(nine_grid(cell(images["combobutton.bmp"], 4, 1), 19, 23, *margins(ini, "ComboButton")), 131, 0)
    arrow = cell(images["extraimages.bmp"], 5, 1)
    combo.blit_keyed(arrow, 131 + (19 - arrow.width) // 2, (23 - arrow.height) // 2)
    out.blit_keyed(combo, ox + 174, oy + 74)
    pm = margins(ini, "Progress")
    prog = nine_grid(cell(images["progress.bmp"], 2, 1), 150, 14, *pm)
    prog.blit_keyed(nine_grid(cell(images["progress.bmp"], 2, 2), 90, 14, *pm), 0, 0)
    out.blit_keyed(prog, ox + 174, oy + 106)
    # a vertical scroll bar at the right of the client area
    sx = ox + 366 - 17
    vt = nine_grid(cell(images["vscroll.bmp"], 4, 1), 17, 150 - 34, *margins(ini, "VertScroll"))
    out.blit(vt, sx, oy + 17 + 130)
    arrows = images["scrollbar.bmp"]
    out.blit_keyed(cell(arrows, 23, 9), sx, oy + 130)
    out.blit_keyed(cell(arrows, 23, 16), sx, oy + 130 + 150 - 17)
    thumb = nine_grid(cell(images["vthumb.bmp"], 3, 1), 17, 40, *margins(ini, "VertScrollThumb"))
    out.blit_keyed(thumb, sx, oy + 130 + 30)
    out.blit_keyed(cell(arrows, 23, 20), sx, oy + 130 + 30 + 12)
    # tabs over a page
    tm = margins(ini, "Tabs")
    page = nine_grid(images["tabpane.bmp"], 200, 90, 4, 5, 4, 4)
    out.blit(page, ox + 12, oy + 160)
    for i, frame in enumerate((1, 2, 1)):
        tab = nine_grid(cell(images["tabs.bmp"], 5, frame), 60, 22, *tm)
        out.blit_keyed(tab, ox + 14 + i * 62, oy + 160 - 21 + (0 if frame == 2 else 2))
    # a track bar
    track = nine_grid(images["track.bmp"], 120, 5, *margins(ini, "Track"))
    out.blit(track, ox + 226, oy + 200)
    out.blit_keyed(cell(images["thumbhorz.bmp"], 5, 2), ox + 270, oy + 192)
    out.blit_keyed(cell(images["thumbdown.bmp"], 5, 2), ox + 300, oy + 215)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: mockup.py OUT.bmp\n")
        return 2
    images = make_skin.all_bitmaps()
    ini = read_description()
    sheet = Canvas(840, 340, DESKTOP)
    for i, active in enumerate((True, False)):
        win, client = window(images, ini, 400, 300, active)
        if active:
            controls(images, ini, win, client)
        for y in range(win.height):
            for x in range(win.width):
                if win.rows[y][x] != KEY:
                    sheet.set(20 + i * 420 + x, 20 + y, win.rows[y][x])
    with open(argv[1], "wb") as f:
        f.write(sheet.bmp_bytes())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
