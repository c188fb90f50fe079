#!/usr/bin/python3
"""pngprobe.py text|icon FILE: what the install tests need to know about a PNG. text: "glyphs", "blocks" or "none",
what the start-up message's band (20 pixels tall at the top left) holds: the atlas's glyphs light a few scattered
pixels there (a tenth of its 4800 at 640x480), cells without an atlas are solid white blocks (four fifths). icon:
WIDTHxHEIGHT and how many of the four edges (outer rows and columns) are black throughout: a grid short of the edge."""
import sys
from PIL import Image

mode, image = sys.argv[1], Image.open(sys.argv[2]).convert('RGB')
(w, h), pixel = image.size, image.load()
if mode == 'text':  # the message's cells from x 10 on; lit: every channel at least 100, text or text over the field
    lit = sum(min(pixel[x, y]) >= 100 for y in range(min(h, 20)) for x in range(10, min(w, 250)))
    print('none' if lit * 100 < 4800 else 'glyphs' if lit * 2 < 4800 else 'blocks')
else:
    edges = [[(x, 0) for x in range(w)], [(x, h - 1) for x in range(w)], [(0, y) for y in range(h)],
             [(w - 1, y) for y in range(h)]]
    print(f'{w}x{h}', sum(max(max(pixel[p]) for p in edge) == 0 for edge in edges))
