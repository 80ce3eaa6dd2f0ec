"""The scenes' pixels as a browser engine paints them, at device scales 1, 2
and 3 and in the light, dark and forced-colours schemes: client sizes,
backgrounds, the markers' faces, a 3-px line, the opaque label over a
rectangle, red message text, the game picture 1:1, the whole 3-D edges of
buttons, text boxes, the picture and the title-bar boxes, outlines and box
pictures of whole pixels, and the lines every caption, label and message breaks
into. Every figure comes from the compiled scene tables and the shared table of
lines; the system colours are read from the page.

With "own-fonts" after the engine, the tour is walked once more at scale 1
in a browser whose fontconfig knows DejaVu alone: the site's own fonts give
the same lines and the same pixels in every scene.

Usage: test_pixels.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE [own-fonts]]
"""

import os
import sys

from PIL import Image

import browser
import text_lines
import tour
from contrast import PAINTING
from own_fonts import check_own_fonts
from scene_shot import Shot, every_scene, pixels

GAME_PICTURE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                            "resources", "game-picture", "game.bmp")
RED = (255, 0, 0)
PICTURE_BORDER = 2  # the picture box's inset border, in CSS pixels
EDGES = {"CommandButton": "raised", "TextBox": "sunken", "PictureBox": "sunken"}
SCHEMES = {"light": "light", "dark": "dark", "forced colours": "forced"}  # as emulate() names them


def rgb(text):
    """(r, g, b) from a scene's "#rrggbb"."""
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def system_colours(page):
    """ButtonFace and CanvasText as the page paints them now, read from a probe."""
    found = page.js(PAINTING + """
        const probe = document.createElement('div');
        probe.style.forcedColorAdjust = 'none';
        document.body.append(probe);
        const colours = {};
        for (const name of arguments[0]) {
            probe.style.backgroundColor = `rgb(from ${name} r g b / 1)`;
            colours[name] = paint([getComputedStyle(probe).backgroundColor]).slice(0, 3);
        }
        probe.remove();
        return colours;""", ["ButtonFace", "CanvasText", "ButtonText"])
    return {name: tuple(value) for name, value in found.items()}


def check_background(checks, shot, scene, colours, where):
    wanted = rgb(scene["backColor"]) if scene["backColor"] else colours["ButtonFace"]
    width, height = scene["width"] // tour.TWIPS_PER_PIXEL, scene["height"] // tour.TWIPS_PER_PIXEL
    checks.equal(f"{where}: client size in CSS pixels", [shot.width, shot.height],
                 [width, height])
    corner = {c for x in (width - 2, width - 1) for y in (height - 2, height - 1)
              for c in shot.colours(x, y)}
    checks.equal(f"{where}: background at the bottom right corner", corner, {wanted})
    if wanted != colours["ButtonFace"]:
        # A background unlike the frame's ends exactly at the client's edges:
        # its last row and column, in device pixels.
        s = shot.scale
        last_row = shot.run(shot.device(0, height - 1), (1, 0), wanted)
        last_column = shot.run(shot.device(width - 1, 0), (0, 1), wanted)
        checks.equal(f"{where}: background's width and height in device pixels",
                     [last_row, last_column], [width * s, height * s])


