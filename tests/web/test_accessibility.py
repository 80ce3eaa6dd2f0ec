"""The site as a screen reader finds it: the engine's accessibility tree
read against the compiled scene tables where its automation gives the whole
tree (Chromium), and in every engine the whole tour taken by activating
accessibility nodes alone, each found by its role and name, never by a
selector or a place on the page; a run-time error read as one alert.

Usage: test_accessibility.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE]
"""

import sys

import browser
import tour

MARKER_WORDS = "This is You."
ERROR_TITLE = "Varn's House \u2014 Run-time error"
TITLE_BAR_LAST = ("button", "Close", "", True)  # the title bar's boxes end with it


class Tree:
    """One reading of the page's accessibility tree."""

    def __init__(self, page):
        self.nodes = {n["nodeId"]: n for n in page.ax_tree()}

    @staticmethod
    def value(node, key):
        return (node.get(key) or {}).get("value", "")

    @staticmethod
    def prop(node, name):
        return next((p["value"].get("value") for p in node.get("properties", [])
                     if p["name"] == name), None)

    def dialogs(self):
        return [n for n in self.nodes.values()
                if not n.get("ignored") and self.value(n, "role") == "dialog"]

    def text(self, node):
        if self.value(node, "role") == "StaticText":
            return self.value(node, "name")
        return "".join(self.text(self.nodes[c]) for c in node.get("childIds", [])
                       if c in self.nodes)

    def entries(self, node):
        """What a reader meets inside `node`, in order: (role, words, more, …)
        and the node each entry came from."""
        role = self.value(node, "role")
        said = None
        if node.get("ignored"):
            pass
        elif role == "button":
            said = ("button", self.value(node, "name"), self.value(node, "description"),
                    bool(self.prop(node, "focusable")))
        elif role == "textbox":
            said = ("textbox", self.value(node, "value"), bool(self.prop(node, "readonly")),
                    bool(self.prop(node, "focusable")))
        elif role == "image":
            said = ("image", self.value(node, "name"), self.value(node, "description"))
        elif role == "StaticText":
            said = ("text", self.value(node, "name"))
        elif self.prop(node, "live"):
            said = ("live " + self.prop(node, "live"), self.text(node))
        if said:
            return [(said, node)]
        return [e for c in node.get("childIds", []) if c in self.nodes
                for e in self.entries(self.nodes[c])]


def expected_entries(scene, captions):
    """The scene's items as a reader should meet them, in listing order."""
    markers = {(i["action"] or {}).get("label") for i in scene["items"]}
    said = []
    for entry in scene["items"]:
        kind, name = entry["kind"], tour.spoken_name(entry)
        if kind == "CommandButton":
            said.append(("button", name, entry["accessibleDescription"], True))
        elif kind == "Label" and entry["name"] in markers:
            said.append(("live polite", captions.get(entry["name"], entry["caption"])))
        elif kind == "Label" and entry["action"]:
            said.append(("button", name, "", False))
        elif kind == "Label" and name:
            said.append(("text", name))
        elif kind == "TextBox":
            said.append(("textbox", entry["text"].replace("\r\n", "\n"), True, True))
        elif kind == "PictureBox":
            said.append(("image", name, entry["accessibleDescription"]))
    return said


def read_scene(page, scene_id):
    """The showing dialog's items as (entry, node) pairs, or None unless the
    tree shows the scene's dialog, named by its caption, and no other."""
    tree = Tree(page)
    dialogs = tree.dialogs()
    if [tree.value(d, "name") for d in dialogs] != [tour.title(scene_id)]:
        return None
    said = tree.entries(dialogs[0])
    words = [e for e, _ in said]
    if TITLE_BAR_LAST in words:
        said = said[words.index(TITLE_BAR_LAST) + 1:]
    return said


def wait_to_read(page, scene_id, condition=lambda said: True, what="its dialog alone"):
    """The scene's items once it shows and `condition` holds for them."""
    def readable():
        said = read_scene(page, scene_id)
        return said if said is not None and condition(said) else None
    return page.wait_for(readable, f"{scene_id}: {what}")


def find(said, role, name):
    found = [node for entry, node in said if entry[:2] == (role, name)]
    return found[0] if len(found) == 1 else None


def check_markers(checks, page, scene_id):
    """Each marker pressed by its node shows its words in the live region, then
    hides them again."""
    scene = tour.SCENES[scene_id]
    for marker in scene["items"]:
        if (marker["action"] or {}).get("kind") != "ToggleMarker":
            continue
        label = marker["action"]["label"]
        for words in (MARKER_WORDS, ""):
            node = find(wait_to_read(page, scene_id), "button", tour.spoken_name(marker))
            if not checks.check(f"{scene_id}: one {marker['name']} node to press", node):
                return
            page.ax_activate(node)
            wanted = expected_entries(scene, {label: words})
            try:
                wait_to_read(page, scene_id, lambda said: [e for e, _ in said] == wanted,
                             f"the live region to read {words!r}")
                checks.check(f"{scene_id}: {marker['name']} read as {words!r}", True)
            except AssertionError as e:
                checks.check(f"{scene_id}: {marker['name']}: {e}", False)


