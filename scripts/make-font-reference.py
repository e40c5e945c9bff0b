#!/usr/bin/env python3
"""Writes the font's reference picture, which the tests compare drawn text against:

    scripts/make-font-reference.py > tests/font_reference.pbm

A plain PBM of the 95 glyphs, characters 32 to 126 in code order, 16 to a row, each in
a cell 10 pixels wide and 15 high with the glyph's 8 x 13 pixels one pixel in from the
cell's top left. It is made once from render/font_glyphs.cpp and then checked by eye
(`convert tests/font_reference.pbm -scale 400% glyphs.png`); after that the picture,
not the table, says what each glyph looks like.
"""

import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
COLUMNS, CELL_W, CELL_H, ROWS = 16, 10, 15, 13

with open(os.path.join(ROOT, "render", "font_glyphs.cpp"), encoding="utf-8") as f:
    glyphs = [[int(b, 16) for b in re.findall(r"0x([0-9A-Fa-f]{2})", line)]
              for line in f if line.lstrip().startswith("{0x")]
assert len(glyphs) == 95 and all(len(g) == ROWS for g in glyphs)

width, height = COLUMNS * CELL_W, (len(glyphs) + COLUMNS - 1) // COLUMNS * CELL_H
image = [[0] * width for _ in range(height)]
for i, rows in enumerate(glyphs):
    left, top = i % COLUMNS * CELL_W + 1, i // COLUMNS * CELL_H + 1
    for r, bits in enumerate(rows):  # row 0 is the glyph's bottom row
        for x in range(8):
            image[top + ROWS - 1 - r][left + x] = (bits >> (7 - x)) & 1
print(f"P1\n# the game's font, characters 32 to 126\n{width} {height}")
for line in image:
    print("".join(map(str, line)))
