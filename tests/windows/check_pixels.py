#!/usr/bin/env python3
"""Compares captures of the Windows program's scenes with what it must draw.

Usage: check_pixels.py --prefix WINE_PREFIX --picture game.bmp CAPTURES

CAPTURES holds a folder per resolution (96, 144) with FormN.ppm in each: the
client area of every scene, as test_pixels.sh captures them; and the street
started at 96 dpi and told it is at 144 (moved-144), then back at 96 with its
marker's words shown (moved-back-96); at 96 dpi the lines of every caption,
label and message are counted (check_lines.py). The colours the
program takes from the system are read from the Wine prefix's registry, which
is where GetSysColor finds them. Prints one line per check, then
"N passed, M failed"; exits 1 on any failure.
"""

import argparse
import pathlib
import re
import struct
import sys

from check_lines import check_lines

BLACK, WHITE, RED = (0, 0, 0), (255, 255, 255), (255, 0, 0)

# System colours named in the tables, by their names under HKCU\Control Panel\Colors.
SYSTEM_COLOURS = {"face": "ButtonFace", "light": "ButtonLight", "hilight": "ButtonHilight",
                  "window": "Window"}

# scene: (background, client size at 96 dpi, client size at 144 dpi). The whole
# last row and last column of every scene are background: nothing reaches there.
SCENES = {
    "Form1": (BLACK, (312, 112), (468, 168)),
    "Form2": (WHITE, (312, 206), (468, 309)),
    "Form3": ("face", (312, 206), (468, 309)),
    "Form4": ("face", (312, 206), (468, 309)),
    "Form5": ("face", (312, 206), (468, 309)),
    "Form6": ("face", (312, 206), (468, 309)),
    "Form7": ("face", (312, 206), (468, 309)),
    "Form9": ("face", (312, 206), (468, 309)),
    "Form10": ("face", (312, 206), (468, 309)),
}

# Areas of one colour: (scene, what, (left, top, right, bottom) inclusive,
# colour, sides), where sides names the sides ("tblr") at which the colour must
# stop right outside the area. Pixels are twips * dpi / 1440, to the nearest.
AREAS = {
    96: [
        ("Form2", "marker face inside its bevel", (26, 146, 38, 158), RED, "tblr"),
        # Line1 at y 168, 3 px wide.
        ("Form2", "Line1 exactly 3 px thick", (0, 167, 300, 169), BLACK, "tb"),
        # Shape1 spans x 48-80, y 80-152; the opaque label x 56-80, y 80-144.
        # Line3 runs down x 47-49.
        ("Form7", "Shape1 top edge left of the label", (50, 80, 55, 80), BLACK, "tbr"),
        ("Form7", "Shape1 top edge hidden by the label", (56, 80, 80, 80), "face", ""),
        ("Form7", "Shape1 right edge hidden by the label", (80, 80, 80, 144), "face", ""),
        ("Form7", "Shape1 right edge below the label", (80, 145, 80, 151), BLACK, "tlr"),
        # Picture1 spans x 64-240, y 0-112; inside its 2 px frame, x 66-238, y 2-110.
        # The frame is sunken: its right and bottom sides are the light colour
        # inside and the highlight outside, where the picture would otherwise go.
        ("Form9", "picture box frame clips the right", (239, 2, 239, 110), "light", ""),
        ("Form9", "picture box frame clips the bottom", (66, 111, 238, 111), "light", ""),
        ("Form9", "picture box outer right edge", (240, 2, 240, 110), "hilight", "r"),
        ("Form9", "picture box outer bottom edge", (66, 112, 238, 112), "hilight", "b"),
    ],
    144: [
        ("Form2", "marker face inside its bevel", (38, 218, 59, 239), RED, "tblr"),
        # Line1 at y 252. Widths scale by dpi / 96, halves rounded up: 3 px at
        # 96 dpi is 4.5 here, drawn 5 px wide; the shapes' 1 px outline is 2.
        ("Form2", "Line1 exactly 5 px thick", (0, 250, 452, 254), BLACK, "tb"),
        # Shape1 spans x 72-121, y 120-229; the label x 84-121,
        # y 120-217. Line3 runs down x 70-74.
        ("Form7", "Shape1 top edge left of the label", (75, 120, 83, 121), BLACK, "tbr"),
        ("Form7", "Shape1 top edge hidden by the label", (84, 120, 121, 121), "face", ""),
        ("Form7", "Shape1 right edge hidden by the label", (120, 120, 121, 217), "face", ""),
        ("Form7", "Shape1 right edge below the label", (120, 218, 121, 227), BLACK, "tlr"),
        # Picture1 spans x 96-361, y 0-169; inside its frame, x 98-359, y 2-167.
        ("Form9", "picture box frame clips the right", (360, 2, 360, 167), "light", ""),
        ("Form9", "picture box frame clips the bottom", (98, 168, 359, 168), "light", ""),
        ("Form9", "picture box outer right edge", (361, 2, 361, 167), "hilight", "r"),
        ("Form9", "picture box outer bottom edge", (98, 169, 359, 169), "hilight", "b"),
    ],
}

