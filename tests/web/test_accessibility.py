"""The site as a screen reader finds it: the engine's accessibility tree
read against the compiled scene tables where its automation gives the whole
tree (Chromium): each window a dialog (an ending an alert dialog) named by its
caption and described by its place, announced in the status region as it
shows, the markers toggle buttons pressed while their words show, the
message boxes named; and in every engine the whole tour taken by activating
accessibility nodes alone, each found by its role and name, never by a
selector or a place on the page; a run-time error read as one alert.

Usage: test_accessibility.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE]
"""

import sys

import browser
import tour

MARKER_WORDS = "This is You."
ERROR_TITLE = "Varn's House \u2014 Run-time error"
TITLE_BAR_LAST = ("button", "Close", "", True, None)  # the title bar's boxes end with it
SCENE_ROLES = ("dialog", "alertdialog")


def window_role(scene_id):
    """An ending's window is an alert dialog, every other a dialog."""
    return "alertdialog" if tour.SCENES[scene_id]["ending"] else "dialog"


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
        """The scene windows: dialogs and alert dialogs, the run-time error's aside."""
        return [n for n in self.nodes.values()
                if not n.get("ignored") and self.value(n, "role") in SCENE_ROLES
                and self.value(n, "name") != ERROR_TITLE]

    def announced(self):
        """What the status regions hold."""
        return [self.text(n) for n in self.nodes.values()
                if not n.get("ignored") and self.value(n, "role") == "status"]

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
                    bool(self.prop(node, "focusable")), self.prop(node, "pressed"))
        elif role == "textbox":
            said = ("textbox", self.value(node, "name"), self.value(node, "value"),
                    bool(self.prop(node, "readonly")), bool(self.prop(node, "focusable")))
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
    """The scene's items as a reader should meet them, in listing order, the
    markers' labels showing `captions` (else their own)."""
    said = []
    for entry in scene["items"]:
        kind, name, action = entry["kind"], tour.spoken_name(entry), entry["action"] or {}
        if kind == "CommandButton":
            pressed = None
            if action.get("kind") == "ToggleMarker":
                pressed = "true" if captions.get(action["label"]) else "false"
            said.append(("button", name, entry["accessibleDescription"], True, pressed))
        elif kind == "Label" and action:
            said.append(("button", name, "", True, None))  # focusable, but no Tab stop
        elif kind == "Label" and captions.get(entry["name"], name):
            said.append(("text", captions.get(entry["name"], name)))
        elif kind == "TextBox":
            said.append(("textbox", tour.MESSAGE_BOX_NAME, tour.message(entry), True, True))
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
    """Each marker pressed by its node shows its words and reads as pressed,
    then hides them and reads as not pressed, twice over."""
    scene = tour.SCENES[scene_id]
    for marker in scene["items"]:
        if (marker["action"] or {}).get("kind") != "ToggleMarker":
            continue
        label = marker["action"]["label"]
        for words in (MARKER_WORDS, "", MARKER_WORDS, ""):
            node = find(wait_to_read(page, scene_id), "button", tour.spoken_name(marker))
            if not checks.check(f"{scene_id}: one {marker['name']} node to press", node):
                return
            page.ax_activate(node)
            wanted = expected_entries(scene, {label: words})
            try:
                wait_to_read(page, scene_id, lambda said: [e for e, _ in said] == wanted,
                             f"the marker to read {words!r}")
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
    dialogs = [scene for scene in tour.SCENES
               if page.ax_find(window_role(scene), tour.title(scene))]
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


def check_window(checks, page, scene_id):
    """The showing window's role and description, and what the status region
    holds: its title, then the same description (the title window's as
    served)."""
    scene, tree = tour.SCENES[scene_id], Tree(page)
    window = tree.dialogs()[0]
    words = " ".join(scene["description"].split())  # as the engine reads it, spaces collapsed
    expected = f"{tour.title(scene_id)}. {words}"
    checks.equal(f"{scene_id}: role, description, announced",
                 (tree.value(window, "role"), tree.value(window, "description"),
                  [" ".join(said.split()) for said in tree.announced()]),
                 (window_role(scene_id), words, [expected]))


def read_tour(checks, page):
    """Every scene read in listing order with its markers pressed, and each
    move taken by pressing its node in the whole tree."""
    read = set()
    for move in tour.WALK:
        said = wait_to_read(page, move.source)
        check_window(checks, page, move.source)
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
    name, each scene's window found by its role and caption, each message box
    by its name."""
    for move in tour.WALK:
        nodes = page.ax_find("button", tour.spoken_name(move.item))
        if not checks.equal(f"{move}: nodes to press", len(nodes), 1):
            break
        page.ax_activate(nodes[0])
        try:
            page.wait_for(lambda: page.ax_find(window_role(move.target), tour.title(move.target)),
                          f"{move.target}'s {window_role(move.target)}")
            checks.check(f"{move} by its accessibility node", page.showing() == [move.target])
            boxes = [i for i in tour.SCENES[move.target]["items"] if i["kind"] == "TextBox"]
            checks.equal(f"{move.target}: message boxes found by their name",
                         len(page.ax_find("textbox", tour.MESSAGE_BOX_NAME)), len(boxes))
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
        whole_tree = checks.runs(page, "ax_tree", "each scene read in listing order, its markers pressed")
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
