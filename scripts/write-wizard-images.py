#!/usr/bin/env python3
"""Writes the Create Template wizard's four step pictures and the template
folder tree's three drag cursors.  Run from the repository root; the files
are committed, so this is needed only to change them."""
import importlib.util
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))
module_spec = importlib.util.spec_from_file_location("bitmaps", os.path.join(here, "write-bitmaps.py"))
bitmaps = importlib.util.module_from_spec(module_spec)
module_spec.loader.exec_module(bitmaps)

DIGITS = {
    1: ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    2: [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    3: ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    4: ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
}
WIDTH, HEIGHT = 96, 224
DONE, CURRENT, LATER = (64, 160, 64), (32, 64, 160), (176, 176, 176)
BACK, WHITE = (236, 236, 236), (255, 255, 255)


def step_picture(current):
    """Four numbered steps down the picture: done ones green, the current one
    blue and larger, the ones to come grey."""
    def pixel(x, y):
        for step in range(1, 5):
            cy = 28 + (step - 1) * 56
            radius = 22 if step == current else 17
            dx, dy = x - WIDTH // 2, y - cy
            if dx * dx + dy * dy <= radius * radius:
                gx, gy = (dx + 10) // 4, (dy + 14) // 4
                if 0 <= gx < 5 and 0 <= gy < 7 and DIGITS[step][gy][gx] == "#":
                    return WHITE
                return DONE if step < current else CURRENT if step == current else LATER
            if step < 4 and abs(x - WIDTH // 2) <= 1 and cy + radius < y < cy + 56 - 17:
                return LATER
        return BACK
    return pixel


ARROW = [
    "X...........", "XX..........", "X.X.........", "X..X........", "X...X.......",
    "X....X......", "X.....X.....", "X......X....", "X.......X...", "X........X..",
    "X.....XXXXX.", "X..X..X.....", "X.X.X..X....", "XX..X..X....", "X....X..X...",
    ".....X..X...", "......XX....",
]


def write_cursor(path, plus, no_drop):
    """A 32x32 monochrome cursor: the arrow, with a plus box (copy) and/or a
    no-entry sign (no drop) beside it; hot spot at the arrow's tip."""
    shape = {}
    for y, row in enumerate(ARROW):
        for x, ch in enumerate(row):
            if ch == "X":
                shape[(x, y)] = "black"
            elif ch == "." and x <= y and (y < 10 or x < 6):
                shape[(x, y)] = "white"
    if plus:
        for y in range(18, 27):
            for x in range(12, 21):
                edge = x in (12, 20) or y in (18, 26)
                cross = (x == 16 and 20 <= y <= 24) or (y == 22 and 14 <= x <= 18)
                shape[(x, y)] = "black" if edge or cross else "white"
    if no_drop:
        for y in range(16, 31):
            for x in range(16, 31):
                d2 = (x - 23) ** 2 + (y - 23) ** 2
                if 36 <= d2 <= 56 or (d2 < 36 and abs((x - 23) + (y - 23)) <= 1):
                    shape[(x, y)] = "black"
                elif d2 < 36:
                    shape[(x, y)] = "white"
    xor_rows, and_rows = [], []
    for y in range(31, -1, -1):
        xor_bits = and_bits = 0
        for x in range(32):
            colour = shape.get((x, y))
            if colour is None:
                and_bits |= 1 << (31 - x)
            elif colour == "white":
                xor_bits |= 1 << (31 - x)
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 256, 0, 0, 2, 0)
    image = info + bytes((0, 0, 0, 0, 255, 255, 255, 0)) + b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, 0, 0,
                                                        len(image), 22)
    with open(path, "wb") as f:
        f.write(header + image)


def main():
    res = os.path.join("resources", "tallyform", "res")
    for step in range(1, 5):
        bitmaps.write_bmp(os.path.join(res, "WizardStep%d.bmp" % step), WIDTH, HEIGHT,
                          step_picture(step))
    write_cursor(os.path.join(res, "DropNone.cur"), plus=False, no_drop=True)
    write_cursor(os.path.join(res, "DropNoneCopy.cur"), plus=True, no_drop=True)
    write_cursor(os.path.join(res, "DropCopy.cur"), plus=True, no_drop=False)


if __name__ == "__main__":
    main()
