#!/usr/bin/python3
"""Write the application icon's 32 x 32 colour image as a PNG scaled up by a
whole factor, each pixel a square block (nearest neighbour), for the web
app's icons. Given a background colour, the image is centred on a square of
SIZE pixels in that colour, scaled by the largest whole factor that leaves a
margin: a home-screen icon must be opaque, and 180 pixels (an iPhone's) is
no multiple of 32.

Usage: scaled_png.py SIZE OUTPUT.png [RRGGBB]   (SIZE a multiple of 32 without RRGGBB)
"""

import os
import re
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import formats  # noqa: E402
import pixel_art  # noqa: E402

USAGE = "usage: scaled_png.py SIZE OUTPUT.png [RRGGBB] (SIZE a multiple of 32 without RRGGBB)\n"


def main(argv):
    if len(argv) not in (3, 4) or not argv[1].isdigit():
        sys.stderr.write(USAGE)
        return 2
    size = int(argv[1])
    background = None
    if len(argv) == 4:
        if not re.fullmatch(r"[0-9a-fA-F]{6}", argv[3]) or size < 40:
            sys.stderr.write(USAGE)
            return 2
        background = tuple(int(argv[3][i:i + 2], 16) for i in (0, 2, 4)) + (255,)
        factor = (size - 8) // 32
    elif size % 32 == 0 and size:
        factor = size // 32
    else:
        sys.stderr.write(USAGE)
        return 2
    palette = pixel_art.VGA_PALETTE
    empty = background or (0, 0, 0, 0)
    rows = [[empty if c is None else palette[c] + (255,) for c in row]
            for row in pixel_art.colour_32()]
    scaled = [[pixel for pixel in row for _ in range(factor)] for row in rows for _ in range(factor)]
    margin = (size - 32 * factor) // 2
    if margin:
        blank = [empty] * size
        scaled = ([blank] * margin + [[empty] * margin + row + [empty] * (size - margin - len(row))
                                      for row in scaled] + [blank] * (size - margin - len(scaled)))
    with open(argv[2], "wb") as out:
        out.write(formats.png_file(scaled))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
