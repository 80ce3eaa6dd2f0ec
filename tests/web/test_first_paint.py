"""The title window as served, before the program runs, in a browser engine:
the page as parsed (its WebAssembly module held back by the server) holds
exactly what the program builds when it starts afresh (the test build,
"?fresh"): the same elements, attributes, classes, text, boxes, fonts and
colours, focus and accessibility tree; when the module comes, the program
takes that window over and nothing in it changes, and no second one
appears; a click, a Space or a tap (where the engine's automation has
touch) on "Enter" made before then, or before even the program's script has
come, is carried out once the program runs.
Beside every text file and the module, the site holds it precompressed.

Usage: test_first_paint.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE]
"""

import gzip
import os
import subprocess
import sys

from browser import Checks, Server, open_browser, tour
from test_accessibility import Tree

# Every element of the page's desktop, as (tag, attributes, own text, box,
# computed lettering and colours, focused). Left out: the style attribute,
# which the served page may not have (its values are compared as computed);
# autofocus, the served form of the program's focus (compared as focus); a
# canvas's width and height, the resolution its icon is drawn at.
SNAPSHOT = """
const desktop = document.querySelector('body > .desktop');
if (!desktop) return null;
const drawn = e => e.localName === 'canvas' ? ['width', 'height'] : [];
return [desktop, ...desktop.querySelectorAll('*')].map(e => {
  const r = e.getBoundingClientRect(), cs = getComputedStyle(e);
  return [e.localName,
          [...e.attributes].map(a => a.name)
            .filter(n => n !== 'style' && n !== 'autofocus' && !drawn(e).includes(n))
            .sort().map(n => n + '=' + e.getAttribute(n)).join(' '),
          [...e.childNodes].filter(n => n.nodeType === 3).map(n => n.data).join(''),
          [r.left, r.top, r.width, r.height].join(','),
          ['font-family', 'font-size', 'font-weight', 'color', 'background-color',
           'cursor', 'text-align', 'z-index', 'visibility']
            .map(p => cs.getPropertyValue(p)).join('|'),
          e === document.activeElement];
});
"""
# The program has started: it sets the window's style properties.
STARTED = "return !!document.querySelector('section.window[style]')"
ENTER = tour.item("Form1", "Command1")


def reading(page):
    """The title dialog as a screen reader meets it, where the engine gives
    the whole tree; elsewhere how many title dialogs and "Enter" buttons its
    accessibility finds, or None where it finds none."""
    if page.lacks("ax_tree"):
        if page.lacks("ax_find"):
            return None
        return [len(page.ax_find(*found)) for found in
                (("dialog", tour.title("Form1")), ("button", tour.spoken_name(ENTER)))]
    tree = Tree(page)
    return [(tree.value(d, "name"), [e for e, _ in tree.entries(d)]) for d in tree.dialogs()]


def differences(got, wanted):
    """The elements that differ, at most three, for the failure's message."""
    if got is None or wanted is None:
        return [("no desktop", got is None, wanted is None)]
    found = [(i, g, w) for i, (g, w) in enumerate(zip(got, wanted)) if g != w]
    if len(got) != len(wanted):
        found.append(("count", len(got), len(wanted)))
    return found[:3]


def tap(page):
    """A finger's tap on "Enter"."""
    kind, page.kind = page.kind, "touch"
    try:
        page.click_item("Form1", ENTER["rect"])
    finally:
        page.kind = kind


def served(page, server):
    """Loads the page with its module held back: what it shows before the program."""
    server.hold(".wasm")
    page.navigate(server.origin + "/index.html")
    page.settle()


def served_without_script(page, server, folder):
    """Loads the page as served but without the program's script, which comes
    only when the returned function is called: a press made before then is
    one made before the program's script has even arrived."""
    with open(os.path.join(folder, "index.html"), encoding="utf-8") as f:
        html = f.read()
    script = '<script src="varns-house.js" defer></script>'
    server.pages["/early.html"] = html.replace(script, "")
    page.navigate(server.origin + "/early.html")
    page.settle()
    return lambda: page.js("const s = document.createElement('script');"
                           " s.src = 'varns-house.js'; document.head.append(s)")


def check_compressed(checks, folder):
    """Beside every text file and the module, its .br and .gz of the same bytes."""
    for name in sorted(os.listdir(folder)):
        if not name.endswith((".html", ".js", ".css", ".wasm", ".webmanifest")):
            continue
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            plain = f.read()
        readers = {".gz": lambda p: gzip.open(p).read(),
                   ".br": lambda p: subprocess.run(["brotli", "-d", "-c", p], check=True,
                                                   capture_output=True).stdout}
        for suffix, read in readers.items():
            packed = path + suffix
            checks.check(f"{name}{suffix} holds {name}",
                         os.path.isfile(packed) and read(packed) == plain)


def main(argv):
    if len(argv) not in (3, 4):
        sys.exit("usage: test_first_paint.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE]")
    engine = argv[3] if len(argv) == 4 else "chromium"
    checks = Checks()
    with open(os.path.join(argv[1], "index.html"), encoding="utf-8") as f:
        checks.check("the served page has no style attribute", " style=" not in f.read())
    check_compressed(checks, argv[1])
    site, fault_site = Server(argv[1]), Server(argv[2])
    page = open_browser(engine)
    try:
        page.navigate(fault_site.origin + "/index.html?fresh")
        page.wait_for(lambda: page.js(STARTED), "the program's own title")
        page.settle()
        built, built_reading = page.js(SNAPSHOT), reading(page)

        served(page, site)
        before = page.js(SNAPSHOT)
        checks.equal("the served title against the built one", differences(before, built), [])
        checks.equal("the served title as read", reading(page), built_reading)
        site.release()
        page.wait_for(lambda: page.js(STARTED), "the program to start")
        page.settle()
        checks.equal("the title once the program has taken it over",
                      differences(page.js(SNAPSHOT), before), [])
        checks.equal("showing once taken over", page.showing(), ["Form1"])

        # A press before the program runs is carried out once it does: before
        # its module has come, and before even its script has.
        def held_module():
            served(page, site)
            return site.release

        click = lambda: page.click_item("Form1", ENTER["rect"])  # noqa: E731
        presses = [("click", click, held_module),
                   ("Space", lambda: page.key("Space"), held_module)]
        if checks.runs(page, "touch", "an early tap"):
            presses.append(("tap", lambda: tap(page), held_module))
        presses.append(("click before the program's script", click,
                        lambda: served_without_script(page, site, argv[1])))
        for name, press, load in presses:
            release = load()
            press()
            page.settle()
            checks.equal(f"an early {name}: showing before the program", page.showing(),
                         ["Form1"])
            release()
            try:
                page.wait_for(lambda: page.showing() == ["Form2"], f"the early {name} to lead on")
            except AssertionError as e:
                checks.check(str(e), False)
    finally:
        page.close()
        site.stop()
        fault_site.stop()
    checks.finish()


if __name__ == "__main__":
    main(sys.argv)
