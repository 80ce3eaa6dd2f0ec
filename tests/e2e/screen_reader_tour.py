"""The tour as a screen reader takes it, through the desktop's accessibility bus.

Run by test_screen_reader.sh with the program already started. Moves between
scenes only through accessibility actions (no pointer, no keys), reads every
scene's objects against the tables below, toggles the marker and listens for
the label's change, and reads the messages and the picture. Prints one line
per check, "ok: ..." or "FAIL: ...".
"""

import os
import sys
import time

import pyatspi
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import tour  # noqa: E402

PATIENCE = float(sys.argv[1]) if len(sys.argv) > 1 else 20.0  # seconds per wait

BUTTON, LABEL, TEXT, IMAGE = "push button", "label", "text", "image"
ROLES = {"button": BUTTON, "label": LABEL, "text": TEXT, "image": IMAGE}
MARKER = "Where you are"
# Qt's bridge has no toggle-button role: the marker is a check box, checked
# while its words are shown.
MARKER_ROLE = "check box"

# Every scene's accessible children in listing order, by its window's title:
# role and name, then a label's rectangle in twips (15 to a pixel) or a text
# box's text; all from the scene tables.
SCENES = {
    tour.title(scene): [
        (MARKER_ROLE, name) if name == MARKER
        else (ROLES[role], name, tuple(entry["rect"])) if entry["kind"] == "Label"
        else (ROLES[role], name, tour.message(entry)) if role == "text"
        else (ROLES[role], name)
        for role, name, entry in tour.readable_items(scene)]
    for scene in tour.SCENES
}

# A walk taking all seventeen moves: from the showing frame, press the object
# of that name, and this frame is the one showing afterwards.
WALK = [(tour.spoken_name(move.item), tour.title(move.target)) for move in tour.WALK]

name_changes = []
checked_changes = []


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what, flush=True)
    return ok


def pump(until, seconds=PATIENCE):
    """Runs the event loop until `until()` gives something other than None or
    False, and returns that, or the last answer when the time is up."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while True:
        result = until()
        if result not in (None, False) or time.monotonic() > deadline:
            return result
        if not context.iteration(False):
            time.sleep(0.02)


def children(accessible):
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def showing_frames(app):
    return [f for f in children(app) if f.getState().contains(pyatspi.STATE_SHOWING)]


def only_showing(app, name):
    frames = showing_frames(app)
    return frames[0] if len(frames) == 1 and frames[0].name == name else None


def pixels(twips):
    return [int(t / 15 + 0.5) for t in twips]


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return [box.x, box.y, box.width, box.height]


def check_scene(frame):
    expected = SCENES[frame.name]
    scene = next(s for s in tour.SCENES.values() if s["caption"] == frame.name)
    found = children(frame)
    check(frame.getRoleName() == ("alert" if scene["ending"] else "dialog")
          and [(c.getRoleName(), c.name) for c in found] == [e[:2] for e in expected],
          f"window {frame.name!r}, a {frame.getRoleName()}, holds, in listing order: "
          f"{[(c.getRoleName(), c.name) for c in found]}")
    check(frame.description == scene["description"],
          f"window {frame.name!r} describes its place: {frame.description!r}")
    origin = extents(frame)[:2]
    for child, row in zip(found, expected):
        role, name = row[:2]
        if len(row) == 3 and isinstance(row[2], tuple):
            drawn = [a + b for a, b in zip(origin + [0, 0], pixels(row[2]))]
            check_label(frame, child, role, drawn)
        if role == TEXT:
            check_message(frame, child, row[2])
        if role == IMAGE:
            said = child.description
            check(len(said.split(". ")) == 1 and "platform game" in said,
                  f"the picture is described in one sentence: {said!r}")
        if name == MARKER:
            check(child.description == "Shows or hides where you are on the map",
                  f"the marker on {frame.name!r} says what it does")
            check_marker(frame, child)


def check_label(frame, label, role, drawn):
    """A painted label lies where it is drawn, is what a pointer finds there,
    never takes the focus, and can be pressed only if it has a click action."""
    x, y, width, height = drawn
    hit = frame.queryComponent().getAccessibleAtPoint(x + width // 2, y + height // 2,
                                                      pyatspi.DESKTOP_COORDS)
    problems = [
        f"at {extents(label)}" if extents(label) != drawn else "",
        "not found at its middle" if hit != label else "",
        "focusable" if label.getState().contains(pyatspi.STATE_FOCUSABLE) else "",
        "wrong actions"
        if ("Action" in pyatspi.listInterfaces(label)) != (role == BUTTON) else "",
    ]
    problems = [p for p in problems if p]
    check(not problems, f"label {label.name!r} of {frame.name!r} drawn at {drawn}"
                        + (": " + ", ".join(problems) if problems else ""))


def check_message(frame, box, text):
    """A message reads as its text, read-only, with no way offered to change it."""
    read = box.queryText().getText(0, -1)
    state = box.getState()
    problems = [
        f"reads {read!r}" if read != text else "",
        "not read-only" if not state.contains(pyatspi.STATE_READ_ONLY) else "",
        "editable" if state.contains(pyatspi.STATE_EDITABLE)
        or "EditableText" in pyatspi.listInterfaces(box) else "",
    ]
    problems = [p for p in problems if p]
    check(not problems, f"message of {frame.name!r} read as read-only text"
                        + (": " + ", ".join(problems) if problems else ""))


def press(frame, name):
    target = [c for c in children(frame) if c.name == name]
    return check(len(target) == 1 and target[0].queryAction().getName(0) == "Press"
                 and target[0].queryAction().doAction(0), f"{name!r} pressed on {frame.name!r}")


def check_marker(frame, marker):
    """Presses the marker twice: the label beside it shows the words, then is empty."""
    label = [c for c in children(frame) if c.getRoleName() == LABEL and c.name == ""][0]
    for words in ("This is You.", ""):
        name_changes.clear()
        checked_changes.clear()
        marker.queryAction().doAction(0)
        heard = pump(lambda: any(e.source == label for e in name_changes))
        check(heard and label.name == words,
              f"{frame.name!r}: the marker pressed, its label announced as {label.name!r}")
        told = pump(lambda: any(e.source == marker for e in checked_changes))
        shown = marker.getState().contains(pyatspi.STATE_CHECKED)
        check(told and shown == bool(words),
              f"{frame.name!r}: the marker announces itself {'' if shown else 'not '}checked")


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    app = pump(lambda: next(
        (a for a in children(desktop) if a is not None and a.name == "varns-house"), None))
    if not check(app is not None, "the program is on the accessibility bus"):
        return
    pyatspi.Registry.registerEventListener(name_changes.append,
                                           "object:property-change:accessible-name")
    pyatspi.Registry.registerEventListener(checked_changes.append,
                                           "object:state-changed:checked")
    frame = pump(lambda: only_showing(app, "Varn's House"))
    if not check(frame is not None, "the title frame is the one showing"):
        return
    checked = set()
    for name, destination in WALK:
        if frame.name not in checked:
            checked.add(frame.name)
            check_scene(frame)
        if not press(frame, name):
            return
        frame = pump(lambda: only_showing(app, destination))
        if not check(frame is not None, f"{destination!r} is the one frame showing after "
                     f"{name!r}, showing: {[f.name for f in showing_frames(app)]}"):
            return
    check(checked == set(SCENES), f"every scene read: {sorted(checked)}")


main()
