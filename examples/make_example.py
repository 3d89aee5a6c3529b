#!/usr/bin/env python3
"""Writes torvi.bmp: a 120 x 60 24-bit picture, white with a black ring, a red square, a pale grey
bar (254, 254, 254: not pure white, so it prints black) and a blue band of stripes."""
import struct

W, H = 120, 60


def colour(x, y):
    dx, dy = x - 30, y - 30
    if 18 * 18 <= dx * dx + dy * dy <= 24 * 24:
        return (0, 0, 0)
    if 64 <= x < 84 and 10 <= y < 30:
        return (255, 0, 0)
    if 90 <= x < 114 and 10 <= y < 16:
        return (254, 254, 254)
    if 64 <= x < 114 and 40 <= y < 52 and (x // 3) % 2 == 0:
        return (0, 0, 255)
    return (255, 255, 255)


stride = (W * 3 + 3) // 4 * 4
rows = b""
for y in reversed(range(H)):  # bottom row first
    row = b"".join(bytes((b, g, r)) for r, g, b in (colour(x, y) for x in range(W)))
    rows += row + b"\0" * (stride - len(row))
header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
with open("torvi.bmp", "wb") as f:
    f.write(header + info + rows)