# The game picture's box inside its frame: (left, top, width, height) per dpi.
# The picture is drawn from its top-left corner at dpi / 96 times its size.
PICTURE_INSIDE = {96: (66, 2, 173, 109), 144: (98, 2, 262, 166)}

# The ending messages: the box inside its frame (left, top, right, bottom) per
# dpi. The text is red on the window colour.
MESSAGE_INSIDE = {96: (18, 10, 278, 62), 144: (26, 14, 419, 95)}
ENDINGS = ("Form4", "Form5", "Form6")
# The street's marker label, Label3, at 96 dpi: (left, top, right, bottom) inclusive.
STREET_WORDS = (24, 184, 280, 200)
MIN_RED_TEXT_PIXELS = 100


class Image:
    """A binary PPM (P6) with 8 bits a channel."""

    def __init__(self, path):
        data = path.read_bytes()
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        if not header:
            raise ValueError(f"{path}: not a binary PPM")
        self.width, self.height, maximum = map(int, header.groups())
        self.pixels = data[header.end():]
        if maximum != 255 or len(self.pixels) != self.width * self.height * 3:
            raise ValueError(f"{path}: not 8 bits a channel, or not as long as its header says")

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])


def read_bmp(path):
    """An uncompressed 24-bit BMP as a function (x, y) -> (r, g, b), top row 0."""
    data = path.read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        raise ValueError(f"{path}: {bits} bits a pixel, not 24")
    stride = (width * 3 + 3) // 4 * 4

    def at(x, y):
        row = height - 1 - y if height > 0 else y
        i = offset + row * stride + 3 * x
        return data[i + 2], data[i + 1], data[i]

    return abs(width), abs(height), at


def system_colours(prefix):
    """The prefix's system colours (HKCU\\Control Panel\\Colors) by table name."""
    text = (pathlib.Path(prefix) / "user.reg").read_text(encoding="utf-8", errors="replace")
    section = re.search(r"^\[Control Panel\\\\Colors\][^\n]*\n(.*?)(?:\n\n|\Z)", text,
                        re.M | re.S)
    if not section:
        raise ValueError("the prefix's registry has no Control Panel\\Colors")
    values = dict(re.findall(r'^"(\w+)"="(\d+ \d+ \d+)"', section.group(1), re.M))
    return {name: tuple(map(int, values[key].split())) for name, key in SYSTEM_COLOURS.items()}


class Results:
    def __init__(self):
        self.passed = self.failed = 0

    def check(self, ok, what, detail=""):
        if ok:
            self.passed += 1
            print(f"PASS: {what}")
        else:
            self.failed += 1
            print(f"FAIL: {what}{': ' + detail if detail else ''}")


def area_problem(image, box, colour, sides):
    """Why the area is not all `colour` bounded on `sides`, or None."""
    left, top, right, bottom = box
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if image.at(x, y) != colour:
                return f"({x},{y}) is {image.at(x, y)}, not {colour}"
    beyond = {"t": [(x, top - 1) for x in range(left, right + 1)],
              "b": [(x, bottom + 1) for x in range(left, right + 1)],
              "l": [(left - 1, y) for y in range(top, bottom + 1)],
              "r": [(right + 1, y) for y in range(top, bottom + 1)]}
    for side in sides:
        for x, y in beyond[side]:
            if image.at(x, y) == colour:
                return f"({x},{y}) beyond the area is {colour} too"
    return None


