#!/usr/bin/env python3
"""Draws the default skin's bitmaps: make_skin.py OUTPUT_DIR (or --list: their names)

A light neutral theme with one calm blue accent. Every bitmap is a strip of
equal state cells in 24-bit colour with magenta as the transparent key; the
cell sizes, frame counts and margins here must agree with skin.ini beside
this file (skin_default_tests checks that they do). The output is the same
bytes on every run."""

import os
import sys

sys.dont_write_bytecode = True  # the build runs this from the source tree

from draw import Canvas, hex_colour as c, in_rounded_rect, mix, pattern_points, strip

# ---------------------------------------------------------------- palette
ACCENT = c("#2F6DB5")
ACCENT_DARK = c("#24578F")
ACCENT_LIGHT = c("#A8C6E8")
ACCENT_PALE = c("#E3EDF8")
FACE = c("#F4F5F7")           # ButtonFace: forms, panels, menu bar
WHITE = c("#FFFFFF")
TEXT = c("#202428")
LINE = c("#C9D0D8")           # quiet 1-pixel separators
BORDER = c("#A0A8B2")         # control borders (ButtonShadow)
BORDER_DARK = c("#6E7782")    # ButtonDkShadow
DISABLED_FILL = c("#EEF0F2")
DISABLED_LINE = c("#CDD3DA")
DISABLED_GLYPH = c("#B8C0C9")
GLYPH = c("#4A5560")
TRACK = c("#EBEEF1")
THUMB = c("#C2C9D1")
THUMB_HOT = c("#A7B1BC")
THUMB_PRESSED = c("#8C98A5")
CLOSE_HOT = c("#C9504A")      # the one warm colour: a hot close button
CLOSE_PRESSED = c("#A63F3A")

CAPTION = {  # active, inactive
    "top": (c("#3B78BF"), c("#A6B1BE")),
    "bottom": (c("#2F69AD"), c("#98A4B2")),
    "highlight": (c("#5A90CF"), c("#B6C0CB")),
    "outline": (ACCENT_DARK, c("#808B98")),
}
FRAME = {
    "outline": (c("#7D8A99"), c("#A9B2BC")),
    "fill": (c("#E4E8EC"), c("#EDEFF2")),
    "inner": (c("#C3CAD2"), c("#D3D8DE")),
}

# ---------------------------------------------------------------- frame
CAPTION_HEIGHT = 30
BORDER_WIDTH = 4
CORNER_RADIUS = 8
TOP_END = 8          # fixed ends of the top piece (TopTopHeight, TopBotHeight)
TOP_MIDDLE = 48
SIDE_MIDDLE = 6      # stretched middle of the left and right pieces


def model_window(state):
    """The whole frame of a small window (client area left magenta), from
    which the four border pieces are cut, so that they always join."""
    w = BORDER_WIDTH + TOP_END + TOP_MIDDLE + TOP_END + BORDER_WIDTH
    h = CAPTION_HEIGHT + SIDE_MIDDLE + BORDER_WIDTH
    img = Canvas(w, h)
    top, bottom = CAPTION["top"][state], CAPTION["bottom"][state]
    for y in range(h):
        for x in range(w):
            if not in_rounded_rect(x, y, 0, 0, w, h, CORNER_RADIUS, "tl tr"):
                continue
            edge = not in_rounded_rect(x, y, 1, 1, w - 2, h - 2, CORNER_RADIUS - 1, "tl tr")
            if y < CAPTION_HEIGHT:
                if edge:
                    colour = CAPTION["outline"][state]
                elif not in_rounded_rect(x, y, 1, 2, w - 2, h - 3, CORNER_RADIUS - 1, "tl tr"):
                    colour = CAPTION["highlight"][state]
                else:
                    colour = mix(top, bottom, 1.0 - (y - 1) / (CAPTION_HEIGHT - 2))
            elif edge:
                colour = FRAME["outline"][state]
            elif (x in (BORDER_WIDTH - 1, w - BORDER_WIDTH) and y <= h - BORDER_WIDTH) or (
                    y == h - BORDER_WIDTH and BORDER_WIDTH - 1 <= x <= w - BORDER_WIDTH):
                colour = FRAME["inner"][state]  # a quiet line around the client area
            elif x < BORDER_WIDTH or x >= w - BORDER_WIDTH or y > h - BORDER_WIDTH:
                colour = FRAME["fill"][state]
            else:
                continue  # client area
            img.set(x, y, colour)
    return img


