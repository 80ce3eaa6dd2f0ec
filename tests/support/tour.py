"""The tour as every end-to-end driver knows it: the compiled scene tables and
a walk taking every move between scenes, read from tour.json (written by the
tour_tables tool from the tables the programs are built from), and the lines
every caption, label and message breaks into at 96 dpi, from lines.json.

As commands, for shell drivers (rectangles in twips): `tour.py walk` prints
the walk one move a line,
"from-title|item-name|item-caption|left top width height|to-title|S or H";
`tour.py words TITLE` prints what shows words in that scene once its markers
are pressed, one item a line, "marker|name|rect" first (to press), then
"button|...", "message|..." and "label|..." (the markers' words too), a
label's rectangle stopping where a control below it begins.
"""

import json
import os
import sys

_HERE = os.path.dirname(os.path.abspath(__file__))

with open(os.path.join(_HERE, "tour.json"), encoding="utf-8") as _file:
    _TABLES = json.load(_file)

with open(os.path.join(_HERE, "lines.json"), encoding="utf-8") as _file:
    _LINES = json.load(_file)

SCENES = {scene["id"]: scene for scene in _TABLES["scenes"]}
MESSAGE_BOX_NAME = _TABLES["messageBoxName"]
TWIPS_PER_PIXEL = 15


def item(scene_id, name):
    """The item of that name in the scene's table."""
    return next(i for i in SCENES[scene_id]["items"] if i["name"] == name)


def text_lines(scene_id):
    """{item name: [line, ...]}: how the scene's words break at 96 dpi, a
    marker label's while shown."""
    return _LINES[scene_id]


def title(scene_id):
    return SCENES[scene_id]["caption"]


def spoken_name(entry):
    """What a screen reader calls an item: its own words, or the name given to
    an item that shows none."""
    return entry["accessibleName"] or entry["caption"] or entry["text"]


def readable_items(scene_id):
    """What a screen reader finds in the scene, in listing order: (role, name,
    item) with role "button", "label", "text" or "image". Labels that lead
    somewhere are buttons; shapes and lines are drawing, left out."""
    roles = {"CommandButton": "button", "TextBox": "text", "PictureBox": "image"}
    for entry in SCENES[scene_id]["items"]:
        if entry["kind"] == "Label":
            yield ("button" if entry["action"] else "label"), entry["caption"], entry
        elif entry["kind"] in roles:
            name = MESSAGE_BOX_NAME if entry["kind"] == "TextBox" else spoken_name(entry)
            yield roles[entry["kind"]], name, entry


def message(entry):
    """A text box's text as it reads, with plain line breaks."""
    return entry["text"].replace("\r\n", "\n")


def _above_controls(label, items):
    """The label's rectangle, cut where a control lying over its lower part
    begins: what is left shows only the label's words and what is beneath."""
    left, top, width, height = label["rect"]
    for other in items:
        if other["kind"] not in ("CommandButton", "TextBox", "PictureBox"):
            continue
        o_left, o_top, o_width, _ = other["rect"]
        if o_left < left + width and left < o_left + o_width and top < o_top < top + height:
            height = o_top - top
    return [left, top, width, height]


def words(scene_id):
    """(kind, name, rectangle) for each marker, then each item showing words
    once the markers are pressed, in listing order."""
    items = SCENES[scene_id]["items"]
    markers = [e for e in items if (e["action"] or {}).get("kind") == "ToggleMarker"]
    marked = {e["action"]["label"] for e in markers}
    yield from (("marker", e["name"], e["rect"]) for e in markers)
    for entry in items:
        if entry["kind"] == "CommandButton" and entry["caption"]:
            yield "button", entry["name"], entry["rect"]
        elif entry["kind"] == "TextBox":
            yield "message", entry["name"], entry["rect"]
        elif entry["kind"] == "Label" and (entry["caption"] or entry["name"] in marked):
            yield "label", entry["name"], _above_controls(entry, items)


class Move:
    """One click of the walk: on `item` of scene `source`, leading to `target`."""

    def __init__(self, entry):
        self.source = entry["from"]
        self.target = entry["to"]
        self.item = item(self.source, entry["item"])
        self.hide_first = entry["order"] == "HideThenShow"

    def __repr__(self):
        return f"{self.source}.{self.item['name']} -> {self.target}"


WALK = [Move(entry) for entry in _TABLES["walk"]]


def main(argv):
    if argv[1:2] == ["words"] and len(argv) == 3:
        scene_id = next(s for s in SCENES if title(s) == argv[2])
        for kind, name, rect in words(scene_id):
            print(f"{kind}|{name}|{' '.join(str(v) for v in rect)}")
        return
    if argv[1:] != ["walk"]:
        sys.exit("usage: tour.py walk | tour.py words TITLE")
    every_move = {(s["id"], i["name"]) for s in SCENES.values() for i in s["items"]
                  if (i["action"] or {}).get("kind") == "GoTo"}
    missing = every_move - {(m.source, m.item["name"]) for m in WALK}
    if missing:
        sys.exit(f"the walk leaves out {sorted(missing)}")
    for move in WALK:
        rect = " ".join(str(v) for v in move.item["rect"])
        order = "H" if move.hide_first else "S"
        print(f"{title(move.source)}|{move.item['name']}|{move.item['caption']}|{rect}|"
              f"{title(move.target)}|{order}")


if __name__ == "__main__":
    main(sys.argv)
