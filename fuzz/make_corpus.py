#!/usr/bin/env python3
"""Writes the seed corpus: small bitmaps of every layout the loader reads.

    fuzz/make_corpus.py DIR
"""
import os
import struct
import sys


def bmp(w, h, bits, pixels, palette=(), compression=0, header=40, masks=(), used=0, size=0):
    entry = 3 if header == 12 else 4
    pal = b"".join(struct.pack("<I", c)[:entry] for c in palette)
    if header == 12:
        info = struct.pack("<IHHHH", 12, w, h, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header, w, h, 1, bits, compression, size, 2835, 2835, used, 0)
        if header >= 52:
            info += b"".join(struct.pack("<I", m) for m in masks)
        info += b"\0" * (header - len(info))
        if header < 52:
            info += b"".join(struct.pack("<I", m) for m in masks)
    offset = 14 + len(info) + len(pal)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + pal + pixels


def rows(w, h, bits, value):
    stride = (w * bits + 31) // 32 * 4
    return bytes((value(i) & 0xFF) for i in range(stride * h))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    grey = [0xFFFFFF, 0, 0xFF0000, 0xFEFFFF] + [0x808080] * 252
    seeds = {
        "empty": b"",
        "pal1": bmp(9, 3, 1, rows(9, 3, 1, lambda i: 0x5A + i), [0, 0xFFFFFF]),
        "pal1-white-first": bmp(9, 3, 1, rows(9, 3, 1, lambda i: 0xC3 * i), [0xFFFFFF, 0]),
        "pal4": bmp(5, 2, 4, rows(5, 2, 4, lambda i: 0x01 * i * 17), grey[:16]),
        "pal8": bmp(5, 2, 8, rows(5, 2, 8, lambda i: i % 4), grey),
        "pal8-used": bmp(5, 2, 8, rows(5, 2, 8, lambda i: i % 6), grey[:4], used=4),
        "os2-pal8": bmp(5, 2, 8, rows(5, 2, 8, lambda i: i % 4), grey, header=12),
        "os2-rgb24": bmp(3, 2, 24, rows(3, 2, 24, lambda i: 255 if i % 5 else 0), header=12),
        "rgb16": bmp(3, 2, 16, rows(3, 2, 16, lambda i: 0xFF if i % 3 else 0x7F)),
        "rgb16-565": bmp(3, 2, 16, rows(3, 2, 16, lambda i: 0xFF), compression=3,
                         masks=(0xF800, 0x7E0, 0x1F)),
        "rgb24": bmp(3, 2, 24, rows(3, 2, 24, lambda i: 255 if i % 4 else 254)),
        "rgb24-topdown": bmp(3, -2, 24, rows(3, 2, 24, lambda i: 255 if i % 4 else 0)),
        "rgb32": bmp(3, 2, 32, rows(3, 2, 32, lambda i: 255 if i % 7 else 0)),
        "rgb32-bf": bmp(3, 2, 32, rows(3, 2, 32, lambda i: 255), compression=3,
                        masks=(0xFF0000, 0xFF00, 0xFF)),
        "rgb32-v4": bmp(3, 2, 32, rows(3, 2, 32, lambda i: 255 if i % 6 else 1), compression=3,
                        header=108, masks=(0xFF000000, 0xFF0000, 0xFF00)),
        "rgb32-v5": bmp(3, 2, 32, rows(3, 2, 32, lambda i: 255), header=124),
        "rle8": bmp(6, 3, 8, bytes([2, 0, 0, 3, 1, 2, 0, 0, 0, 0, 0, 2, 1, 1, 3, 1, 0, 1]),
                    grey, compression=1, size=18),
        "rle4": bmp(7, 2, 4, bytes([3, 0x10, 0, 5, 0x12, 0x30, 0x10, 0, 0, 0, 0, 2, 2, 0, 4, 0x01, 0, 1]),
                    grey[:16], compression=2, size=18),
    }
    for name, data in seeds.items():
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(data)


main()
