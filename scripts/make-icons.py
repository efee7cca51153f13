#!/usr/bin/env python3
"""Draws the program icon (resources/Velmora.ico) from code.

The picture is the program's subject: a yellow question square linked to a
green (yes) and a red (no) answer square, on a transparent background, drawn
at each size Windows asks for from 96 to 192 DPI and in large icon views: 16,
24, 32, 48, 64 and 256 pixels, so no scaling of a smaller one blurs it. The
256-pixel image is stored as PNG, as Windows does for that size (as a bitmap it
alone would add a quarter of a megabyte to every generated executable). The
player stub gets a smaller set of its own (resources/Player.ico). The
output depends on nothing but this file: run it again after changing the
drawing; the .ico is committed so that the build needs no Python.
"""
import struct
import sys
import zlib
from pathlib import Path

YELLOW = (255, 214, 0)
GREEN = (0, 190, 0)
RED = (220, 0, 0)
LINE = (70, 70, 70)
BLUE = (38, 110, 214)


def draw(size):
    """Returns rows of RGBA tuples, top row first."""
    s = size / 16.0
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def rect(l, t, r, b, colour, outline=LINE):
        l, t, r, b = int(round(l * s)), int(round(t * s)), int(round(r * s)), int(round(b * s))
        for y in range(max(t, 0), min(b, size)):
            for x in range(max(l, 0), min(r, size)):
                edge = x in (l, r - 1) or y in (t, b - 1)
                pixels[y][x] = (outline if edge and outline else colour) + (255,)

    def hline(x1, x2, y, width):
        rect(x1, y, x2, y + width, LINE, None)

    def vline(x, y1, y2, width):
        rect(x, y1, x + width, y2, LINE, None)

    w = max(1.0 / s, 1.0) if size < 32 else 1.5
    vline(3.5, 6, 13.5, w)
    hline(3.5, 10, 7, w)
    hline(3.5, 10, 12.5, w)
    rect(0.5, 0.5, 7.5, 7.5, YELLOW)
    rect(9, 4.5, 15.5, 10, GREEN)
    rect(9, 10.5, 15.5, 16, RED)
    # A question mark in the question square, from 32 pixels on.
    if size >= 32:
        for (x, y) in [(3, 2), (4, 2), (5, 3), (4.5, 4), (4, 4.5), (4, 6)]:
            rect(x - 0.5, y - 0.5, x + 0.5, y + 0.5, BLUE, None)
    return pixels


def bitmap_entry(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(
        bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row
    )
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def png_entry(size):
    pixels = draw(size)
    rows = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
            chunk(b"IEND", b""))


SIZES = [16, 24, 32, 48, 64, 256]
PNG_FROM = 256
# The player stub's icon travels in every generated executable, whose stub
# has a budget of 32 KB. It keeps 16 and 32 pixels (Explorer's lists and
# details, the title bar, the taskbar and Alt+Tab at 100 and 200 percent)
# and 48 (medium icons and the desktop), all as PNG, which Windows reads at
# any size since Vista: the flat drawing compresses to a few hundred bytes a
# size where a 32-pixel bitmap takes 4 KB. The 256-pixel image (1.2 KB, a
# twenty-fifth of the budget) would serve only the extra-large view, where
# Windows scales the 48 up instead.
PLAYER_SIZES = [16, 32, 48]
PLAYER_PNG_FROM = 16


def write_icon(path, sizes, png_from=PNG_FROM):
    entries = [png_entry(size) if size >= png_from else bitmap_entry(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, entries):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    path.write_bytes(out + b"".join(entries))


if __name__ == "__main__":
    resources = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources"
    write_icon(resources / "Velmora.ico", SIZES)
    write_icon(resources / "Player.ico", PLAYER_SIZES, PLAYER_PNG_FROM)
    print(f"wrote {resources / 'Velmora.ico'} and {resources / 'Player.ico'}")
