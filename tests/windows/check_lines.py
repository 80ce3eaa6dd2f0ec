"""The lines the Windows program breaks each caption, label and message into,
counted in the 96 dpi captures against the shared table (tests/support/
lines.json): the bands of rows holding ink inside the item, ink being any
colour but the one most of the item's inside has. The lines of one item are
a whole blank row apart at this size (11 px characters on 12 px lines)."""

import collections
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "support"))
import tour  # noqa: E402

# How far inside an item's rectangle its words are looked for: past a button's
# bevel and the dotted focus frame inside it, and past a text box's sunken edge.
INSET = {"CommandButton": 4, "TextBox": 3, "Label": 0}


def ink_bands(image, box):
    """How many runs of rows of `box` (left, top, right, bottom, exclusive)
    hold a colour other than the box's most common one."""
    left, top, right, bottom = box
    rows = [[image.at(x, y) for x in range(left, right)] for y in range(top, bottom)]
    background = collections.Counter(c for row in rows for c in row).most_common(1)[0][0]
    inked = [any(c != background for c in row) for row in rows]
    return sum(1 for i, ink in enumerate(inked) if ink and (i == 0 or not inked[i - 1]))


def check_lines(results, images, street_with_words):
    """`images`: the 96 dpi capture of every scene; `street_with_words`: the
    street with its marker's words shown, the one marker label captured so."""
    for scene_id, items in tour.SCENES.items():
        for name, lines in tour.text_lines(scene_id).items():
            entry = tour.item(scene_id, name)
            image = images[scene_id]
            if not (entry["caption"] or entry["text"]):
                if (scene_id, name) != ("Form2", "Label3"):
                    continue  # a marker label, not captured with its words
                image = street_with_words
            left, top, width, height = (v // tour.TWIPS_PER_PIXEL for v in entry["rect"])
            inset = INSET[entry["kind"]]
            box = (left + inset, top + inset, left + width - inset, top + height - inset)
            bands = ink_bands(image, box)
            results.check(bands == len(lines), f"96 dpi {scene_id} {name} in {len(lines)} lines",
                          f"{bands} bands of ink rows, wanted {lines}")