def picture_problem(image, dpi, picture):
    """Compares the picture box's inside with the picture scaled by dpi / 96,
    nearest neighbour. Only pixels that fall wholly inside one picture pixel
    are compared: at 1.5 times, every third column and row straddles two."""
    left, top, width, height = PICTURE_INSIDE[dpi]
    picture_width, picture_height, source = picture

    def covered(d):  # the picture pixel under screen pixel d, if only one
        first, last = d * 96 // dpi, ((d + 1) * 96 - 1) // dpi
        return first if first == last else None

    compared = 0
    for y in range(height):
        sy = covered(y)
        if sy is None or sy >= picture_height:
            continue
        for x in range(width):
            sx = covered(x)
            if sx is None or sx >= picture_width:
                continue
            compared += 1
            if image.at(left + x, top + y) != source(sx, sy):
                return (f"({left + x},{top + y}) is {image.at(left + x, top + y)}, the "
                        f"picture's ({sx},{sy}) is {source(sx, sy)}")
    return None if compared else "no pixel compared"


def check_moved_street(results, captures):
    """The street moved to 144 dpi is drawn as one started there, pixel for
    pixel (everything made anew from the twips, nothing stretched); back at
    96 it is as it was but for the marker's words, still shown."""
    fresh_144, moved = (Image(captures / folder / "Form2.ppm") for folder in ("144", "moved-144"))
    results.check((moved.width, moved.height, moved.pixels) ==
                  (fresh_144.width, fresh_144.height, fresh_144.pixels),
                  "Form2 moved from 96 to 144 dpi is drawn exactly as started at 144 dpi",
                  f"{moved.width}x{moved.height}")
    fresh_96, back = (Image(captures / folder / "Form2.ppm") for folder in ("96", "moved-back-96"))
    if (back.width, back.height) != (fresh_96.width, fresh_96.height):
        results.check(False, "Form2 back at 96 dpi", f"{back.width}x{back.height}")
        return
    left, top, right, bottom = STREET_WORDS
    in_words = [left <= x <= right and top <= y <= bottom
                for y in range(back.height) for x in range(back.width)]
    changed = [i for i, words in enumerate(in_words)
               if not words and back.pixels[3 * i:3 * i + 3] != fresh_96.pixels[3 * i:3 * i + 3]]
    red = sum(1 for y in range(top, bottom + 1) for x in range(left, right + 1)
              if back.at(x, y) == RED)
    results.check(not changed and red >= 20,
                  "Form2 back at 96 dpi is as it was, the marker's words still shown",
                  f"{len(changed)} pixels changed outside the words, {red} red in them")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--picture", required=True, type=pathlib.Path)
    parser.add_argument("captures", type=pathlib.Path)
    args = parser.parse_args()
    system = system_colours(args.prefix)
    picture = read_bmp(args.picture)
    print(f"system colours: {system}")

    def colour(c):
        return system[c] if isinstance(c, str) else c

    results = Results()
    for dpi, areas in AREAS.items():
        images = {}
        for scene, (background, *sizes) in SCENES.items():
            image = images[scene] = Image(args.captures / str(dpi) / f"{scene}.ppm")
            size = sizes[0] if dpi == 96 else sizes[1]
            results.check((image.width, image.height) == size, f"{dpi} dpi {scene} client size",
                          f"{image.width}x{image.height}, not {size[0]}x{size[1]}")
            if (image.width, image.height) != size:
                continue
            edge = (image.width - 1, 0, image.width - 1, image.height - 1)
            bottom = (0, image.height - 1, image.width - 1, image.height - 1)
            problem = (area_problem(image, edge, colour(background), "") or
                       area_problem(image, bottom, colour(background), ""))
            results.check(problem is None, f"{dpi} dpi {scene} background {colour(background)}",
                          problem)

        for scene, what, box, c, sides in areas:
            problem = area_problem(images[scene], box, colour(c), sides)
            results.check(problem is None, f"{dpi} dpi {scene} {what}", problem)

        problem = picture_problem(images["Form9"], dpi, picture)
        results.check(problem is None,
                      f"{dpi} dpi Form9 game picture at {dpi}/96 of its size, clipped by its box",
                      problem)

        left, top, right, bottom = MESSAGE_INSIDE[dpi]
        for scene in ENDINGS:
            inside = [images[scene].at(x, y)
                      for y in range(top, bottom + 1) for x in range(left, right + 1)]
            red, window = inside.count(RED), inside.count(system["window"])
            results.check(red >= MIN_RED_TEXT_PIXELS and window > len(inside) * 3 // 4,
                          f"{dpi} dpi {scene} red message on the window colour",
                          f"{red} red and {window} window-coloured of {len(inside)} pixels")

        if dpi == 96:
            check_lines(results, images, Image(args.captures / "moved-back-96" / "Form2.ppm"))

    check_moved_street(results, args.captures)
    print(f"{results.passed} passed, {results.failed} failed")
    return 1 if results.failed else 0


if __name__ == "__main__":
    sys.exit(main())
