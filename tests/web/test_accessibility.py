"""The site as a screen reader finds it: Chromium's accessibility tree
(Accessibility.getFullAXTree) read against the compiled scene tables, and the
whole tour taken by activating accessibility nodes alone, each found by its
role and name, never by a selector or a place on the page.

Usage: test_accessibility.py SITE_FOLDER FAULT_SITE_FOLDER
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
        self.nodes = {n["nodeId"]: n for n in page.cdp("Accessibility.getFullAXTree")["nodes"]}

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


def activate(page, node):
    """Presses an accessibility node the way assistive technology does: the
    element behind it is clicked, with no pointer anywhere."""
    element = page.cdp("DOM.resolveNode", backendNodeId=node["backendDOMNodeId"])
    page.cdp("Runtime.callFunctionOn", objectId=element["object"]["objectId"],
             functionDeclaration="function() { this.click(); }")


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
            activate(page, node)
            wanted = expected_entries(scene, {label: words})
            try:
                wait_to_read(page, scene_id, lambda said: [e for e, _ in said] == wanted,
                             f"the live region to read {words!r}")
                checks.check(f"{scene_id}: {marker['name']} read as {words!r}", True)
            except AssertionError as e:
                checks.check(f"{scene_id}: {marker['name']}: {e}", False)


def check_error_box(checks, folder):
    """In the fault-injection build, a failing showing is read as one alert
    with the error's title and message, focused, and no scene is left."""
    server, page = browser.Server(folder), browser.Browser()
    try:
        page.open(server.origin + "/index.html?fail=Show%20Form2")
        activate(page, find(wait_to_read(page, "Form1"), "button", "Enter"))

        def alerts():
            tree = Tree(page)
            found = [(tree.value(n, "name"), tree.value(n, "description"))
                     for n in tree.nodes.values()
                     if not n.get("ignored") and tree.value(n, "role") == "alertdialog"]
            return (found, tree.dialogs()) if found else None

        try:
            found, dialogs = page.wait_for(alerts, "the run-time error's alert")
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


def main(argv):
    if len(argv) != 3:
        sys.exit("usage: test_accessibility.py SITE_FOLDER FAULT_SITE_FOLDER")
    checks = browser.Checks()
    server, page = browser.Server(argv[1]), browser.Browser()
    try:
        page.open(server.origin + "/index.html")
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
            activate(page, node)
            try:
                wait_to_read(page, move.target)
                checks.check(f"{move} by its accessibility node", True)
            except AssertionError as e:
                checks.check(f"{move}: {e}", False)
                break
        checks.equal("scenes read", sorted(read), sorted(tour.SCENES))
    finally:
        page.close()
        server.stop()
    check_error_box(checks, argv[2])
    checks.finish()


if __name__ == "__main__":
    main(sys.argv)
