#!/usr/bin/env python3
"""Draws the launcher's tray icon: one 32x32 image in the 16 standard VGA colours.

A blue rounded tile with a white "launch" arrow: bold shapes that still read when the tray
shrinks the image to 16x16. Writes launcher/OstrelLauncher.ico (committed).
"""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette, as (blue, green, red, reserved) quads.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]  # (r, g, b)
BLACK, NAVY, GREY, BLUE, WHITE, YELLOW = 0, 4, 8, 12, 15, 11
SIZE = 32


def inside_rounded_square(x, y, inset, radius):
    lo, hi = inset, SIZE - 1 - inset
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_arrow(x, y):
    # A thick arrow pointing up and to the right: a head (triangle) and a shaft.
    px, py = x + 0.5, y + 0.5
    # Rotate into arrow space: u along the arrow (towards top right), v across it.
    u = (px - 16) * 0.7071 - (py - 16) * 0.7071
    v = (px - 16) * 0.7071 + (py - 16) * 0.7071
    head = 1.0 <= u <= 10.5 and abs(v) <= (10.5 - u) * 0.95
    shaft = -10.0 <= u <= 2.0 and abs(v) <= 2.6
    return head or shaft


def pixel(x, y):
    if not inside_rounded_square(x, y, 0, 6):
        return None  # transparent
    if not inside_rounded_square(x, y, 1, 5):
        return NAVY  # a dark rim keeps the tile apart from any taskbar colour
    if inside_arrow(x, y):
        return WHITE
    return BLUE


def build_ico():
    rows_xor, rows_and = [], []
    for y in range(SIZE - 1, -1, -1):  # bitmaps are stored bottom-up
        nibbles, mask_bits = [], []
        for x in range(SIZE):
            colour = pixel(x, y)
            nibbles.append(BLACK if colour is None else colour)
            mask_bits.append(1 if colour is None else 0)
        rows_xor.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        rows_and.append(bytes(
            int("".join(str(b) for b in mask_bits[i:i + 8]), 2) for i in range(0, SIZE, 8)))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor = b"".join(rows_xor)
    mask = b"".join(rows_and)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else \
        Path(__file__).resolve().parent.parent / "launcher" / "OstrelLauncher.ico"
    out.write_bytes(build_ico())
    print(out)


if __name__ == "__main__":
    main()
