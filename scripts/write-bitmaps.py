#!/usr/bin/env python3
"""Writes the small 8-bit BMP images (16x15 cells) of the face list's font
type mark and of the shell tests' menus.  Run from the repository root; the
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


def main():
    write_bmp("tests/shell/res/MenuImages1.bmp", 48, 15,
              solid_cells([(255, 0, 0), (0, 255, 0), (0, 0, 255)]))
    write_bmp("tests/shell/res/MenuImages2.bmp", 32, 15,
              solid_cells([(255, 255, 0), (255, 0, 255)]))
    write_bmp("resources/tallyform/res/FontTypes.bmp", 32, 15, glyph_cells(FONT_TYPE_GLYPHS))
    write_bmp("resources/tallyform/res/CheckStates.bmp", 44, 11, check_states)
    for name, glyph in EXPLAIN_BUTTONS:
        write_bmp("resources/tallyform/res/Explain%s.bmp" % name, 16, 15, glyph_cells([glyph]))


if __name__ == "__main__":
    main()
