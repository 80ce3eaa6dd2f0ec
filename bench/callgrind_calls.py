"""Prints how often the tour's own functions of interest were called in one
callgrind profile, summed over every caller, and their inclusive instruction
counts. Usage: callgrind_calls.py CALLGRIND_OUT"""
import re
import sys
from collections import defaultdict

WATCHED = {
    "varn::qt::QtPlatform::CreateScene": "scene windows created",
    "varn::qt::SceneWindow::SceneWindow": "SceneWindow constructed",
    "varn::DecodeBitmap": "game picture decoded (DecodeBitmap)",
    "varn::qt::SceneWindow::paintEvent": "scene window paints",
    "varn::qt::PaintLabel": "labels painted",
    "varn::qt::PaintShape": "shapes painted",
    "varn::qt::PaintLine": "lines painted",
    "varn::qt::SceneButton::paintEvent": "buttons painted",
    "varn::qt::PictureBox::paintEvent": "picture box paints",
}


def short(name):
    return name.split("(")[0]


def main(path):
    names = {}  # compressed id -> full name
    calls = defaultdict(int)
    inclusive = defaultdict(int)
    pending = None  # callee of the last calls= line
    for line in open(path, encoding="utf-8", errors="replace"):
        m = re.match(r"^cfn=\((\d+)\)(?: (.*))?$", line.rstrip("\n"))
        if m:
            if m.group(2):
                names[m.group(1)] = m.group(2)
            pending = short(names.get(m.group(1), "?"))
            continue
        m = re.match(r"^fn=\((\d+)\)(?: (.*))?$", line.rstrip("\n"))
        if m and m.group(2):
            names[m.group(1)] = m.group(2)
            continue
        m = re.match(r"^calls=(\d+)", line)
        if m and pending is not None:
            calls[pending] += int(m.group(1))
            continue
        if pending is not None and re.match(r"^[+\-*\d]", line):
            # The cost line after calls= is the call's inclusive cost.
            parts = line.split()
            if len(parts) >= 2:
                inclusive[pending] += int(parts[1])
            pending = None
    for fn, what in WATCHED.items():
        print(f"{what:40s} {calls.get(fn, 0):6d} calls  {inclusive.get(fn, 0):>14,d} Ir inclusive")


if __name__ == "__main__":
    main(sys.argv[1])
