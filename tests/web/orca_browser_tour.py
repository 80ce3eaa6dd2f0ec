"""The tour by keyboard alone, as a blind visitor takes it with Orca, on the
site in a browser showing on the test's X display (the walk itself:
tests/e2e/orca_walk.py).

Run by test_orca_browser.sh with Orca started. The site is served on
127.0.0.1; the browser starts once Orca is on, with accessibility on as a
desktop with a screen reader asks for it. Orca reads web pages in browse
mode, where it keeps the arrow keys for itself: Tab and Space pass through to
the page. The marker is a toggle button, pressed while its words are shown.
A label that leads somewhere is no Tab stop: the visitor switches Orca to
focus mode (Insert+A), moves to the label with the Right arrow key, as the
site offers among a window's pressable items, and presses it with Return.

Usage: orca_browser_tour.py ORCA_LOG SITE_FOLDER ENGINE [PATIENCE_SECONDS]
"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from orca_walk import Visitor, check, heard, note, tour  # noqa: E402

import browser  # noqa: E402

PAGE_SIZE = (900, 600)  # the browser's viewport, inside the 1024x768 display


class BrowserVisitor(Visitor):
    MARKER_ROLE, SHOWN, HIDDEN = "toggle button", "pressed", "not pressed"
    PAGE_LOADS = True
    FOCUS = re.compile(r"\b(push button|toggle button|read only text|entry)\b")
    ADDRESS = re.compile(r"address", re.I)  # how each engine names its address bar

    def __init__(self, log, patience, site, engine):
        super().__init__(log, patience)
        self.site, self.engine = site, engine
        self.FOCUS_MAY_GO_UNSAID = engine == "firefox"
        self.server = self.page = None

    def start(self):
        said = self.orca.listen(lambda s: "Screen reader on." in s)
        if not check("Screen reader on." in said, f"Orca starts: {heard(said)}"):
            return None
        self.server = browser.Server(self.site)
        os.environ["GNOME_ACCESSIBILITY"] = "1"  # the browser offers its accessibility tree
        width, height = PAGE_SIZE
        self.page = browser.open_browser(self.engine, width=width, height=height,
                                         headless=False)
        said = self.load_by_address_bar()
        if said is None:
            return None
        name = tour.spoken_name(tour.WALK[0].item)
        enter = f"{name} push button"
        # Read out as the page loads, the item and its role may come apart.
        reached = enter in " ".join(said)
        if not reached:
            # Under load Orca may finish the page's loading while the focus is
            # still outside it, and then says no more: the visitor asks Orca
            # where they are (Where Am I, the keypad's Enter). Its answer for
            # a push button may be the name alone (its log shows it was
            # answering for that push button).
            note(f"as the page loaded in {self.engine}, Orca said no item; Where Am I asked: "
                 f"{heard(said)}")
            answer = self.orca.after("KP_Enter", lambda said: self.names_button(said, name))
            said += answer
            reached = self.names_button(answer, name)
        if not check(reached, f"the site loaded in {self.engine}, Orca reads "
                     f"the title window to its focused button {enter!r}: {heard(said)}"):
            return None
        self.orca.focused = enter
        return said

    def names_address_bar(self, said):
        return any(self.ADDRESS.search(line) for line in said)

    @staticmethod
    def names_button(said, name):
        return any(line.rstrip(".") == name or f"{name} push button" in line for line in said)

    def load_by_address_bar(self):
        """Loads the site as a visitor does: Ctrl+L, the address typed, Return,
        which moves the focus into the page once it has loaded. (Opened by the
        browser's driver, the page may load with the focus still outside it,
        and Orca then reads from wherever the page's caret happens to be.) The
        window may take keys a while after the driver returns (under load):
        Ctrl+L again until Orca names the address bar. Returns what Orca said
        after Return, or None."""
        said = self.orca.listen()
        for _ in range(3):
            if self.names_address_bar(said[-2:]):  # the focus is there already
                break
            said = self.orca.after("ctrl+l", self.names_address_bar)
        if not check(self.names_address_bar(said), f"Ctrl+L takes the focus to "
                     f"{self.engine}'s address bar: {heard(said)}"):
            return None
        subprocess.run(["xdotool", "type", "--delay", "20", self.server.origin + "/index.html"],
                       check=True)
        self.orca.listen()  # the address echoed
        return self.orca.after("Return", self.orca.focus_named)

    def close(self):
        if self.page:
            self.page.close()
        if self.server:
            self.server.stop()

    def focus_mode(self):
        """Switches Orca to focus mode, where the arrow keys reach the page."""
        for _ in range(2):
            if self.orca.mode == "Focus mode":
                return True
            self.orca.after("Insert+a", lambda said: any(s.endswith(" mode") for s in said))
        return self.orca.mode == "Focus mode"

    def press_label(self, move):
        name, where = tour.spoken_name(move.item), tour.title(move.source)
        wanted = f"{name} push button"
        if not check(self.focus_mode(), f"Insert+A switches Orca to focus mode in {where!r}"):
            return None
        said = []
        for _ in range(6):
            if not self.focus_mode():
                break
            said = self.orca.after("Right", self.orca.focus_named)
            if any(line.startswith(wanted) for line in said):
                break
        if not check(any(line.startswith(wanted) for line in said),
                     f"in focus mode the Right arrow key reaches the label {name!r}, a push "
                     f"button, in {where!r}: {heard(said)}"):
            return None
        return self.orca.after("Return", lambda said: self.arrived(move.target, said))


def main(argv):
    if len(argv) not in (4, 5):
        sys.exit("usage: orca_browser_tour.py ORCA_LOG SITE_FOLDER ENGINE [PATIENCE_SECONDS]")
    patience = float(argv[4]) if len(argv) == 5 else 20.0
    visitor = BrowserVisitor(argv[1], patience, argv[2], argv[3])
    try:
        visitor.walk()
    finally:
        visitor.close()


if __name__ == "__main__":
    main(sys.argv)