def check_markers(checks, shot, scene, where):
    for entry in scene["items"]:
        if (entry["action"] or {}).get("kind") != "ToggleMarker":
            continue
        left, top, width, height = pixels(entry["rect"])
        face = shot.colours(left + width // 2, top + height // 2) | shot.colours(left + 3, top + 3)
        checks.equal(f"{where}: {entry['name']}'s face", face, {RED})
        checks.check(f"{where}: {entry['name']}'s left edge is its frame, not its face",
                     RED not in shot.colours(left, top + height // 2))


def check_words_colour(checks, shot, scene, where):
    """Words in the named red show in it (the edges of a glyph blend with the
    background); other words show no red at all."""
    for entry in scene["items"]:
        if entry["kind"] not in ("Label", "TextBox") or not (entry["caption"] or entry["text"]):
            continue
        area = shot.area(*pixels(entry["rect"])).getdata()
        red = sum(1 for r, g, b in area if r >= 200 and max(g, b) <= 64)
        if entry["foreColor"]:
            checks.check(f"{where}: {entry['name']} painted red ({red} pixels)", red >= 20)
        else:
            checks.equal(f"{where}: {entry['name']}'s red pixels", red, 0)


def check_line(checks, shot, colours, where):
    """Form2's Line3, vertical, measured across at its middle."""
    entry = tour.item("Form2", "Line3")
    x1, y1, _, y2 = [v // tour.TWIPS_PER_PIXEL for v in entry["line"]]
    width, s = entry["borderWidth"], shot.scale
    ink = colours["CanvasText"]
    if ink == rgb(tour.SCENES["Form2"]["backColor"]):
        return  # the system's text colour is the scene's own white: nothing shows
    row = shot.device(x1 - width - 3, (y1 + y2) // 2)
    across = range(row[0], row[0] + (2 * width + 6) * s)
    covered = [x for x in across if shot.data[x, row[1]] == ink]
    first = shot.device(x1 - width // 2, 0)[0]
    checks.equal(f"{where}: {entry['name']}'s device pixels across", covered,
                 list(range(first, first + width * s)))


def check_opaque_label(checks, shot, colours, where):
    """Form7's opaque "TV is here" hides the rectangle's outline beneath it."""
    label, box = (pixels(tour.item("Form7", name)["rect"]) for name in ("Label1", "Shape1"))
    left, top, width, height = label
    right, bottom = box[0] + box[2] - 1, box[1] + box[3] - 1
    hidden = [(x, box[1]) for x in range(left + 1, left + width - 1)] + \
             [(right, y) for y in range(top + 1, top + height - 1)]
    shown = [(x, box[1]) for x in range(box[0] + 2, left)] + \
            [(right, y) for y in range(top + height + 1, bottom)]
    # The words' top row may reach the outline's row (WebKit sets them a
    # pixel higher): beneath the label, no pixel is the outline's colour.
    under = set().union(*(shot.colours(x, y) for x, y in hidden))
    checks.check(f"{where}: the outline hidden under the label: {under}",
                 colours["ButtonFace"] in under and colours["CanvasText"] not in under)
    beside = set().union(*(shot.colours(x, y) for x, y in shown))
    checks.equal(f"{where}: the outline shown beside the label", beside, {colours["CanvasText"]})


def check_picture(checks, shot, where):
    left, top, width, height = pixels(tour.item("Form9", "Picture1")["rect"])
    inner = (left + PICTURE_BORDER, top + PICTURE_BORDER,
             width - 2 * PICTURE_BORDER, height - 2 * PICTURE_BORDER)
    with Image.open(GAME_PICTURE) as picture:
        shown = (min(inner[2], picture.width), min(inner[3], picture.height))
        wanted = picture.convert("RGB").crop((0, 0) + shown).resize(
            (shown[0] * shot.scale, shown[1] * shot.scale), Image.NEAREST)
    got = shot.area(inner[0], inner[1], *shown)
    wrong = sum(1 for a, b in zip(got.getdata(), wanted.getdata()) if a != b)
    checks.equal(f"{where}: picture pixels unlike game.bmp's", wrong, 0)


def rings(shot, rect):
    """The colours of each side's outer and inner ring (depth 0 and 1), corners
    left out: {(side, depth): set of device pixel colours}."""
    left, top, width, height = rect
    found = {}
    for depth in (0, 1):
        lines = {"top": [(x, top + depth) for x in range(left + 2, left + width - 2)],
                 "bottom": [(x, top + height - 1 - depth) for x in range(left + 2, left + width - 2)],
                 "left": [(left + depth, y) for y in range(top + 2, top + height - 2)],
                 "right": [(left + width - 1 - depth, y) for y in range(top + 2, top + height - 2)]}
        for side, line in lines.items():
            found[side, depth] = set().union(*(shot.colours(x, y) for x, y in line))
    return found


def check_edges(checks, shot, scene, colours, scheme, where):
    """Every button, text box, picture and title-bar box shows its whole edge:
    each ring of each side one colour throughout, at any scale; lit from the
    top left (raised: lighter than the face there, darker at the bottom and
    right; sunken the other way round), or under forced colours an outer ring
    unlike the face on every side. The boxes' pictures are whole pixels of
    the text colour on the face."""
    face, text = colours["ButtonFace"], colours["ButtonText"]
    edged = [(e["name"], pixels(e["rect"]), EDGES[e["kind"]]) for e in scene["items"]
             if e["kind"] in EDGES]
    edged += [(f"title-bar box {i + 1}", [round(v) for v in box], "raised")
              for i, box in enumerate(shot.boxes)]
    for name, rect, kind in edged:
        found = rings(shot, rect)
        mixed = {k: v for k, v in found.items() if len(v) != 1}
        checks.equal(f"{where}: {name}'s edge rings of more than one colour", mixed, {})
        if mixed:
            continue
        colour = {k: next(iter(v)) for k, v in found.items()}
        if scheme == "forced colours":
            checks.equal(f"{where}: {name}'s outer ring sides like the face",
                         [s for s in ("top", "left", "bottom", "right") if colour[s, 0] == face], [])
            continue
        lit = {"top", "left"} if kind == "raised" else {"bottom", "right"}
        wrong = [f"{side} {depth}" for (side, depth), c in colour.items()
                 if (sum(c) > sum(face)) != (side in lit) or c == face]
        checks.equal(f"{where}: {name}'s {kind} edge rings wrongly lit", wrong, [])
    for i, (left, top, width, height) in enumerate(shot.boxes):
        left, top = round(left), round(top)
        inside = set().union(*(shot.colours(x, y) for x in range(left + 2, left + round(width) - 2)
                               for y in range(top + 2, top + round(height) - 2)))
        checks.equal(f"{where}: title-bar box {i + 1}'s picture's colours", inside, {face, text})


def check_outlines(checks, shot, scene, colours, where):
    """The shapes' outlines are whole pixels of the ink on the background,
    where no other item lies over them."""
    background = rgb(scene["backColor"]) if scene["backColor"] else colours["ButtonFace"]
    ink = colours["CanvasText"]
    covered = {(x, y) for e in scene["items"] if e["kind"] not in ("Shape", "Line")
               for x, y in area_pixels(pixels(e["rect"]))}
    outlined = {p for e in scene["items"] if e["kind"] == "Shape"
                for p in area_pixels(pixels(e["rect"]))} - covered
    if not outlined or ink == background:
        return
    painted = [c for x, y in outlined for c in shot.device_pixels(x, y)]
    inked = sum(1 for c in painted if c == ink)
    others = len(painted) - inked - sum(1 for c in painted if c == background)
    checks.check(f"{where}: shape outlines: {inked} device pixels of ink, {others} of other"
                 " colours", inked > 0 and others == 0)


def area_pixels(rect):
    left, top, width, height = rect
    return [(x, y) for x in range(left, left + width) for y in range(top, top + height)]


def check_scene(checks, page, scene_id, scale, palettes):
    scene = tour.SCENES[scene_id]
    for scheme, colours in palettes.items():
        if palettes.emulated:
            page.emulate(SCHEMES[scheme])
        where = f"{scene_id} at scale {scale}, {scheme}"
        shot = Shot(page, scene_id, scale)
        check_background(checks, shot, scene, colours, where)
        check_markers(checks, shot, scene, where)
        check_words_colour(checks, shot, scene, where)
        check_edges(checks, shot, scene, colours, scheme, where)
        check_outlines(checks, shot, scene, colours, where)
        if scene_id == "Form2":
            check_line(checks, shot, colours, where)
        if scene_id == "Form7":
            check_opaque_label(checks, shot, colours, where)
        if scene_id == "Form9":
            check_picture(checks, shot, where)
    if palettes.emulated:
        page.emulate("light")
    text_lines.check_lines(checks, page, scene_id, f"{scene_id} at scale {scale}")


class Palettes(dict):
    """The system colours of each scheme the engine can show: all three where
    it emulates them, else its own."""

    def __init__(self, checks, page):
        super().__init__()
        self.emulated = checks.runs(page, "schemes", "the dark and forced-colours schemes")
        for scheme in SCHEMES if self.emulated else ["light"]:
            if self.emulated:
                page.emulate(SCHEMES[scheme])
            self[scheme] = system_colours(page)
        if self.emulated:
            recoloured = ["dark"]
            if checks.runs(page, "forced_palette", "forced colours recolour ButtonFace"):
                recoloured.append("forced colours")
            for scheme in recoloured:
                checks.check(f"{scheme} recolours ButtonFace",
                             self[scheme]["ButtonFace"] != self["light"]["ButtonFace"])
            page.emulate("light")


def open_at_scale(checks, engine, scale):
    """A browser at that device scale, or None (said) where the engine has none."""
    try:
        return browser.open_browser(engine, scale=scale)
    except browser.Unsupported as reason:
        checks.not_run(engine, f"the pixels at scale {scale}", reason)
        return None


def main(argv):
    if len(argv) not in (3, 4, 5) or argv[4:] not in ([], ["own-fonts"]):
        sys.exit("usage: test_pixels.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE [own-fonts]]")
    engine = argv[3] if len(argv) >= 4 else "chromium"
    checks = browser.Checks()
    server = browser.Server(argv[1])
    if argv[4:]:
        try:
            check_own_fonts(checks, engine, server)
        finally:
            server.stop()
        checks.finish()
        return
    try:
        for scale in (1, 2, 3):
            page = open_at_scale(checks, engine, scale)
            if not page:
                continue
            try:
                page.open(server.origin + "/index.html")
                palettes = Palettes(checks, page)
                for scene_id in every_scene(page):
                    check_scene(checks, page, scene_id, scale, palettes)
            finally:
                page.close()
    finally:
        server.stop()
    checks.finish()


if __name__ == "__main__":
    main(sys.argv)
