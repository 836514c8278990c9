#!/usr/bin/env python3
"""Draws the about page's picture, res/picture.bmp (bitmap 107, 131x87
pixels): a mouse beside a rising bar chart, with a whirl of clicks above
it. Its colours are few, so it is stored with a palette of them, 8 bits a
pixel, which shows every pixel exactly as 24 bits would, and each row as
runs of one colour (BI_RLE8), a quarter of that again. Run it again after a change and commit the .bmp it writes; the build
uses the committed file."""
import math
import os
import struct

W, H = 131, 87

def blend(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))

def draw():
    sky_top, sky_bottom = (70, 110, 190), (200, 220, 245)
    img = [[blend(sky_top, sky_bottom, y / (H - 1)) for _ in range(W)] for y in range(H)]

    def put(x, y, colour):
        if 0 <= x < W and 0 <= y < H:
            img[y][x] = colour

    # ground
    for y in range(72, H):
        for x in range(W):
            img[y][x] = blend((90, 150, 80), (50, 100, 50), (y - 72) / (H - 73))
    # bar chart: the counts of five days, rising
    for i, height in enumerate([14, 22, 19, 31, 44]):
        left = 66 + i * 12
        for y in range(72 - height, 72):
            for x in range(left, left + 9):
                edge = x in (left, left + 8) or y == 72 - height
                put(x, y, (0, 90, 0) if edge else (60, 190, 60))
    # the mouse: white body, black outline, red left button
    cx, cy, rx, ry = 32, 50, 17, 22
    for y in range(H):
        for x in range(W):
            d = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
            if d > 1.0:
                continue
            inner = ((x + 0.5 - cx) / (rx - 1.6)) ** 2 + ((y + 0.5 - cy) / (ry - 1.6)) ** 2
            if inner > 1.0 or (y < cy - 4 and abs(x + 0.5 - cx) < 0.8) or abs(y + 0.5 - (cy - 4)) < 0.8:
                img[y][x] = (0, 0, 0)
            elif y < cy - 4 and x < cx:
                img[y][x] = (220, 30, 30)
            else:
                shade = 255 - int(50 * max(0.0, (x - cx) / rx))
                img[y][x] = (shade, shade, shade)
    # the cable, whirling up from the mouse
    for t in range(400):
        a = t / 400 * 4 * math.pi
        r = 2 + t / 40
        x = int(cx + r * math.cos(a))
        y = int(cy - ry - 6 + r * math.sin(a) * 0.6)
        put(x, y, (0, 0, 0))
    # click sparks over the chart
    for sx, sy in [(80, 16), (104, 10), (118, 22)]:
        for k in range(8):
            a = k * math.pi / 4
            for r in range(2, 5):
                put(int(sx + r * math.cos(a)), int(sy + r * math.sin(a)), (255, 230, 40))
    return img

def bmp(img):
    colours = sorted({c for row in img for c in row})
    if len(colours) > 256:
        raise SystemExit(f"{len(colours)} colours do not fit a palette of 256")
    index = {c: i for i, c in enumerate(colours)}
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in colours)
    # Runs of at most 255 pixels, each row ended by 0 0, the picture by 0 1.
    pixels = bytearray()
    for y in reversed(range(H)):
        x = 0
        while x < W:
            run = 1
            while x + run < W and run < 255 and img[y][x + run] == img[y][x]:
                run += 1
            pixels += bytes((run, index[img[y][x]]))
            x += run
        pixels += b'\0\0'
    pixels += b'\0\1'
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 8, 1, len(pixels), 2835, 2835,
                       len(colours), 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
with open(os.path.join(here, 'picture.bmp'), 'wb') as out:
    out.write(bmp(draw()))
