#!/usr/bin/env python3
"""Prints the heights in pixels of a bar chart's bars, one a line, oldest
first, from a picture (binary PPM) of the chart control alone.

    bar_heights.py PICTURE.ppm SLOTS

The chart's base line is the row with the most pixels of the text colour
(the darkest colour in the picture); a slot's bar is the run of pixels that
differ from the background (the colour of the top right corner) straight
above the base line in the middle of its slot, up to a rule (a row of one
colour across the whole chart) at most."""
import sys


def read_ppm(path):
    # The kind, the size and the depth a line each, after any comment lines.
    with open(path, "rb") as f:
        header = []
        while len(header) < 3:
            line = f.readline()
            if not line.startswith(b"#"):
                header.append(line)
        kind, size, depth, pixels = header[0], header[1].split(), header[2], f.read()
    if kind.strip() != b"P6" or int(depth) != 255:
        sys.exit("not an 8-bit binary PPM")
    width, height = int(size[0]), int(size[1])
    rows = [
        [tuple(pixels[(y * width + x) * 3 : (y * width + x) * 3 + 3]) for x in range(width)]
        for y in range(height)
    ]
    return width, height, rows


def main():
    width, height, rows = read_ppm(sys.argv[1])
    slots = int(sys.argv[2])
    darkest = min((p for row in rows for p in row), key=sum)
    base = max(range(height), key=lambda y: sum(p == darkest for p in rows[y]))
    background = rows[0][width - 1]
    rules = {y for y in range(height) if len(set(rows[y])) == 1 and rows[y][0] != background}
    for i in range(slots):
        x = (width * i // slots + width * (i + 1) // slots) // 2
        y = base - 1
        while y >= 0 and rows[y][x] != background and y not in rules:
            y -= 1
        print(base - 1 - y)
    print("top", base - 1 - max((y for y in rules if y < base), default=-1))


main()
