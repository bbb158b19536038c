#!/usr/bin/env python3
"""Draws Cofrelo's icon, a stack of gold coins in front of a green money box,
as one 48 x 48 image with 32 bits per pixel (alpha), and writes it as
ledger/shell/Cofrelo.ico. Run it again only to change the design."""
import math
import struct
import sys

SIZE = 48
SAMPLES = 4  # supersampling per axis, for smooth edges


def rounded_box(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 and left <= x <= right and top <= y <= bottom


def ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def colour_at(x, y):
    """The colour (r, g, b) of the design at a point, or None where it is transparent."""
    # Coins, front to back: each a gold ellipse with a darker rim below it.
    for cy in (38, 32, 26):
        if ellipse(x, y, 31, cy, 13, 5):
            return (250, 204, 64) if ellipse(x, y, 31, cy - 1, 11.5, 3.6) else (196, 140, 24)
        if ellipse(x, y, 31, cy + 2.5, 13, 5) and y >= cy:
            return (160, 110, 16)
    # The money box with its coin slot.
    if rounded_box(x, y, 3, 6, 33, 40, 6):
        if rounded_box(x, y, 11, 11, 25, 14, 1.5):
            return (20, 60, 40)
        shade = 1.0 - 0.25 * (y - 6) / 34
        return (int(46 * shade), int(160 * shade), int(96 * shade))
    return None


def pixels():
    rows = []
    for row in range(SIZE):
        line = []
        for column in range(SIZE):
            total = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(column + (sx + 0.5) / SAMPLES, row + (sy + 0.5) / SAMPLES)
                    if c:
                        total = [total[0] + c[0], total[1] + c[1], total[2] + c[2], total[3] + 1]
            covered = total[3]
            if covered:
                line.append((total[0] // covered, total[1] // covered, total[2] // covered,
                             255 * covered // (SAMPLES * SAMPLES)))
            else:
                line.append((0, 0, 0, 0))
        rows.append(line)
    return rows


def ico_bytes(rows):
    """One 32-bit DIB image in an icon file: rows bottom-up, BGRA, then an AND mask."""
    size = len(rows)
    colour = b"".join(struct.pack("BBBB", b, g, r, a) for line in reversed(rows) for (r, g, b, a) in line)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # all zero: the alpha channel decides
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22)
    return directory + image


if __name__ == "__main__":
    target = sys.argv[1] if len(sys.argv) > 1 else "ledger/shell/Cofrelo.ico"
    with open(target, "wb") as out:
        out.write(ico_bytes(pixels()))