def frame_pieces():
    models = [model_window(0), model_window(1)]
    w, h = models[0].width, models[0].height
    top_w = w - 2 * BORDER_WIDTH
    left = strip([m.crop(0, 0, BORDER_WIDTH, h) for m in models])
    right = strip([m.crop(w - BORDER_WIDTH, 0, BORDER_WIDTH, h) for m in models])
    top = strip([m.crop(BORDER_WIDTH, 0, top_w, CAPTION_HEIGHT) for m in models], vertical=True)
    bottom = strip([m.crop(BORDER_WIDTH, h - BORDER_WIDTH, top_w, BORDER_WIDTH) for m in models], vertical=True)
    # The title back is the plain caption band: the text sits on the caption itself.
    textback = strip([m.crop(w // 2, 0, 12, CAPTION_HEIGHT) for m in models], vertical=True)
    return {"left.bmp": left, "right.bmp": right, "top.bmp": top, "bottom.bmp": bottom,
            "textback.bmp": textback}


# ---------------------------------------------------------------- caption buttons
CAPTION_BUTTON = (30, 22)

GLYPHS = {
    "close": [(i, i) for i in range(10)] + [(9 - i, i) for i in range(10)],
    "max": [(x, y) for x in range(10) for y in range(10) if x in (0, 9) or y in (0, 9)],
    "restore": sorted(set(
        [(x + 2, y) for x in range(8) for y in range(8) if (x in (0, 7) or y in (0, 7)) and not (x < 6 and y >= 2)]
        + [(x, y + 2) for x in range(8) for y in range(8) if x in (0, 7) or y in (0, 7)])),
    "min": [(x, 5) for x in range(10)],
}


def caption_button(glyph, hot_fill, pressed_fill):
    """Cells: 1 normal, 2 pressed, 3 hot, 4 inactive or disabled."""
    w, h = CAPTION_BUTTON
    cells = []
    for fill, colour in ((None, WHITE), (pressed_fill, WHITE), (hot_fill, WHITE), (None, c("#D3DBE4"))):
        cell = Canvas(w, h)
        if fill is not None:
            cell.rounded_rect(0, 0, w, h, 3, fill=fill)
        cell.plot(GLYPHS[glyph], colour, (w - 10) // 2, (h - 10) // 2)
        cells.append(cell)
    return strip(cells)


def app_icon():
    """A single 16 x 16 cell: the icon button's size (the painter draws the
    window's own icon in it)."""
    cell = Canvas(16, 16)
    cell.rounded_rect(1, 1, 14, 14, 3, fill=WHITE)
    v = pattern_points([
        "#.....#",
        "#.....#",
        ".#...#.",
        ".#...#.",
        "..#.#..",
        "..#.#..",
        "...#...",
    ])
    cell.plot(v, ACCENT, 4, 4)
    cell.plot([(x + 1, y) for x, y in v], ACCENT, 4, 4)
    return cell


def mdi_controls():
    """Twelve 16 x 16 cells: minimise, restore, close of a maximised child,
    four each (normal, pressed, hot, hot in the menu band)."""
    small = {
        "min": [(x, 6) for x in range(8)] + [(x, 7) for x in range(8)],
        "restore": sorted(set(
            [(x + 2, y) for x in range(6) for y in range(6) if (x in (0, 5) or y in (0, 5)) and not (x < 4 and y >= 2)]
            + [(x, y + 2) for x in range(6) for y in range(6) if x in (0, 5) or y in (0, 5)])),
        "close": [(i, i) for i in range(8)] + [(7 - i, i) for i in range(8)],
    }
    cells = []
    for name in ("min", "restore", "close"):
        for fill, colour in ((None, GLYPH), (LINE, TEXT), (c("#DDE2E8"), TEXT), (c("#DDE2E8"), TEXT)):
            cell = Canvas(16, 16)
            if fill is not None:
                cell.rounded_rect(0, 0, 16, 16, 2, fill=fill)
            cell.plot(small[name], colour, 4, 4)
            cells.append(cell)
    return strip(cells)


# ---------------------------------------------------------------- buttons, check and radio boxes
def push_buttons():
    """24 x 24 cells, margins 4: normal, pressed, disabled, hot, focused or default."""
    looks = [
        (BORDER, WHITE, c("#EEF0F3"), None),
        (ACCENT, c("#D6E3F2"), c("#CCDCEF"), None),
        (DISABLED_LINE, DISABLED_FILL, DISABLED_FILL, None),
        (c("#6D9BD1"), c("#F4F8FD"), ACCENT_PALE, None),
        (ACCENT, WHITE, c("#EEF0F3"), ACCENT_LIGHT),
    ]
    cells = []
    for border, top, bottom, ring in looks:
        cell = Canvas(24, 24)
        cell.rounded_rect(0, 0, 24, 24, 3, fill=top, fill_bottom=bottom, border=border)
        if ring is not None:
            cell.rounded_rect(1, 1, 22, 22, 2, border=ring)
        cells.append(cell)
    return strip(cells)


CHECK_MARK = pattern_points([
    "......#",
    ".....##",
    "#...##.",
    "##.##..",
    ".###...",
    "..#....",
])


def box_look(index):
    """Border and fill of a check or radio box for state index 0..3:
    normal, hot, pressed, disabled."""
    return [(c("#8C98A5"), WHITE), (ACCENT, c("#F4F8FD")), (ACCENT_DARK, c("#D6E3F2")),
            (DISABLED_LINE, DISABLED_FILL)][index]


def mark_look(index):
    return [ACCENT, c("#3D7CC6"), ACCENT_DARK, c("#B4C4D6")][index]


def check_boxes():
    """Twelve 13 x 13 cells: unchecked, checked, indeterminate, each in the
    states normal, hot, pressed, disabled."""
    cells = []
    for kind in ("clear", "checked", "mixed"):
        for i in range(4):
            cell = Canvas(13, 13)
            border, fill = box_look(i)
            if kind == "checked":
                cell.rounded_rect(0, 0, 13, 13, 2, fill=mark_look(i))
                cell.plot(CHECK_MARK, WHITE, 3, 3)
            else:
                cell.rounded_rect(0, 0, 13, 13, 2, fill=fill, border=border)
                if kind == "mixed":
                    cell.fill(3, 3, 7, 7, mark_look(i))
            cells.append(cell)
    return strip(cells)


def radio_buttons():
    """Eight 13 x 13 cells: unchecked, then checked, each normal, hot,
    pressed, disabled."""
    cells = []
    for checked in (False, True):
        for i in range(4):
            cell = Canvas(13, 13)
            border, fill = box_look(i)
            if checked:
                cell.rounded_rect(0, 0, 13, 13, 6, fill=mark_look(i))
                cell.rounded_rect(4, 4, 5, 5, 2, fill=WHITE)
            else:
                cell.rounded_rect(0, 0, 13, 13, 6, fill=fill, border=border)
            cells.append(cell)
    return strip(cells)


# ---------------------------------------------------------------- scroll bars
ARROW = 17  # the system's scroll arrow size at 100 %

TRIANGLE_UP = pattern_points(["...#...", "..###..", ".#####.", "#######"])


def triangle(direction):
    """A 7 x 4 (or 4 x 7) filled triangle pointing the given way."""
    if direction == "up":
        return TRIANGLE_UP
    if direction == "down":
        return [(x, 3 - y) for x, y in TRIANGLE_UP]
    if direction == "left":
        return [(y, x) for x, y in TRIANGLE_UP]
    return [(3 - y, x) for x, y in TRIANGLE_UP]


def scroll_arrows():
    """23 cells of 17 x 17: left, right, up, down arrows (normal, pressed,
    disabled, hot each), the horizontal and the vertical thumb grip (normal,
    pressed, hot each) and one plain track cell."""
    looks = [(TRACK, GLYPH), (THUMB_PRESSED, WHITE), (TRACK, DISABLED_GLYPH), (c("#DDE2E8"), TEXT)]
    cells = []
    for direction in ("left", "right", "up", "down"):
        points = triangle(direction)
        gw = 7 if direction in ("up", "down") else 4
        gh = 4 if direction in ("up", "down") else 7
        for fill, colour in looks:
            cell = Canvas(ARROW, ARROW, TRACK)
            if fill != TRACK:
                cell.rounded_rect(1, 1, ARROW - 2, ARROW - 2, 2, fill=fill)
            cell.plot(points, colour, (ARROW - gw) // 2, (ARROW - gh) // 2)
            cells.append(cell)
    for vertical in (False, True):
        for colour in (c("#8F9AA6"), c("#D7DCE2"), c("#77828F")):
            cell = Canvas(ARROW, ARROW)
            for k in (-2, 0, 2):
                if vertical:
                    cell.hline(6, 8 + k, 5, colour)
                else:
                    cell.vline(8 + k, 6, 5, colour)
            cells.append(cell)
    cells.append(Canvas(ARROW, ARROW, TRACK))
    return strip(cells)


def scroll_tracks(vertical):
    """Four 17 x 17 cells: enabled, pressed, disabled, hot. A quiet line
    on the side that faces the content."""
    cells = []
    for fill in (TRACK, c("#DFE3E8"), c("#F3F4F6"), TRACK):
        cell = Canvas(ARROW, ARROW, fill)
        if vertical:
            cell.vline(0, 0, ARROW, c("#DDE1E6"))
        else:
            cell.hline(0, 0, ARROW, c("#DDE1E6"))
        cells.append(cell)
    return strip(cells)


def scroll_thumbs(vertical):
    """Three 17 x 17 cells: normal, pressed, hot; a slim rounded bar on the
    key colour so the track shows beside it."""
    cells = []
    for fill in (THUMB, THUMB_PRESSED, THUMB_HOT):
        cell = Canvas(ARROW, ARROW)
        if vertical:
            cell.rounded_rect(4, 0, 9, ARROW, 4, fill=fill)
        else:
            cell.rounded_rect(0, 4, ARROW, 9, 4, fill=fill)
        cells.append(cell)
    return strip(cells)


# ---------------------------------------------------------------- edits and combo boxes
EDIT_LOOKS = [  # normal, pressed, disabled, hot or focused
    (BORDER, WHITE), (ACCENT, WHITE), (DISABLED_LINE, c("#F6F7F8")), (ACCENT, WHITE)]


def sunk_edge():
    """Four 16 x 16 cells, margins 3: the ring of an edit or combo box."""
    cells = []
    for border, fill in EDIT_LOOKS:
        cell = Canvas(16, 16)
        cell.rounded_rect(0, 0, 16, 16, 2, fill=fill, border=border)
        cells.append(cell)
    return strip(cells)


def combo_button():
    """Four 17 x 21 cells, margins 2: the drop-down button laid over the right
    end of the edit ring; its outer 2 pixels are key colour so the ring shows."""
    cells = []
    for fill in (c("#F1F3F5"), c("#D6E3F2"), c("#F6F7F8"), ACCENT_PALE):
        cell = Canvas(17, 21)
        cell.fill(2, 2, 13, 17, fill)
        cell.vline(2, 2, 17, LINE)
        cells.append(cell)
    return strip(cells)


def extra_images():
    """Five 12 x 12 cells: the drop-down arrow (normal, pressed, disabled,
    hot) and the size grip of a status bar."""
    cells = []
    for colour in (GLYPH, TEXT, DISABLED_GLYPH, ACCENT):
        cell = Canvas(12, 12)
        cell.plot(triangle("down"), colour, 2, 4)
        cells.append(cell)
    grip = Canvas(12, 12)
    for x, y in ((9, 9), (9, 6), (6, 9), (9, 3), (6, 6), (3, 9)):
        grip.fill(x + 1, y + 1, 2, 2, WHITE)
        grip.fill(x, y, 2, 2, BORDER)
    cells.append(grip)
    return strip(cells)


def up_down(horizontal):
    """Eight cells: the first arrow (up or left) then the second (down or
    right), each normal, pressed, disabled, hot. Vertical halves are 16 x 10,
    horizontal 10 x 16. The glyph strip holds the matching triangles."""
    looks = [(BORDER, c("#F6F7F9"), GLYPH), (ACCENT, c("#D6E3F2"), TEXT),
             (DISABLED_LINE, DISABLED_FILL, DISABLED_GLYPH), (c("#6D9BD1"), ACCENT_PALE, ACCENT)]
    backs, glyphs = [], []
    arrows = ("left", "right") if horizontal else ("up", "down")
    corners = (("tl bl", "tr br") if horizontal else ("tl tr", "bl br"))
    w, h = (10, 16) if horizontal else (16, 10)
    gw, gh = (4, 7) if horizontal else (7, 4)
    for arrow, rounded in zip(arrows, corners):
        for border, fill, colour in looks:
            back = Canvas(w, h)
            back.rounded_rect(0, 0, w, h, 3, fill=fill, border=border, corners=rounded)
            backs.append(back)
            glyph = Canvas(gw + 2, gh + 2)
            glyph.plot(triangle(arrow), colour, 1, 1)
            glyphs.append(glyph)
    return strip(backs), strip(glyphs)


# ---------------------------------------------------------------- tabs, progress, group box
def tabs():
    """Five 24 x 22 cells, margins 4/4/4/2: normal, selected, hot, disabled,
    selected and focused. The selected tab takes the pane's colour and an
    accent line on top, so it joins the pane below it."""
    looks = [(c("#E4E8ED"), LINE, None), (FACE, LINE, ACCENT), (c("#ECF1F7"), LINE, None),
             (DISABLED_FILL, DISABLED_LINE, None), (FACE, LINE, ACCENT)]
    cells = []
    for fill, border, accent in looks:
        cell = Canvas(24, 22)
        cell.rounded_rect(0, 0, 24, 23, 3, fill=fill, border=border, corners="tl tr")
        if accent is not None:
            cell.rounded_rect(0, 0, 24, 3, 2, fill=accent, corners="tl tr")
        else:
            cell.hline(0, 21, 24, border)
        cells.append(cell)
    return strip(cells)


def tab_pane():
    """One 16 x 16 cell, margins 4: the page under the tabs."""
    cell = Canvas(16, 16, FACE)
    cell.frame(0, 0, 16, 16, LINE)
    return cell


def progress():
    """Two 16 x 12 cells, margins 4/3/4/3: the empty bar and the filled part."""
    empty = Canvas(16, 12)
    empty.rounded_rect(0, 0, 16, 12, 3, fill=c("#E6E9ED"), border=LINE)
    full = Canvas(16, 12)
    full.rounded_rect(0, 0, 16, 12, 3, fill=c("#4A84C6"), fill_bottom=ACCENT, border=ACCENT_DARK)
    return strip([empty, full])


def progress_chunk():
    cell = Canvas(8, 8)
    cell.rounded_rect(0, 0, 7, 8, 1, fill=c("#4A84C6"), fill_bottom=ACCENT)
    return cell


def group_box():
    """One 16 x 16 cell, margins 4: a quiet rounded outline on the face."""
    cell = Canvas(16, 16)
    cell.rounded_rect(0, 0, 16, 16, 3, fill=FACE, border=LINE)
    return cell


def group_box_edge():
    """Two 16 x 16 cells: enabled and disabled outline."""
    cells = []
    for border in (LINE, DISABLED_LINE):
        cell = Canvas(16, 16)
        cell.rounded_rect(0, 0, 16, 16, 3, border=border)
        cells.append(cell)
    return strip(cells)


# ---------------------------------------------------------------- menus, tool bars, header, status bar
def menu_bar():
    """Two 32 x 20 cells stacked (active, inactive): the face with a line below."""
    cells = []
    for line in (LINE, c("#DADFE4")):
        cell = Canvas(32, 20, FACE)
        cell.hline(0, 19, 32, line)
        cells.append(cell)
    return strip(cells, vertical=True)


def menu_item():
    """Five 24 x 20 cells, margins 4/3/4/3: normal (key colour: the popup's
    face shows), separator line in the bottom rows, disabled, selected,
    selected and disabled."""
    normal = Canvas(24, 20)
    separator = Canvas(24, 20)
    separator.hline(4, 15, 16, LINE)
    selected = Canvas(24, 20)
    selected.rounded_rect(2, 0, 20, 20, 3, fill=c("#3C78BE"))
    selected_disabled = Canvas(24, 20)
    selected_disabled.rounded_rect(2, 0, 20, 20, 3, fill=c("#E6EBF1"))
    return strip([normal, separator, Canvas(24, 20), selected, selected_disabled])


def menu_background():
    """One 16 x 16 cell, margins 3: the whole face of a popup menu,
    its 3-pixel border included."""
    cell = Canvas(16, 16, WHITE)
    cell.frame(0, 0, 16, 16, BORDER)
    return cell


def tool_buttons():
    """Five 22 x 22 cells, margins 3: normal (flat), pressed, disabled, hot,
    checked."""
    looks = [None, (ACCENT, c("#D6E3F2")), None, (c("#A8C6E8"), ACCENT_PALE), (c("#6D9BD1"), c("#DCE8F5"))]
    cells = []
    for look in looks:
        cell = Canvas(22, 22)
        if look is not None:
            cell.rounded_rect(0, 0, 22, 22, 3, fill=look[1], border=look[0])
        cells.append(cell)
    return strip(cells)


def header():
    """Five 20 x 20 cells, margins 1/1/2/2: normal, hot, pressed, disabled,
    sorted."""
    cells = []
    for top, bottom in ((WHITE, c("#F3F5F7")), (c("#F4F8FD"), ACCENT_PALE), (c("#DCE8F5"), c("#D0E0F1")),
                        (c("#F6F7F8"), c("#F6F7F8")), (WHITE, c("#EEF2F7"))):
        cell = Canvas(20, 20)
        cell.vertical_gradient(0, 0, 20, 20, top, bottom)
        cell.hline(0, 19, 20, LINE)
        cell.vline(19, 3, 14, c("#DCE0E5"))
        cells.append(cell)
    return strip(cells)


def status_edges():
    """Three 12 x 12 cells, margins 1/4/2/4: lowered, raised and no bevel; the
    inside is key colour, so only a separator on the right shows."""
    lowered = Canvas(12, 12)
    lowered.vline(10, 3, 6, LINE)
    raised = Canvas(12, 12)
    raised.vline(10, 3, 6, LINE)
    raised.vline(11, 3, 6, WHITE)
    return strip([lowered, raised, Canvas(12, 12)])


# ---------------------------------------------------------------- track bars
def track(vertical):
    """The channel: 16 x 5 (or 5 x 16) with 3-pixel caps."""
    img = Canvas(16, 5, FACE)
    img.rounded_rect(0, 0, 16, 5, 2, fill=c("#DDE2E8"), border=BORDER)
    return img.rotated_right() if vertical else img


THUMB_LOOKS = [  # 1 and 2 the resting look (the painter draws cell 2), hot, pressed, disabled
    (ACCENT_DARK, ACCENT), (ACCENT_DARK, ACCENT), (ACCENT_DARK, c("#3D7CC6")),
    (c("#1C4674"), ACCENT_DARK), (DISABLED_LINE, c("#C9D3DE"))]


def trackbar_thumb(kind):
    """Five cells; a 11 x 21 pill, or a pointed thumb for the one-sided kinds."""
    cells = []
    for border, fill in THUMB_LOOKS:
        cell = Canvas(11, 21)
        if kind in ("horz", "vert"):
            cell.rounded_rect(0, 0, 11, 21, 4, fill=fill, border=border)
        else:  # pointing down: a square body and a point
            cell.rounded_rect(0, 0, 11, 16, 2, fill=fill, border=border, corners="tl tr")
            for i in range(6):
                for x in range(i, 11 - i):
                    edge = x in (i, 10 - i)
                    cell.set(x, 15 + i, border if edge else fill)
        cells.append(cell)
    turn = {
        "horz": lambda cell: cell,
        "down": lambda cell: cell,
        "up": lambda cell: cell.flipped_vertically(),
        "vert": lambda cell: cell.rotated_right(),
        "left": lambda cell: cell.rotated_right(),
        "right": lambda cell: cell.rotated_right().mirrored(),
    }[kind]
    return strip([turn(cell) for cell in cells])


# ---------------------------------------------------------------- all entries
def all_bitmaps():
    images = frame_pieces()
    images.update({
        "close.bmp": caption_button("close", CLOSE_HOT, CLOSE_PRESSED),
        "maximize.bmp": caption_button("max", c("#5587C4"), ACCENT_DARK),
        "restore.bmp": caption_button("restore", c("#5587C4"), ACCENT_DARK),
        "minimize.bmp": caption_button("min", c("#5587C4"), ACCENT_DARK),
        "sysmenu.bmp": app_icon(),
        "mdicontrols.bmp": mdi_controls(),
        "buttons.bmp": push_buttons(),
        "checkbox.bmp": check_boxes(),
        "radio.bmp": radio_buttons(),
        "scrollbar.bmp": scroll_arrows(),
        "hscroll.bmp": scroll_tracks(False),
        "vscroll.bmp": scroll_tracks(True),
        "hthumb.bmp": scroll_thumbs(False),
        "vthumb.bmp": scroll_thumbs(True),
        "sunkedge.bmp": sunk_edge(),
        "combobutton.bmp": combo_button(),
        "extraimages.bmp": extra_images(),
        "tabs.bmp": tabs(),
        "tabpane.bmp": tab_pane(),
        "progress.bmp": progress(),
        "progresschunk.bmp": progress_chunk(),
        "groupbox.bmp": group_box(),
        "groupboxedge.bmp": group_box_edge(),
        "menubar.bmp": menu_bar(),
        "menuitem.bmp": menu_item(),
        "menubackground.bmp": menu_background(),
        "toolbars.bmp": tool_buttons(),
        "header.bmp": header(),
        "statusedges.bmp": status_edges(),
        "track.bmp": track(False),
        "trackvert.bmp": track(True),
    })
    images["updownhorz.bmp"], images["updownhorzglyph.bmp"] = up_down(True)
    images["updownvert.bmp"], images["updownvertglyph.bmp"] = up_down(False)
    for kind in ("horz", "vert", "left", "right", "up", "down"):
        images["thumb%s.bmp" % kind] = trackbar_thumb(kind)
    return images


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_skin.py OUTPUT_DIR | --list\n")
        return 2
    if argv[1] == "--list":  # the names it writes, one a line, for the build
        sys.stdout.write("".join(name + "\n" for name in sorted(all_bitmaps())))
        return 0
    out_dir = argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, image in sorted(all_bitmaps().items()):
        data = image.bmp_bytes()
        path = os.path.join(out_dir, name)
        # Unchanged files keep their time stamps, so the pack step reruns only when needed.
        if os.path.exists(path):
            with open(path, "rb") as existing:
                if existing.read() == data:
                    continue
        with open(path, "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
