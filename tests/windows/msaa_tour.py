"""The tour as a Windows screen reader takes it, through Microsoft Active
Accessibility alone, from another process (msaa_client.exe under Wine).

Run by test_msaa_tour.sh with the program started. Takes the shared walk
(tests/support/tour.json) by default actions alone; on the first visit to
each scene reads the window's object (a dialog, or an alert in an ending,
described by its place and an ending's message) and its children against the
scene's table (role, name, description, value, state, default action, place on
the screen, hit testing and navigation, the focus), and each button's and
message box's own object, where the focus lands, as its child reads; presses
each marker once, twice in quick succession and once more, hearing the label's
name change and the marker's state change (checked while the words show), of
the scene's child and of the button's own object, for every press and reading
them back. Prints one line per check, "ok: ..." or "FAIL: ...".
Usage: msaa_tour.py WINE_LOADER MSAA_CLIENT_EXE PATIENCE_SECONDS
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import tour  # noqa: E402

PUSH_BUTTON, CHECK_BUTTON, STATIC_TEXT, TEXT, GRAPHIC = 0x2B, 0x2C, 0x29, 0x2A, 0x28
DIALOG, ALERT = 0x12, 0x08
FOCUSED, CHECKED, READONLY, INVISIBLE, FOCUSABLE = 0x4, 0x10, 0x40, 0x8000, 0x100000
WINDOWED = ("CommandButton", "TextBox", "PictureBox")
MARKER_WORDS = "This is You."

wine, client_exe, patience = sys.argv[1], sys.argv[2], float(sys.argv[3])
client = subprocess.Popen([wine, client_exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                          text=True, encoding="utf-8", errors="replace")


def ask(*words):
    """Sends one command; returns its answer's lines."""
    client.stdin.write(words[0] + (" " + "\t".join(words[1:]) if len(words) > 1 else "") + "\n")
    client.stdin.flush()
    lines = []
    while True:
        line = client.stdout.readline()
        if not line:
            raise SystemExit("FAIL: the MSAA client ended")
        line = line.rstrip("\r\n")
        if line == "end":
            return lines
        lines.append(line)


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"r": "\r", "n": "\n"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what, flush=True)
    return ok


def wait_for(answer, wanted):
    """Polls `answer()` until it equals `wanted`; returns the last answer."""
    deadline = time.monotonic() + patience
    while True:
        got = answer()
        if got == wanted or time.monotonic() > deadline:
            return got
        time.sleep(0.1)


def pixels(rect, origin):
    left, top, width, height = (round(v / tour.TWIPS_PER_PIXEL) for v in rect)
    return [origin[0] + left, origin[1] + top, width, height]


def read_scene(title):
    """The scene's own line, its children, the focused child's id and its
    child windows' own objects, as dictionaries."""
    self_line, children, focus, controls = None, [], None, []
    for line in ask("children", title):
        fields = line.split("|")
        if fields[0] == "self":
            self_line = {"parent": fields[1], "name": unescape(fields[2]),
                         "place": [int(v) for v in fields[3].split()], "role": int(fields[4]),
                         "description": unescape(fields[5]), "state": int(fields[6], 16)}
        elif fields[0] == "focus":
            focus = int(fields[1])
        elif fields[0] == "control" and len(fields) == 6:
            controls.append({"role": int(fields[1]), "name": unescape(fields[2]),
                             "description": unescape(fields[3]), "value": unescape(fields[4]),
                             "state": int(fields[5], 16)})
        elif fields[0] == "error":
            check(False, f"{title}: {line}")
        else:
            children.append({"id": int(fields[0]), "role": int(fields[1]),
                             "name": unescape(fields[2]), "description": unescape(fields[3]),
                             "value": unescape(fields[4]), "state": int(fields[5], 16),
                             "action": fields[6], "place": [int(v) for v in fields[7].split()],
                             "hit": int(fields[8]), "next": int(fields[9])})
    return self_line, children, focus, controls


