"""The lines the Windows program breaks each caption, label and message into,
counted in the 96 dpi captures against the shared table (tests/support/
lines.json): the bands of rows holding ink inside the item, ink being any
colour but the one most of the item's inside has. At this size (11 px
characters on 12 px lines) the lines of an item are two or more blank rows
apart; a single blank row is the gap under an i's dot, and a band under four
rows high is the edge of a shape or line beneath a label, not words. A label
lies beneath the windowed items, whose pixels are left out of it."""

import collections
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "support"))
import tour  # noqa: E402

# How far inside an item's rectangle its words are looked for: past a button's
# bevel and the dotted focus frame inside it, and past a text box's sunken edge.
INSET = {"CommandButton": 4, "TextBox": 3, "Label": 0}


WINDOWED = ("CommandButton", "TextBox", "PictureBox")


def ink_bands(image, box, covered=()):
    """How many bands of words the rows of `box` (left, top, right, bottom,
    exclusive) hold, leaving out the pixels of the `covered` boxes."""
    left, top, right, bottom = box

    def shown(x, y):
        return not any(l <= x < r and t <= y < b for l, t, r, b in covered)

    rows = [[image.at(x, y) for x in range(left, right) if shown(x, y)]
            for y in range(top, bottom)]
    background = collections.Counter(c for row in rows for c in row).most_common(1)[0][0]
    bands = []
    for y, row in enumerate(rows):
        if any(c != background for c in row):
            if bands and y - bands[-1][1] <= 2:
                bands[-1][1] = y
            else:
                bands.append([y, y])
    return sum(1 for first, last in bands if last - first >= 3)


def pixel_box(entry, inset=0):
    left, top, width, height = (v // tour.TWIPS_PER_PIXEL for v in entry["rect"])
    return (left + inset, top + inset, left + width - inset, top + height - inset)


def check_lines(results, images, street_with_words):
    """`images`: the 96 dpi capture of every scene; `street_with_words`: the
    street with its marker's words shown, the one marker label captured so."""
    for scene_id, scene in tour.SCENES.items():
        items = scene["items"]
        for name, lines in tour.text_lines(scene_id).items():
            entry = tour.item(scene_id, name)
            image = images[scene_id]
            if not (entry["caption"] or entry["text"]):
                if (scene_id, name) != ("Form2", "Label3"):
                    continue  # a marker label, not captured with its words
                image = street_with_words
            covered = [pixel_box(other) for other in items if other["kind"] in WINDOWED] \
                if entry["kind"] == "Label" else []
            bands = ink_bands(image, pixel_box(entry, INSET[entry["kind"]]), covered)
            results.check(bands == len(lines), f"96 dpi {scene_id} {name} in {len(lines)} lines",
                          f"{bands} bands of ink rows, wanted {lines}")
