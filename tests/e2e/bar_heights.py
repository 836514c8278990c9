#!/usr/bin/env python3
"""Prints the heights in pixels of a bar chart's bars, one a line, oldest
first, then "top H", the height of the chart's top rule above its base line,
from a picture (8-bit RGB, no header) of the chart control alone.

    bar_heights.py PICTURE.rgb WIDTH SLOTS

The chart's base line is the row with the most pixels of the text colour
(the darkest colour in the picture); a slot's bar is the run of pixels that
differ from the background (the colour of the top right corner) straight
above the base line in the middle of its slot, up to a rule (a row of one
colour across the whole chart) at most."""
import sys

path, width, slots = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
pixels = open(path, "rb").read()
height = len(pixels) // (3 * width)
rows = [[pixels[(y * width + x) * 3 : (y * width + x) * 3 + 3] for x in range(width)]
        for y in range(height)]
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
