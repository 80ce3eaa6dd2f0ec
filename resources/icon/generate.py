#!/usr/bin/python3
"""Write every file of the Varn's House application icon.

  varns-house.ico          three images, in this order: 32 x 32 two-colour,
                           32 x 32 sixteen-colour, 16 x 16 sixteen-colour
  varns-house-3000N.bin    the same three images as raw RT_ICON resources
  varns-house-group.bin    the RT_GROUP_ICON directory naming 30001-30003
  hicolor/varns-house-N.png  RGBA pictures for the desktop's icon theme
  window/varns-house-N.rgba  the title-bar sizes as bare RGBA bytes, row by
                           row from the top, which the program puts in its
                           windows without decoding anything

Usage: generate.py [OUTPUT_DIRECTORY]   (default: the folder of this script)
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

import formats  # noqa: E402
import pixel_art  # noqa: E402
import rendering  # noqa: E402

FIRST_IMAGE_ID = 30001
PNG_SIZES = (16, 32, 48, 64, 128, 256)
WINDOW_SIZES = (16, 32, 48, 64)


def icon_entries():
    return [
        formats.IconEntry(32, 2, 1, formats.icon_image(pixel_art.mono_32(),
                                                       pixel_art.MONO_PALETTE, 1)),
        formats.IconEntry(32, 16, 4, formats.icon_image(pixel_art.colour_32(),
                                                        pixel_art.VGA_PALETTE, 4)),
        formats.IconEntry(16, 16, 4, formats.icon_image(pixel_art.colour_16(),
                                                        pixel_art.VGA_PALETTE, 4)),
    ]


def pixel_art_rgba(grid):
    palette = pixel_art.VGA_PALETTE
    return [[(0, 0, 0, 0) if c is None else palette[c] + (255,) for c in row] for row in grid]


def png_pixels(size):
    """The two smallest theme sizes reuse the hand-placed pixels; the larger
    ones are drawn at their own size."""
    if size == 16:
        return pixel_art_rgba(pixel_art.colour_16())
    if size == 32:
        return pixel_art_rgba(pixel_art.colour_32())
    return rendering.render(size)


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)


def main(argv):
    if len(argv) > 2:
        sys.stderr.write("usage: generate.py [OUTPUT_DIRECTORY]\n")
        return 2
    out_dir = argv[1] if len(argv) == 2 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(os.path.join(out_dir, "hicolor"), exist_ok=True)
    os.makedirs(os.path.join(out_dir, "window"), exist_ok=True)

    entries = icon_entries()
    assert [len(e.data) for e in entries] == [304, 744, 296]
    write(os.path.join(out_dir, "varns-house.ico"), formats.ico_file(entries))
    for number, entry in enumerate(entries):
        write(os.path.join(out_dir, f"varns-house-{FIRST_IMAGE_ID + number}.bin"), entry.data)
    write(os.path.join(out_dir, "varns-house-group.bin"),
          formats.group_icon_directory(entries, FIRST_IMAGE_ID))
    for size in PNG_SIZES:
        write(os.path.join(out_dir, "hicolor", f"varns-house-{size}.png"),
              formats.png_file(png_pixels(size)))
    for size in WINDOW_SIZES:
        write(os.path.join(out_dir, "window", f"varns-house-{size}.rgba"),
              bytes(channel for row in png_pixels(size) for pixel in row for channel in pixel))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
