"""The tour by keyboard alone, as a blind visitor takes it with Orca listening,
wherever the tour runs: the desktop program (orca_tour.py) or the site in a
browser (tests/web/orca_browser_tour.py).

Reads Orca's debug log (its SPEECH OUTPUT lines) after every key and checks
what was said against the tour description: on every arrival the window's
title and its place, in an ending the whole message, on every marker press
whether its words are now shown or hidden, every exit taken. Buttons are
reached with Tab and pressed with Space; how a label that leads somewhere is
reached and pressed, what Orca calls the marker and how it announces a window
are each front end's own (a Visitor subclass). Prints one line per check,
"ok: ...", "FAIL: ..." or "NOT RUN: ...".
"""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import tour  # noqa: E402

QUIET = 0.6  # seconds without a new utterance after which Orca is done speaking
# One utterance a line, its voice after it: SPEECH OUTPUT: 'text' voice=… {…}
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?(?:\[?\{.*\}\]?)?$", re.M)


def words(text):
    return " ".join(text.split())


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what, flush=True)
    return ok


def not_run(what, reason):
    print(f"NOT RUN: {what} \u2014 {reason}", flush=True)


def note(what):
    """Something a visitor hears that is worth knowing but no fault of the
    program: Orca's own choice among timings it races (a window's place read
    twice, the page read from its first line as it loads)."""
    print(f"NOTE: {what}", flush=True)


def heard(said):
    return " / ".join(said) or "nothing"


