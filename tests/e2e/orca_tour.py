"""The tour by keyboard alone, as a blind visitor takes it with Orca.

Run by test_orca.sh with the program and Orca started. Reads Orca's debug log
(its SPEECH OUTPUT lines) after every key and checks what was said against
the tour description: on every arrival the window's title and its place, in
an ending the whole message, on every marker press whether its words are now
shown or hidden. Buttons are reached with Tab and pressed with Space; the
labels that lead somewhere, which take no focus, through Orca's flat review
(Insert+KP_Home, then KP_Right item by item) and its click key (KP_Divide). Prints one line per check, "ok: ...", "FAIL: ..." or "NOT RUN: ...".
"""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import tour  # noqa: E402

LOG = sys.argv[1]
PATIENCE = float(sys.argv[2]) if len(sys.argv) > 2 else 20.0  # seconds per wait
QUIET = 0.6  # seconds without a new utterance after which Orca is done speaking
# One utterance a line, its voice after it: SPEECH OUTPUT: 'text' voice=… {…}
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?(?:\[?\{.*\}\]?)?$", re.M)
# Qt 6's bridge has no toggle-button role: a checkable button is a check box,
# checked while the marker's words are shown.
MARKER_ROLE, SHOWN, HIDDEN = "check box", "checked", "not checked"
# The roles Orca names when an item that takes the focus gets it.
FOCUS = re.compile(r"\b(push button|check box|read only text)\b")


def words(text):
    return " ".join(text.split())


class Listener:
    """What Orca has said since the last key, from its log."""

    def __init__(self):
        self.offset = 0
        self.focused = ""  # the last item Orca named as focused

    def lines(self):
        with open(LOG, encoding="utf-8", errors="replace") as log:
            log.seek(self.offset)
            text = log.read()
        complete = text[:text.rfind("\n") + 1]
        self.offset += len(complete.encode("utf-8"))
        return [words(m.group(1)) for m in SPOKEN.finditer(complete)]

    def after(self, keys, until=None):
        """Presses the keys, then gathers what Orca says until `until` holds
        of it and Orca has been quiet a moment, or the time is up. Without
        `until`, until Orca has been quiet a moment, or said nothing at all
        for a few."""
        self.lines()
        subprocess.run(["xdotool", "key", "--delay", "120"] + keys.split(), check=True)
        said, deadline, last = [], time.monotonic() + PATIENCE, time.monotonic()
        while time.monotonic() < deadline:
            new = self.lines()
            said += new
            if new:
                last = time.monotonic()
            elif until is None and time.monotonic() - last > (QUIET if said else 3):
                break
            elif said and until and until(said) and time.monotonic() - last > QUIET:
                break
            time.sleep(0.05)
        self.focused = next((line for line in reversed(said) if FOCUS.search(line)), self.focused)
        return said


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what, flush=True)
    return ok


def heard(said):
    return " / ".join(said) or "nothing"


orca = Listener()


def wait_for_orca():
    """What Orca says as it starts, up to the item focused in the title window,
    or None if it never says so."""
    said, deadline = [], time.monotonic() + PATIENCE
    while time.monotonic() < deadline:
        if os.path.exists(LOG):
            said += orca.lines()
            orca.focused = next((line for line in said if FOCUS.search(line)), "")
            if orca.focused:
                return said
        time.sleep(0.1)
    return None


def opened(scene_id, said):
    """Whether Orca announced the scene's window: a dialog, or in an ending an
    alert, by its title."""
    caption, text = tour.title(scene_id), " ".join(said)
    return f"{caption} dialog" in text or f"alert {caption}." in text


def check_arrival(scene_id, said):
    scene = tour.SCENES[scene_id]
    text = " ".join(said)
    check(opened(scene_id, said) and words(scene["description"]) in text,
          f"arriving in {scene['caption']!r}, Orca says its title and "
          f"{scene['description']!r}: {heard(said)}")
    if scene["ending"]:
        box = next(i for i in scene["items"] if i["kind"] == "TextBox")
        check(words(tour.message(box)) in text,
              f"in the ending {scene['caption']!r} Orca reads the whole message")


def focus(name, role):
    """Tabs until Orca names the item with this role; False if it never does."""
    wanted = f"{name} {role}"
    if orca.focused.startswith(wanted):
        return True
    for _ in range(8):
        said = orca.after("Tab", lambda s: any(FOCUS.search(line) for line in s))
        if any(line.startswith(wanted) for line in said):
            return True
    return False


def check_marker(scene_id):
    """Presses the marker four times: Orca says each time whether it is checked
    (its words shown) or not (hidden), the second round too, which a screen
    reader taking it for a repeat would leave unsaid."""
    marker = next(i for i in tour.SCENES[scene_id]["items"]
                  if (i["action"] or {}).get("kind") == "ToggleMarker")
    name = tour.spoken_name(marker)
    if not check(focus(name, MARKER_ROLE), f"Tab reaches the marker {name!r} "
                 f"in {tour.title(scene_id)!r} as a {MARKER_ROLE}"):
        return
    for state in (SHOWN, HIDDEN, SHOWN, HIDDEN):
        said = orca.after("space", lambda s: state in s)
        check(state in said, f"{tour.title(scene_id)!r}: the marker pressed, Orca says "
              f"{state!r} (words {'shown' if state == SHOWN else 'hidden'}): {heard(said)}")


def take_exit(move):
    """Takes a move's exit by keyboard; returns what Orca said after it."""
    arrived = lambda said: opened(move.target, said)  # noqa: E731
    name = tour.spoken_name(move.item)
    if move.item["kind"] == "CommandButton":
        if not check(focus(name, "push button"), f"Tab reaches {name!r} in "
                     f"{tour.title(move.source)!r}"):
            return None
        return orca.after("space", arrived)
    # A label: flat review from the window's top left, word by word to its
    # caption's first, then the whole object read there, then Orca's click.
    said, first = orca.after("Insert+KP_Home"), name.split()[0]
    while said and said[-1] != first:
        said = orca.after("KP_Right")
    if said:
        said = orca.after("Insert+KP_Begin")
    if not check(any(line.startswith(f"{name} push button") for line in said),
                 f"Orca's flat review reaches the label {name!r}, a push button, in "
                 f"{tour.title(move.source)!r}: {heard(said)}"):
        return None
    return orca.after("KP_Divide", arrived)


def main():
    said = wait_for_orca()
    if not check(said is not None and "Screen reader on." in said,
                 f"Orca starts, says the screen reader is on and reads the title window: "
                 f"{heard(said or [])}"):
        return
    check_arrival("Form1", said)
    markers_checked = set()
    for move in tour.WALK:
        said = take_exit(move)
        if said is None:
            return
        if not check(opened(move.target, said), f"exit {tour.spoken_name(move.item)!r} of "
                     f"{tour.title(move.source)!r} taken: {tour.title(move.target)!r} opens"):
            return
        check_arrival(move.target, said)
        has_marker = any((i["action"] or {}).get("kind") == "ToggleMarker"
                         for i in tour.SCENES[move.target]["items"])
        if has_marker and move.target not in markers_checked:
            markers_checked.add(move.target)
            check_marker(move.target)


main()
