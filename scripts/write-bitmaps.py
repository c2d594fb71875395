#!/usr/bin/env python3
"""Writes the small 8-bit BMP images (16x15 cells) of the face list's font
type mark, of the shell tests' menus, and of the cell definition sheet's
alignment buttons and edge icons.  Run from the repository root; the
files are committed, so this is needed only to change them.  The toolbar
bitmaps are composed from an icon set by the build (toolbar-bitmaps.pl)."""
import struct

GREY = (192, 192, 192)   # the button face: transparent on toolbars and menus
BLACK = (0, 0, 0)


def write_bmp(path, width, height, pixel):
    """An 8-bit BMP with a colour table, so that loading it mapped to the
    system colours (black, greys, white) works."""
    colours = []
    index = {}
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            c = pixel(x, y)
            if c not in index:
                index[c] = len(colours)
                colours.append(c)
            row.append(index[c])
        row += b"\0" * (((width + 3) & ~3) - width)
        rows.append(row)
    data = b"".join(rows)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    offset = 54 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(data), 2835, 2835,
                       len(colours), len(colours))
    with open(path, "wb") as f:
        f.write(header + info + table + data)


def solid_cells(colours):
    """One cell per colour: a 2-pixel button-face border around a solid square."""
    def pixel(x, y):
        cx = x % 16
        if cx < 2 or cx > 13 or y < 2 or y > 12:
            return GREY
        return colours[x // 16]
    return pixel


def glyph_cells(glyphs):
    """One cell per glyph: rows of '#' (black) and '.' (button face)."""
    def pixel(x, y):
        rows = glyphs[x // 16]
        cx = x % 16
        if y < len(rows) and cx < len(rows[y]) and rows[y][cx] == "#":
            return BLACK
        return GREY
    return pixel


# Rows of '#' (black) and '.' (button face) in 16 x 15 cells.
TRUETYPE = ["", "", " #######", " #  #  #", "    #", "    # #######", "    # #  #  #",
            "    #    #", "    #    #", "   ###   #", "        ###"]

# Bitmap 204: left image unused by the face list, right image the TrueType mark.
FONT_TYPE_GLYPHS = [["", ""], TRUETYPE]

# The Formula Explain dialog's buttons: operators, brackets, OK and Cancel.
EXPLAIN_PLUS = ["", "", "", "       ##", "       ##", "       ##", "  ############", "  ############",
                "       ##", "       ##", "       ##"]
EXPLAIN_MINUS = ["", "", "", "", "", "", "  ############", "  ############"]
EXPLAIN_TIMES = ["", "", "", "  ##      ##", "   ##    ##", "    ##  ##", "     ####", "     ####",
                 "    ##  ##", "   ##    ##", "  ##      ##"]
EXPLAIN_DIVIDE = ["", "", "", "      ##", "      ##", "", "  ##########", "  ##########", "",
                  "      ##", "      ##"]
EXPLAIN_OPEN = ["", "", "        ##", "       ##", "      ##", "      ##", "      ##", "      ##",
                "      ##", "       ##", "        ##"]
EXPLAIN_CLOSE = ["", "", "      ##", "       ##", "        ##", "        ##", "        ##",
                 "        ##", "        ##", "       ##", "      ##"]
EXPLAIN_OK = ["", "", "", "             ##", "            ##", "           ##", "  ##      ##",
              "   ##    ##", "    ##  ##", "     ####", "      ##"]
EXPLAIN_CANCEL = ["", "", "  ##       ##", "   ##     ##", "    ##   ##", "     ## ##", "      ###",
                  "     ## ##", "    ##   ##", "   ##     ##", "  ##       ##"]
EXPLAIN_BUTTONS = [("Plus", EXPLAIN_PLUS), ("Minus", EXPLAIN_MINUS), ("Times", EXPLAIN_TIMES),
                   ("Divide", EXPLAIN_DIVIDE), ("Open", EXPLAIN_OPEN), ("Close", EXPLAIN_CLOSE),
                   ("Ok", EXPLAIN_OK), ("Cancel", EXPLAIN_CANCEL)]


WHITE = (255, 255, 255)   # the check states' transparent colour
GREY_MARK = (128, 128, 128)
# Tick of the checked box, as (x, y) inside the 11 x 11 image.
TICK = {(3, 5), (3, 6), (4, 6), (4, 7), (5, 7), (5, 6), (6, 5), (6, 4), (7, 4), (7, 3),
        (3, 4), (4, 5), (5, 5), (6, 3)}


def check_states(x, y):
    """Bitmap 224: four 11 x 11 images: no box, empty, checked, partly checked."""
    state, cx = divmod(x, 11)
    if state == 0:
        return WHITE
    if cx == 0 or cx == 10 or y == 0 or y == 10:
        return BLACK
    if state == 2 and (cx, y) in TICK:
        return BLACK
    if state == 3 and 2 <= cx <= 8 and 2 <= y <= 8:
        return GREY_MARK
    return WHITE


# The General page's alignment buttons (24 x 22): four text lines placed
# left, in the middle or right, or a text bar at the top, centre or bottom
# of a frame; released with a raised edge, pressed sunken on a lighter face.
SHADOW = (128, 128, 128)
LIGHT = (224, 224, 224)
HORZ_LINES = [(14, 8), (10, 8), (14, 8), (8, 8)]   # (length, unused)


def align_pixel(kind, pressed):
    def glyph(x, y):
        if kind in ("left", "hmiddle", "right"):
            row = y - 5
            if row < 0 or row > 11 or row % 3 != 0:
                return False
            length = HORZ_LINES[row // 3][0]
            start = {"left": 5, "hmiddle": 12 - length // 2, "right": 19 - length}[kind]
            return start <= x < start + length
        if x in (5, 18) and 3 <= y <= 18 or y in (3, 18) and 5 <= x <= 18:
            return True
        top = {"top": 6, "vcenter": 9, "bottom": 12}[kind]
        return 8 <= x <= 15 and top <= y <= top + 3

    def pixel(x, y):
        w, h = 24, 22
        if x == 0 or y == 0:
            return SHADOW if pressed else WHITE
        if x == w - 1 or y == h - 1:
            return WHITE if pressed else BLACK
        if x == w - 2 or y == h - 2:
            return LIGHT if pressed else SHADOW
        shift = 1 if pressed else 0
        if glyph(x - shift, y - shift):
            return BLACK
        return LIGHT if pressed else GREY
    return pixel


# The edge icons (16 x 15): a dotted grey square with its one edge solid.
def edge_pixel(edge):
    def pixel(x, y):
        l, t, r, b = 2, 2, 13, 12
        on = {"left": x == l and t <= y <= b, "top": y == t and l <= x <= r,
              "right": x == r and t <= y <= b, "bottom": y == b and l <= x <= r,
              "updiag": l <= x <= r and abs((b - y) * (r - l) - (x - l) * (b - t)) <= 6,
              "downdiag": l <= x <= r and abs((y - t) * (r - l) - (x - l) * (b - t)) <= 6}[edge]
        if on:
            return BLACK
        frame = (x in (l, r) and t <= y <= b) or (y in (t, b) and l <= x <= r)
        return SHADOW if frame and (x + y) % 2 == 0 else GREY
    return pixel


ALIGN_BUTTONS = [("Left", "left"), ("HMiddle", "hmiddle"), ("Right", "right"), ("Top", "top"),
                 ("VCenter", "vcenter"), ("Bottom", "bottom")]
EDGE_ICONS = [("Left", "left"), ("Top", "top"), ("Right", "right"), ("Bottom", "bottom"),
              ("UpDiagonal", "updiag"), ("DownDiagonal", "downdiag")]


def main():
    write_bmp("tests/shell/res/MenuImages1.bmp", 48, 15,
              solid_cells([(255, 0, 0), (0, 255, 0), (0, 0, 255)]))
    write_bmp("tests/shell/res/MenuImages2.bmp", 32, 15,
              solid_cells([(255, 255, 0), (255, 0, 255)]))
    write_bmp("resources/tallyform/res/FontTypes.bmp", 32, 15, glyph_cells(FONT_TYPE_GLYPHS))
    write_bmp("resources/tallyform/res/CheckStates.bmp", 44, 11, check_states)
    for name, glyph in EXPLAIN_BUTTONS:
        write_bmp("resources/tallyform/res/Explain%s.bmp" % name, 16, 15, glyph_cells([glyph]))
    for name, kind in ALIGN_BUTTONS:
        write_bmp("resources/tallyform/res/Align%sUp.bmp" % name, 24, 22, align_pixel(kind, False))
        write_bmp("resources/tallyform/res/Align%sDown.bmp" % name, 24, 22, align_pixel(kind, True))
    for name, kind in EDGE_ICONS:
        write_bmp("resources/tallyform/res/Edge%s.bmp" % name, 16, 15, edge_pixel(kind))


if __name__ == "__main__":
    main()