class Listener:
    """What Orca has said since the last key, from its log. `focus` matches
    the roles Orca names when an item that takes the focus gets it."""

    def __init__(self, log, patience, focus):
        self.log, self.patience, self.focus = log, patience, focus
        self.offset = 0
        self.focused = ""  # the last item Orca named as focused
        self.mode = ""  # the last "Browse mode" or "Focus mode" Orca announced

    def lines(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8", errors="replace") as log:
            log.seek(self.offset)
            text = log.read()
        complete = text[:text.rfind("\n") + 1]
        self.offset += len(complete.encode("utf-8"))
        said = [words(m.group(1)) for m in SPOKEN.finditer(complete)]
        self.mode = next((s for s in reversed(said) if s.endswith(" mode")), self.mode)
        return said

    def listen(self, until=None, silence=3.0):
        """Gathers what Orca says until `until` holds of it and Orca has been
        quiet a moment, or the time is up. Without `until`, until Orca has
        been quiet a moment, or said nothing at all for `silence` seconds."""
        said, deadline, last = [], time.monotonic() + self.patience, time.monotonic()
        while time.monotonic() < deadline:
            new = self.lines()
            said += new
            if new:
                last = time.monotonic()
            elif until is None and time.monotonic() - last > (QUIET if said else silence):
                break
            elif said and until and until(said) and time.monotonic() - last > QUIET:
                break
            time.sleep(0.05)
        # The first item named: an alert may be read out whole after it.
        self.focused = next((line for line in said if self.focus.search(line)), self.focused)
        return said

    def after(self, keys, until=None):
        """Presses the keys (xdotool's names), then listens."""
        self.lines()
        subprocess.run(["xdotool", "key", "--delay", "120"] + keys.split(), check=True)
        return self.listen(until)

    def focus_named(self, said):
        return any(self.focus.search(line) for line in said)


class Visitor:
    """The walk. A front end sets the marker's role and its two spoken states,
    the roles of focusable items, and gives start() and press_label()."""

    MARKER_ROLE, SHOWN, HIDDEN = "check box", "checked", "not checked"
    PAGE_LOADS = False  # whether the title arrives as a page loads
    # Whether Orca may leave the focused item unsaid as a window arrives (its
    # race in Firefox between the old window leaving and the focus moving).
    FOCUS_MAY_GO_UNSAID = False
    FOCUS = re.compile(r"\b(push button|check box|read only text)\b")

    def __init__(self, log, patience):
        self.orca = Listener(log, patience, self.FOCUS)

    def start(self):
        """Whatever brings the title window up with Orca listening; returns
        what Orca said, up to the title window's focused item, or None."""
        raise NotImplementedError

    def press_label(self, move):
        """Reaches the move's label by keyboard and presses it; returns what
        Orca said after the press, or None (having said why) if it could not."""
        raise NotImplementedError

    def opened(self, scene_id, said):
        """Whether Orca announced the scene's window by its title: a dialog, an
        ending's alert on the desktop, a window read out by its title alone
        (Chromium's alerts, its page as it loads), or the site's status region
        ("Form2. The street in front of the house")."""
        caption, text = tour.title(scene_id), " ".join(said)
        return (f"{caption} dialog" in text or f"alert {caption}." in text or
                any(line in (caption, f"{caption}.") or line.startswith(f"{caption}. ")
                    for line in said))

    def arrived(self, scene_id, said):
        """Whether Orca said that the scene's window opened: by its title, or
        by the words telling what kind of place it is."""
        place = words(tour.SCENES[scene_id]["description"])
        return self.opened(scene_id, said) or any(place in line for line in said)

    def check_arrival(self, scene_id, said, loading=False):
        """The window's title, its place and the focused item said on arrival.
        As the page loads, Orca may read it from its first line instead of
        the window (a race in Orca, seen in Firefox): the title and the item
        must still be heard, the place is then a note; the title may be the
        page's own, in Orca's "Finished loading" (the page bears the title
        window's title)."""
        scene = tour.SCENES[scene_id]
        text = " ".join(said)
        place = words(scene["description"])
        place_heard = loading or place in text
        title_heard = self.opened(scene_id, said) or (
            loading and f"Finished loading {tour.title(scene_id)}." in said)
        focus_heard = any(self.orca.focus.search(line) for line in said)
        check(title_heard and place_heard and
              (focus_heard or self.FOCUS_MAY_GO_UNSAID),
              f"arriving in {scene['caption']!r}, Orca says its title, "
              f"{scene['description']!r} and the focused item: {heard(said)}")
        if not focus_heard:
            note(f"{scene['caption']!r}: Orca did not say the focused item on arrival: it took "
                 f"the item as its place without a word, as the old window left its tree: "
                 f"{heard(said)}")
        if text.count(place) > 1:
            note(f"{scene['caption']!r}: its place was said {text.count(place)} times, by the "
                 f"window and by the status region: {heard(said)}")
        if place not in text:
            note(f"{scene['caption']!r} as the page loaded: Orca read the page from its first "
                 f"line, without the window's place: {heard(said)}")
        if scene["ending"]:
            box = next(i for i in scene["items"] if i["kind"] == "TextBox")
            check(words(tour.message(box)) in text,
                  f"in the ending {scene['caption']!r} Orca reads the whole message")

    def focus(self, name, role):
        """Tabs until Orca names the item with this role; False if it never does."""
        wanted = f"{name} {role}"
        if self.orca.focused.startswith(wanted):
            return True
        for _ in range(8):
            said = self.orca.after("Tab", self.orca.focus_named)
            if any(line.startswith(wanted) for line in said):
                return True
        return False

    def check_marker(self, scene_id):
        """Presses the marker four times: Orca says each time whether its words
        are now shown or hidden, the second round too, which a screen reader
        taking it for a repeat would leave unsaid."""
        marker = next(i for i in tour.SCENES[scene_id]["items"]
                      if (i["action"] or {}).get("kind") == "ToggleMarker")
        name, where = tour.spoken_name(marker), tour.title(scene_id)
        if not check(self.focus(name, self.MARKER_ROLE), f"Tab reaches the marker {name!r} "
                     f"in {where!r} as a {self.MARKER_ROLE}"):
            return
        for state in (self.SHOWN, self.HIDDEN, self.SHOWN, self.HIDDEN):
            said = self.orca.after("space", lambda s: state in s)
            check(state in said, f"{where!r}: the marker pressed, Orca says {state!r} (words "
                  f"{'shown' if state == self.SHOWN else 'hidden'}): {heard(said)}")

    def take_exit(self, move):
        """Takes a move's exit by keyboard; returns what Orca said after it."""
        if move.item["kind"] != "CommandButton":
            return self.press_label(move)
        name = tour.spoken_name(move.item)
        if not check(self.focus(name, "push button"), f"Tab reaches {name!r} in "
                     f"{tour.title(move.source)!r}"):
            return None
        return self.orca.after("space", lambda said: self.arrived(move.target, said))

    def walk(self):
        said = self.start()
        if said is None:
            return
        self.check_arrival("Form1", said, loading=self.PAGE_LOADS)
        markers_checked = set()
        for move in tour.WALK:
            said = self.take_exit(move)
            if said is None:
                return
            if not check(self.arrived(move.target, said), f"exit {tour.spoken_name(move.item)!r}"
                         f" of {tour.title(move.source)!r} taken: {tour.title(move.target)!r} "
                         f"opens: {heard(said)}"):
                return
            self.check_arrival(move.target, said)
            has_marker = any((i["action"] or {}).get("kind") == "ToggleMarker"
                             for i in tour.SCENES[move.target]["items"])
            if has_marker and move.target not in markers_checked:
                markers_checked.add(move.target)
                self.check_marker(move.target)
