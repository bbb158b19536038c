#!/usr/bin/env python3
"""Draws Ratiolo's icon, a white percent sign on a teal rounded square, and
writes it as an .ico holding one 128 x 128 image of 32 bits per pixel.

Usage: tools/make-ratiolo-icon.py [OUTPUT]   (default: calculator/Ratiolo.ico)

Only the standard library: the image is a bottom-up BGRA bitmap with its
1-bit AND mask, the classic icon format every Windows version loads. The
output is the same byte for byte on every run.
"""

import math
import pathlib
import struct
import sys

SIZE = 128
SAMPLES = 4  # per axis: edges are smoothed by 16 samples per pixel

SQUARE_INSET = 4.0
SQUARE_RADIUS = 24.0
TOP_COLOUR = (38, 166, 154)  # RGB, the square's top edge
BOTTOM_COLOUR = (0, 105, 92)  # RGB, its bottom edge

RING_OUTER = 17.0
RING_INNER = 8.0
RING_CENTRES = ((44.0, 42.0), (84.0, 86.0))
SLASH = ((40.0, 100.0), (88.0, 28.0))  # from bottom-left to top-right
SLASH_HALF_WIDTH = 6.5


def inside_rounded_square(x, y):
    low, high = SQUARE_INSET, SIZE - SQUARE_INSET
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


def pixel(px, py):
    """The pixel's straight (not premultiplied) RGBA colour."""
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
    t = py / (SIZE - 1)
    background = [top + (bottom - top) * t for top, bottom in zip(TOP_COLOUR, BOTTOM_COLOUR)]
    white_share = sign / square
    rgb = [round(c + (255 - c) * white_share) for c in background]
    alpha = round(255 * square / SAMPLES**2)
    return (*rgb, alpha)


def icon_bytes():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]

    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # a bitmap stores its bottom row first
        mask_bits = 0
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
            mask_bits = (mask_bits << 1) | (1 if a == 0 else 0)
        mask += mask_bits.to_bytes(SIZE // 8, "big")  # 16 bytes: rows stay DWORD-aligned

    # BITMAPINFOHEADER; the height counts the colour image and the mask.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask

    directory = struct.pack("<HHH", 0, 1, 1)
    entry_size = 16
    # A width or height of 0 would mean 256; 128 is written as it is.
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), len(directory) + entry_size)
    return directory + entry + image


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / "calculator" / "Ratiolo.ico"
    output.write_bytes(icon_bytes())
    print(f"wrote {output}")


if __name__ == "__main__":
    main()