def alerts_in_tree(page):
    """(name, description) of each alert dialog, and the scene dialogs left."""
    tree = Tree(page)
    found = [(tree.value(n, "name"), tree.value(n, "description")) for n in tree.nodes.values()
             if not n.get("ignored") and tree.value(n, "role") == "alertdialog"]
    return (found, tree.dialogs()) if found else None


def alerts_found(page):
    """The same, from the nodes found by role and name."""
    found = [(ERROR_TITLE, page.js("return arguments[0].textContent", node))
             for node in page.ax_find("alertdialog", ERROR_TITLE)]
    dialogs = [scene for scene in tour.SCENES if page.ax_find("dialog", tour.title(scene))]
    return (found, dialogs) if found else None


def check_error_box(checks, engine, folder, whole_tree):
    """In the fault-injection build, a failing showing is read as one alert
    with the error's title and message, focused, and no scene is left."""
    server, page = browser.Server(folder), browser.open_browser(engine)
    try:
        page.open(server.origin + "/index.html?fail=Show%20Form2")
        enter = (find(wait_to_read(page, "Form1"), "button", "Enter") if whole_tree
                 else page.wait_for(lambda: page.ax_find("button", "Enter"), "Enter")[0])
        page.ax_activate(enter)
        try:
            found, dialogs = page.wait_for(lambda: (alerts_in_tree if whole_tree
                                                    else alerts_found)(page),
                                           "the run-time error's alert")
        except AssertionError as e:
            checks.check(str(e), False)
            return
        checks.check(f"one alert {ERROR_TITLE!r} telling of Form2: {found}",
                     len(found) == 1 and found[0][0] == ERROR_TITLE and "Form2" in found[0][1])
        checks.equal("scene dialogs after the error", dialogs, [])
        checks.equal("focus after the error", page.js("return document.activeElement.textContent"),
                     "OK")
    finally:
        page.close()
        server.stop()


def read_tour(checks, page):
    """Every scene read in listing order with its live regions, and each move
    taken by pressing its node in the whole tree."""
    read = set()
    for move in tour.WALK:
        said = wait_to_read(page, move.source)
        if move.source not in read:
            read.add(move.source)
            checks.equal(f"{move.source} read in listing order", [e for e, _ in said],
                         expected_entries(tour.SCENES[move.source], {}))
            check_markers(checks, page, move.source)
            said = wait_to_read(page, move.source)
        node = find(said, "button", tour.spoken_name(move.item))
        if not checks.check(f"{move}: one node to press", node):
            break
        page.ax_activate(node)
        try:
            wait_to_read(page, move.target)
            checks.check(f"{move} by its accessibility node", True)
        except AssertionError as e:
            checks.check(f"{move}: {e}", False)
            break
    checks.equal("scenes read", sorted(read), sorted(tour.SCENES))


def walk_by_nodes(checks, page):
    """Each move taken by pressing the one node found by the item's role and
    name, each scene's dialog found by its caption."""
    for move in tour.WALK:
        nodes = page.ax_find("button", tour.spoken_name(move.item))
        if not checks.equal(f"{move}: nodes to press", len(nodes), 1):
            break
        page.ax_activate(nodes[0])
        try:
            page.wait_for(lambda: page.ax_find("dialog", tour.title(move.target)),
                          f"{move.target}'s dialog")
            checks.check(f"{move} by its accessibility node", page.showing() == [move.target])
        except AssertionError as e:
            checks.check(f"{move}: {e}", False)
            break


def main(argv):
    if len(argv) not in (3, 4):
        sys.exit("usage: test_accessibility.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE]")
    engine = argv[3] if len(argv) == 4 else "chromium"
    checks = browser.Checks()
    server, page = browser.Server(argv[1]), browser.open_browser(engine)
    try:
        whole_tree = checks.runs(page, "ax_tree", "each scene read in listing order, its live regions")
        readable = whole_tree or checks.runs(page, "ax_find", "the tour by accessibility nodes")
        if readable:
            page.open(server.origin + "/index.html")
            (read_tour if whole_tree else walk_by_nodes)(checks, page)
    finally:
        page.close()
        server.stop()
    if readable:
        check_error_box(checks, engine, argv[2], whole_tree)
    checks.finish()


if __name__ == "__main__":
    main(sys.argv)
