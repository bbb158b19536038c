#!/usr/bin/env python3
"""Draws the icons of both programs and writes them as .ico files, each one
image of 32 bits per pixel, and as PNG files for the Linux desktop menu: Cofrelo's, a stack of gold coins in front of a
green money box at 48 x 48; Ratiolo's, a white percent sign on a teal rounded
square at 128 x 128.

Usage: tools/make-icons.py   (writes ledger/shell/win32/Cofrelo.ico, calculator/win32/Ratiolo.ico
                              and packaging/cofrelo.png, packaging/ratiolo.png)

Only the standard library: each image is a bottom-up BGRA bitmap with its
1-bit AND mask, the classic icon format every Windows version loads. The
output is the same byte for byte on every run; run it only to change a design.
"""

import math
import pathlib
import struct
import zlib

SAMPLES = 4  # per axis: edges are smoothed by 16 samples per pixel

COFRELO_SIZE = 48

def rounded_box(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 and left <= x <= right and top <= y <= bottom


def ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def color_at(x, y):
    """The color (r, g, b) of the design at a point, or None where it is transparent."""
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


def cofrelo_pixel(column, row):
    """The pixel's color: the average of the design over its samples."""
    total = [0, 0, 0]
    covered = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            c = color_at(column + (sx + 0.5) / SAMPLES, row + (sy + 0.5) / SAMPLES)
            if c:
                total = [t + v for t, v in zip(total, c)]
                covered += 1
    if not covered:
        return (0, 0, 0, 0)
    return (total[0] // covered, total[1] // covered, total[2] // covered, 255 * covered // (SAMPLES * SAMPLES))


RATIOLO_SIZE = 128
SQUARE_INSET = 4.0
SQUARE_RADIUS = 24.0
TOP_COLOR = (38, 166, 154)  # RGB, the square's top edge
BOTTOM_COLOR = (0, 105, 92)  # RGB, its bottom edge

RING_OUTER = 17.0
RING_INNER = 8.0
RING_CENTRES = ((44.0, 42.0), (84.0, 86.0))
SLASH = ((40.0, 100.0), (88.0, 28.0))  # from bottom-left to top-right
SLASH_HALF_WIDTH = 6.5


def inside_rounded_square(x, y):
    low, high = SQUARE_INSET, RATIOLO_SIZE - SQUARE_INSET
    if not (low <= x <= high and low <= y <= high):
        return False
    # Distance into the corner region, if the point lies in one.
    dx = max(low + SQUARE_RADIUS - x, x - (high - SQUARE_RADIUS), 0.0)
    dy = max(low + SQUARE_RADIUS - y, y - (high - SQUARE_RADIUS), 0.0)
    return dx * dx + dy * dy <= SQUARE_RADIUS * SQUARE_RADIUS


def distance_to_segment(x, y, start, end):
    (x0, y0), (x1, y1) = start, end
    vx, vy = x1 - x0, y1 - y0
    t = max(0.0, min(1.0, ((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy)))
    return math.hypot(x - (x0 + t * vx), y - (y0 + t * vy))


def inside_percent_sign(x, y):
    for cx, cy in RING_CENTRES:
        if RING_INNER <= math.hypot(x - cx, y - cy) <= RING_OUTER:
            return True
    return distance_to_segment(x, y, *SLASH) <= SLASH_HALF_WIDTH


def ratiolo_pixel(px, py):
    """The pixel's straight (not premultiplied) RGBA color."""
    square = sign = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = px + (sx + 0.5) / SAMPLES
            y = py + (sy + 0.5) / SAMPLES
            if inside_rounded_square(x, y):
                square += 1
                if inside_percent_sign(x, y):
                    sign += 1
    if square == 0:
        return (0, 0, 0, 0)
    t = py / (RATIOLO_SIZE - 1)
    background = [top + (bottom - top) * t for top, bottom in zip(TOP_COLOR, BOTTOM_COLOR)]
    white_share = sign / square
    rgb = [round(c + (255 - c) * white_share) for c in background]
    alpha = round(255 * square / SAMPLES**2)
    return (*rgb, alpha)



def icon_bytes(size, pixel):
    rows = [[pixel(x, y) for x in range(size)] for y in range(size)]

    color = bytearray()
    mask = bytearray()
    mask_row_bytes = (size + 31) // 32 * 4  # rows stay DWORD-aligned
    for row in reversed(rows):  # a bitmap stores its bottom row first
        mask_bits = 0
        for r, g, b, a in row:
            color += bytes((b, g, r, a))
            mask_bits = (mask_bits << 1) | (1 if a == 0 else 0)
        mask += (mask_bits << (mask_row_bytes * 8 - size)).to_bytes(mask_row_bytes, "big")

    # BITMAPINFOHEADER; the height counts the color image and the mask.
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(color) + len(mask), 0, 0, 0, 0)
    image = header + color + mask

    directory = struct.pack("<HHH", 0, 1, 1)
    entry_size = 16
    # A width or height of 0 would mean 256; smaller sizes are written as they are.
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), len(directory) + entry_size)
    return directory + entry + image


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_bytes(size, pixel):
    # Each row starts with filter type 0 (none); the pixels are straight RGBA.
    raw = b"".join(b"\0" + bytes(c for x in range(size) for c in pixel(x, y)) for y in range(size))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", zlib.compress(raw, 9))
            + png_chunk(b"IEND", b""))


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    (root / "ledger" / "shell" / "win32" / "Cofrelo.ico").write_bytes(icon_bytes(COFRELO_SIZE, cofrelo_pixel))
    (root / "calculator" / "win32" / "Ratiolo.ico").write_bytes(icon_bytes(RATIOLO_SIZE, ratiolo_pixel))
    (root / "packaging" / "cofrelo.png").write_bytes(png_bytes(COFRELO_SIZE, cofrelo_pixel))
    (root / "packaging" / "ratiolo.png").write_bytes(png_bytes(RATIOLO_SIZE, ratiolo_pixel))


if __name__ == "__main__":
    main()
