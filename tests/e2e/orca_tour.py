"""The tour by keyboard alone, as a blind visitor takes it with Orca, in the
desktop program (the walk itself: orca_walk.py).

Run by test_orca.sh with the program and Orca started. Qt 6's bridge has no
toggle-button role: the marker is a check box, checked while its words are
shown. The labels that lead somewhere take no focus: the visitor reaches them
with Orca's flat review (Insert+KP_Home, then KP_Right item by item) and
presses them with its click key (KP_Divide).

Usage: orca_tour.py ORCA_LOG [PATIENCE_SECONDS]
"""

import sys

from orca_walk import Visitor, check, heard, tour


class DesktopVisitor(Visitor):
    def start(self):
        """What Orca says as it starts, up to the item focused in the title
        window, which is showing already."""
        said = self.orca.listen(self.orca.focus_named)
        ok = bool(self.orca.focused) and "Screen reader on." in said
        check(ok, f"Orca starts, says the screen reader is on and reads the title window: "
              f"{heard(said)}")
        return said if ok else None

    def press_label(self, move):
        # Flat review from the window's top left, word by word to the
        # caption's first, then the whole object read there, then the click.
        name = tour.spoken_name(move.item)
        said, first = self.orca.after("Insert+KP_Home"), name.split()[0]
        while said and said[-1] != first:
            said = self.orca.after("KP_Right")
        if said:
            said = self.orca.after("Insert+KP_Begin")
        if not check(any(line.startswith(f"{name} push button") for line in said),
                     f"Orca's flat review reaches the label {name!r}, a push button, in "
                     f"{tour.title(move.source)!r}: {heard(said)}"):
            return None
        return self.orca.after("KP_Divide", lambda said: self.arrived(move.target, said))


if __name__ == "__main__":
    DesktopVisitor(sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 20.0).walk()
