#!/usr/bin/env python3
"""Draws the program's two icons (res/app.ico 32x32, res/tray.ico 16x16),
16 colours each, from a small shape description. Run it again after a change
and commit the .ico files it writes; the build uses the committed files."""
import struct, sys, os

# The standard 16-colour palette, as (r, g, b).
PALETTE = [(0,0,0),(128,0,0),(0,128,0),(128,128,0),(0,0,128),(128,0,128),(0,128,128),(192,192,192),
           (128,128,128),(255,0,0),(0,255,0),(255,255,0),(0,0,255),(255,0,255),(0,255,255),(255,255,255)]
BLACK, DARKRED, GREY, DARKGREY, RED, WHITE, YELLOW = 0, 1, 7, 8, 9, 15, 11

def draw(size):
    """A mouse seen from above: white body, black outline, red left button,
    the cable curling up from its top."""
    s = size / 32.0
    img = [[None] * size for _ in range(size)]
    small = size < 32
    cx, cy, rx, ry = (8, 8, 6.2, 7.6) if small else (16 * s, 19 * s, 9.5 * s, 11.5 * s)
    edge = 1.0 if small else 1.3
    for y in range(size):
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            d = ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2
            if d <= 1.0:
                inner = ((px - cx) / (rx - edge)) ** 2 + ((py - cy) / (ry - edge)) ** 2 > 1.0
                if inner:
                    img[y][x] = BLACK
                elif py < cy - 1 * s and abs(px - cx) < 0.6 * max(s, 1):
                    img[y][x] = BLACK
                elif py < cy - 1 * s and px < cx:
                    img[y][x] = RED
                elif abs(py - (cy - 1 * s)) < 0.6 * max(s, 1):
                    img[y][x] = BLACK
                elif py > cy + 4 * s and px > cx + 2 * s:
                    img[y][x] = GREY
                else:
                    img[y][x] = WHITE
    # the cable: a short whirl above the body, where there is room for it
    for t in range(0, 0 if small else 100):
        import math
        a = t / 100.0 * 3.5 * math.pi
        r = (1.0 + t / 25.0) * s
        x = int(cx + r * math.cos(a) + 0.5 * s)
        y = int(cy - ry - 2.8 * s + r * math.sin(a) * 0.7)
        for dx in range(max(1, int(s))):
            if 0 <= x + dx < size and 0 <= y < size and img[y][x + dx] is None:
                img[y][x + dx] = BLACK
    return img

def ico(size):
    img = draw(size)
    xor = bytearray()
    for y in reversed(range(size)):
        row = bytearray()
        for x in range(0, size, 2):
            a = img[y][x] if img[y][x] is not None else 0
            b = img[y][x + 1] if img[y][x + 1] is not None else 0
            row.append((a << 4) | b)
        xor += row
    andmask = bytearray()
    stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        bits = 0
        row = bytearray(stride)
        for x in range(size):
            if img[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        andmask += row
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(xor) + len(andmask), 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    image = header + pal + xor + andmask
    dirent = struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return struct.pack('<HHH', 0, 1, 1) + dirent + image

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
open(os.path.join(here, 'app.ico'), 'wb').write(ico(32))
open(os.path.join(here, 'tray.ico'), 'wb').write(ico(16))
