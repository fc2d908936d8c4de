#!/usr/bin/env python3
"""Writes setup32.ico, the program's 32x32 16-colour icon: a box with a
downward arrow.  Run: python3 make_icon.py setup32.ico"""
import struct, sys

W = H = 32
pix = [[0] * W for _ in range(H)]       # palette index per pixel, 0 = black
for y in range(4, 28):
    for x in range(4, 28):
        pix[y][x] = 15 if (x in (4, 27) or y in (4, 27)) else 1   # white frame, dark blue box
for y in range(8, 18):
    for x in range(14, 18):
        pix[y][x] = 14                  # yellow shaft
for i, y in enumerate(range(18, 24)):
    for x in range(10 + i, 22 - i):
        pix[y][x] = 14                  # arrow head

palette = [(0,0,0),(0,0,128),(0,128,0),(0,128,128),(128,0,0),(128,0,128),(128,128,0),(192,192,192),
           (128,128,128),(0,0,255),(0,255,0),(0,255,255),(255,0,0),(255,0,255),(255,255,0),(255,255,255)]
xor = b""
for y in reversed(range(H)):
    row = bytes((pix[y][x] << 4) | pix[y][x + 1] for x in range(0, W, 2))
    xor += row
andmask = b"\x00" * (4 * H)
bih = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 4, 0, len(xor) + len(andmask), 0, 0, 16, 0)
pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
image = bih + pal + xor + andmask
header = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 16, 0, 1, 4, len(image), 22)
open(sys.argv[1], "wb").write(header + image)
