"""Every scene audited by axe-core, the web's common accessibility rules (the
version tests/web/axe/ pins, installed by scripts/setup.sh): the whole walk
taken, each scene audited as it first shows and again with each marker's
words shown. Twice: in the default look, by every WCAG 2.1 A and AA rule and
every best practice but colour contrast (the scenes keep their own colours,
their red reads at under 4.5:1); with more contrast asked for, by all of them,
and every word in the window, the marker's and the messages' too, at 7:1 or
more against its face.

Usage: test_audit.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE]
"""

import os
import sys

from browser import Checks, Server, open_browser, tour
from contrast import EVERY_WORD, MORE, poor_contrast

AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build-npm", "axe",
                   "node_modules", "axe-core", "axe.min.js")
TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "best-practice"]
# The look, the rules it leaves out, whether its words are measured at MORE.
LOOKS = [("light", ["color-contrast"], False), ("more", [], True)]

# Audits the document; says back each violation as "rule (impact): targets".
AUDIT = """
const [tags, off] = arguments;
const rules = Object.fromEntries(off.map(rule => [rule, {enabled: false}]));
return axe.run(document, {runOnly: {type: 'tag', values: tags}, rules, resultTypes: ['violations']})
  .then(found => found.violations.map(v =>
    `${v.id} (${v.impact}): ${v.nodes.map(n => n.target.join(' ')).join(', ')}`));
"""


def marker_buttons(scene_id):
    return [i for i in tour.SCENES[scene_id]["items"]
            if (i["action"] or {}).get("kind") == "ToggleMarker"]


def audit_walk(page, axe, off, measure):
    """{what was audited: its violations and poorly contrasting words}, for
    every scene as it first shows and with each marker's words shown."""
    found = {}

    def audit(what):
        page.js(axe)  # a window opened anew has lost it
        said = page.js(AUDIT, TAGS, off)
        if measure:
            said += [f"reads at {r}:1: {name}" for name, r in
                     poor_contrast(page, MORE, EVERY_WORD)]
        found[what] = said

    seen = set()
    for move in [None] + tour.WALK:
        scene = "Form1" if move is None else move.target
        if move is not None:
            page.take_move(move)
        if scene in seen:
            continue
        seen.add(scene)
        audit(scene)
        for marker in marker_buttons(scene):
            page.click_item(scene, marker["rect"])
            page.settle()
            audit(f"{scene} with {marker['name']}'s words shown")
            page.click_item(scene, marker["rect"])
    return found


def main(argv):
    if len(argv) not in (3, 4):
        sys.exit("usage: test_audit.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE]")
    engine = argv[3] if len(argv) == 4 else "chromium"
    if not os.path.isfile(AXE):
        sys.exit(f"no axe-core at {os.path.normpath(AXE)}: run scripts/setup.sh with"
                 " VARN_SETUP_WEB=1")
    with open(AXE, encoding="utf-8") as f:
        axe = f.read()
    checks = Checks()
    server = Server(argv[1])
    try:
        for look, off, measure in LOOKS:
            with open_browser(engine) as page:
                if look != "light":
                    if not checks.runs(page, "schemes", f"the audit in {look}"):
                        continue
                    page.emulate(look)
                page.open(server.origin + "/index.html")
                found = audit_walk(page, axe, off, measure)
                checks.equal(f"scenes audited in {look}", len(found),
                             len(tour.SCENES) + sum(len(marker_buttons(s)) for s in tour.SCENES))
                checks.equal(f"violations in {look}", {w: v for w, v in found.items() if v}, {})
    finally:
        server.stop()
    checks.finish()


if __name__ == "__main__":
    main(sys.argv)