def is_marker(entry):
    return (entry["action"] or {}).get("kind") == "ToggleMarker"


def expected_child(entry, origin):
    label = entry["kind"] == "Label"
    pressable = entry["kind"] == "CommandButton" or (label and entry["action"] is not None)
    role = {"CommandButton": CHECK_BUTTON if is_marker(entry) else PUSH_BUTTON, "TextBox": TEXT,
            "PictureBox": GRAPHIC}.get(entry["kind"], PUSH_BUTTON if pressable else STATIC_TEXT)
    name = tour.MESSAGE_BOX_NAME if entry["kind"] == "TextBox" else tour.spoken_name(entry)
    return {"role": role, "name": name,
            "description": entry["accessibleDescription"],
            "value": entry["text"] if entry["kind"] == "TextBox" else "",
            "action": "Press" if pressable else "", "place": pixels(entry["rect"], origin),
            "focusable": entry["kind"] in ("CommandButton", "TextBox")}


def hit_at(items, x, y, origin):
    """The child id a point should hit: a control above everything painted,
    else the topmost (last listed) label there, else the scene itself."""
    def inside(entry):
        left, top, width, height = pixels(entry["rect"], origin)
        return left <= x < left + width and top <= y < top + height
    for kinds in (WINDOWED, ("Label",)):
        found = [n for n, e in enumerate(items, 1) if e["kind"] in kinds and inside(e)]
        if found:
            return found[-1]
    return 0


