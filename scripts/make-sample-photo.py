#!/usr/bin/env python3
"""Draws the sample device's photograph (a harbour at dusk, 400 x 300 pixels) and writes it as a
PNG, with nothing but the standard library. The picture is committed beside the sample device's
files; run this again only to change it:

    python3 scripts/make-sample-photo.py "examples/device/files/My Documents/Pictures/harbour.png"
"""
import math
import struct
import sys
import zlib

WIDTH, HEIGHT = 400, 300
HORIZON = 170


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def pixel(x, y):
    if y < HORIZON:
        # Sky from deep blue to orange, a sun low over the water.
        color = mix((40, 60, 140), (250, 170, 90), y / HORIZON)
        dx, dy = x - 280, y - 140
        if dx * dx + dy * dy < 28 * 28:
            color = (255, 230, 150)
        # A hill on the left.
        if y > HORIZON - 40 * math.exp(-((x - 80) / 70.0) ** 2):
            color = mix((30, 70, 40), (60, 100, 50), (x % 50) / 50.0)
        return color
    # Water: darker towards the bottom, the sun's light in ripples.
    color = mix((200, 120, 80), (20, 40, 90), (y - HORIZON) / (HEIGHT - HORIZON))
    if abs(x - 280) < 30 - (y - HORIZON) // 6 and (y // 4) % 2 == 0:
        color = mix(color, (255, 220, 140), 0.6)
    # A boat's hull and mast.
    if 120 <= x < 180 and 200 <= y < 212 and x - 120 > (y - 200) // 2:
        color = (60, 30, 20)
    if 148 <= x < 151 and 150 <= y < 200:
        color = (50, 30, 20)
    return color


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-sample-photo.py OUTPUT.png")
    rows = bytearray()
    for y in range(HEIGHT):
        rows.append(0)  # no filter
        for x in range(WIDTH):
            rows.extend(pixel(x, y))
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9))
    png += chunk(b"IEND", b"")
    with open(sys.argv[1], "wb") as out:
        out.write(png)


if __name__ == "__main__":
    main()
