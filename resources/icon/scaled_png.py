#!/usr/bin/python3
"""Write the application icon's 32 x 32 colour image as a PNG scaled up by a
whole factor, each pixel a square block (nearest neighbour), for the web
app's icons.

Usage: scaled_png.py SIZE OUTPUT.png   (SIZE a multiple of 32)
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import formats  # noqa: E402
import pixel_art  # noqa: E402


def main(argv):
    if len(argv) != 3 or not argv[1].isdigit() or int(argv[1]) % 32:
        sys.stderr.write("usage: scaled_png.py SIZE OUTPUT.png (SIZE a multiple of 32)\n")
        return 2
    factor = int(argv[1]) // 32
    palette = pixel_art.VGA_PALETTE
    rows = [[(0, 0, 0, 0) if c is None else palette[c] + (255,) for c in row]
            for row in pixel_art.colour_32()]
    scaled = [[pixel for pixel in row for _ in range(factor)] for row in rows for _ in range(factor)]
    with open(argv[2], "wb") as out:
        out.write(formats.png_file(scaled))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