def check_scene(scene_id):
    title = tour.title(scene_id)
    me, children, focus, controls = read_scene(title)
    if not check(me is not None, f"{title}: its client object answers"):
        return
    check(me["parent"] == "window" and me["name"] == title,
          f"{title}: named by its title, its parent the window's object ({me['name']!r}, "
          f"parent: {me['parent']})")
    scene = tour.SCENES[scene_id]
    check(me["role"] == (ALERT if scene["ending"] else DIALOG) and
          me["description"] == scene["description"] and me["state"] & INVISIBLE == 0,
          f"{title}: {'an alert' if scene['ending'] else 'a dialog'} described as "
          f"{me['description']!r} (role {me['role']:#x})")
    origin = me["place"][:2]
    items = [e for e in tour.SCENES[scene_id]["items"] if e["kind"] not in ("Shape", "Line")]
    wanted = [expected_child(e, origin) for e in items]
    seen = [{k: c[k] for k in ("role", "name", "description", "value", "action", "place")}
            for c in children]
    check(seen == [{k: v for k, v in w.items() if k != "focusable"} for w in wanted],
          f"{title}: children in listing order, as the table says: {seen}")
    check([c["id"] for c in children] == list(range(1, len(items) + 1)) and
          [c["next"] for c in children] == list(range(2, len(items) + 1)) + [-1],
          f"{title}: child ids 1 to {len(items)}, each navigating to the next")
    check([bool(c["state"] & FOCUSABLE) for c in children] == [w["focusable"] for w in wanted]
          and all(c["state"] & (INVISIBLE | CHECKED) == 0 for c in children),
          f"{title}: buttons and messages focusable, labels and the picture not, none invisible "
          f"or checked")
    first = min((e for e in items if e["kind"] in ("CommandButton", "TextBox")),
                key=lambda e: e["tabIndex"])
    focused = [c["id"] for c in children if c["state"] & FOCUSED]
    check(focus == items.index(first) + 1 and focused == [focus],
          f"{title}: the focus on {first['name']}, the lowest in the tab order (focus {focus})")
    hits = [c["hit"] for c in children]
    middles = [(c["place"][0] + c["place"][2] // 2, c["place"][1] + c["place"][3] // 2)
               for c in children]
    check(hits == [hit_at(items, x, y, origin) for x, y in middles],
          f"{title}: hit testing each child's middle finds what lies on top there: {hits}")
    spoken = ("role", "name", "description", "value")
    own = sorted(tuple(c[k] for k in spoken) for c in controls
                 if c["role"] in (PUSH_BUTTON, CHECK_BUTTON, TEXT))
    check(own == sorted(tuple(w[k] for k in spoken) for w, e in zip(wanted, items)
                        if e["kind"] in ("CommandButton", "TextBox")),
          f"{title}: each button and message box, as its own object, reads as it does "
          f"among the children: {own}")
    for child, entry in zip(children, items):
        if entry["kind"] == "TextBox":
            check(child["state"] & READONLY and child["value"] == entry["text"],
                  f"{title}: the message reads {child['value']!r}, read-only")


def read_child(title, child_id):
    _, children, _, _ = read_scene(title)
    return children[child_id - 1] if len(children) >= child_id else None


def read_control(title, name):
    _, _, _, controls = read_scene(title)
    return next((c for c in controls if c["name"] == name), {"state": -1})


def heard(title, count):
    """Waits for `count` name changes and twice as many state changes (of the
    scene's child and of the control's own object) in the scene; returns them
    as (name changes: the names, state changes: (name, state, whose))."""
    events = []

    def listen():
        events.extend(line.split("|")[1:] for line in ask("events")
                      if line.startswith(title + "|"))
        return [e[1] for e in events if e[0] == "name"], \
            [(e[1], int(e[2], 16), e[3]) for e in events if e[0] == "state"]
    deadline = time.monotonic() + patience
    while (len(listen()[0]) < count or len(listen()[1]) < 2 * count) and \
            time.monotonic() < deadline:
        time.sleep(0.1)
    time.sleep(0.3)  # and no more than that
    return listen()


def check_marker(scene_id):
    items = [e for e in tour.SCENES[scene_id]["items"] if e["kind"] not in ("Shape", "Line")]
    marker = next((e for e in items if is_marker(e)), None)
    if marker is None:
        return
    title, name = tour.title(scene_id), tour.spoken_name(marker)
    label_id = next(n for n, e in enumerate(items, 1) if e["name"] == marker["action"]["label"])
    marker_id = items.index(marker) + 1
    ask("events")  # forget what came before
    for presses, words in ((1, MARKER_WORDS), (2, MARKER_WORDS), (1, "")):
        answers = [ask("press", title, name) for _ in range(presses)]
        names, states = heard(title, presses)
        checked = CHECKED if words else 0
        check(all(a == ["pressed"] for a in answers) and len(names) == presses and
              names[-1] == words and read_child(title, label_id)["name"] == words,
              f"{title}: the marker pressed {presses}x shows {words!r}, "
              f"a name change heard each time: {names}")
        for whose in ("child", "control"):
            heard_here = [state for n, state, w in states if w == whose and n == name]
            read_back = read_child(title, marker_id) if whose == "child" else \
                read_control(title, name)
            where = "the scene's child" if whose == "child" else "its own object"
            check(len(heard_here) == presses and heard_here[-1] & CHECKED == checked and
                  read_back["state"] & CHECKED == checked and
                  len(states) == 2 * presses,
                  f"{title}: the marker pressed {presses}x is {'' if words else 'not '}checked "
                  f"as {where}, a state change heard each time: {states}")


def showing():
    return ask("showing")


def main():
    checked = set()
    here = "Form1"
    for move in [None] + tour.WALK:
        if move is not None:
            answer = ask("press", tour.title(move.source), tour.spoken_name(move.item))
            here = move.target
            now = wait_for(showing, [tour.title(here)])
            if not check(answer == ["pressed"] and now == [tour.title(here)],
                         f"{move}: pressed by its default action, {tour.title(here)!r} alone "
                         f"showing ({answer}, {now})"):
                return 1
        elif not check(wait_for(showing, ["Varn's House"]) == ["Varn's House"],
                       "the title scene alone showing"):
            return 1
        if here not in checked:
            checked.add(here)
            check_scene(here)
            check_marker(here)
    check(checked == set(tour.SCENES), f"every scene read: {sorted(checked)}")
    return 0


try:
    status = main()
finally:
    client.stdin.close()
    client.wait(timeout=30)
sys.exit(status)
