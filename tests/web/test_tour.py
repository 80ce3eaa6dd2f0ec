"""The tour in a browser engine as a visitor takes it, with the browser's own
pointer and key input: every move of the walk with the order its windows
show and hide in, each window's title bar icon drawn when it first shows; the
markers; windows moved and resized coming back where
they were left; the clickable labels' corners and the clicks that lead
nowhere; the cursor over "Enter"; the keyboard in the endings and Tab
staying inside a window; closing the window of every scene ends the program;
a failing page operation (the test build) shows the run-time error and ends.

Usage: test_tour.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE]
"""

import sys

from browser import Checks, Server, Unsupported, engine_class, open_browser, tour
from contrast import face_colour, poor_contrast
from tour_keys import check_keys, check_label_keys

TWIPS = tour.TWIPS_PER_PIXEL
MARKER_WORDS = "This is You."

# Records, in order, each window the page shows and hides. A record's old
# value is the state before it; the state after it is the next record's old
# value, or the window's state now for the last one.
WATCH_WINDOWS = """
window.windowLog = [];
const shown = new Set(), state = new Map();
for (const w of document.querySelectorAll('section.window'))
  if (!w.hidden) { shown.add(w.dataset.scene); state.set(w.dataset.scene, false); }
new MutationObserver(records => {
  records.forEach((r, i) => {
    const scene = r.target.dataset.scene;
    const later = records.slice(i + 1).find(n => n.target === r.target);
    const hidden = later ? later.oldValue !== null : r.target.hidden;
    if (state.get(scene) === hidden) return;
    state.set(scene, hidden);
    if (!hidden) {
      shown.add(scene);
      windowLog.push('show ' + scene);
    }
    else if (shown.has(scene)) windowLog.push('hide ' + scene);
  });
}).observe(document.querySelector('.desktop'),
           {subtree: true, attributes: true, attributeOldValue: true, attributeFilter: ['hidden']});
"""


def marker_of(scene_id):
    """The scene's marker button and the label it toggles, or None."""
    for entry in tour.SCENES[scene_id]["items"]:
        if (entry["action"] or {}).get("kind") == "ToggleMarker":
            return entry, tour.item(scene_id, entry["action"]["label"])
    return None


def pixels(rect):
    return [v // TWIPS for v in rect]


def near(pixel, colour):
    """The same colour, but for the rounding of compositing it."""
    return max(abs(a - b) for a, b in zip(pixel, colour)) <= 3


def icon_drawn(page, scene):
    """Whether the title bar's icon shows in the first screenshot that shows
    the bar painted: some of its pixels unlike the bar's own colour. (An
    engine's screenshot may lag the page by a frame.)"""
    selector = f"section[data-scene='{scene}'] .title-bar"
    bar, icon = page.box(selector), page.box(selector + " .icon")
    colour = face_colour(page, selector)

    def painted():
        shot = page.screenshot(bar)
        return shot if near(shot.getpixel((0, shot.height // 2)), colour) else None

    shot = page.wait_for(painted, f"the title bar of {scene} painted")
    s = shot.width / bar[2]
    area = shot.crop(tuple(round(v * s) for v in (icon[0] - bar[0], icon[1] - bar[1],
                                                   icon[0] - bar[0] + icon[2],
                                                   icon[1] - bar[1] + icon[3])))
    return sum(1 for p in area.getdata() if not near(p, colour)) >= 16


def check_moves(page, checks):
    page.js(WATCH_WINDOWS)
    checks.equal("only the title exists at start",
                 page.js("return document.querySelectorAll('section.window').length"), 1)
    drawn, unreadable = {}, {"Form1": poor_contrast(page)}
    for move in tour.WALK:
        before = page.js("return windowLog.length")
        page.take_move(move)
        if move.target not in drawn:
            drawn[move.target] = icon_drawn(page, move.target)
            unreadable[move.target] = poor_contrast(page)
        shown, hidden = f"show {move.target}", f"hide {move.source}"
        wanted = [hidden, shown] if move.hide_first else [shown, hidden]
        checks.equal(f"{move}: the windows went", page.js("return windowLog.slice(arguments[0])",
                                                          before), wanted)
    checks.equal("each window's icon in the screenshot right after it showed",
                 sorted(s for s, ok in drawn.items() if not ok), [])
    checks.equal("every window's words against their face at 4.5:1 or more",
                 {s: poor for s, poor in unreadable.items() if poor}, {})


def check_markers(page, checks):
    """Shown, hidden, shown; two quick clicks are two; independent of the
    driveway's; the words themselves inert; kept across "Reincarnate"."""
    button, label = marker_of("Form2")
    page.take_move(tour.WALK[0])
    seen = []
    for _ in range(3):
        page.click_item("Form2", button["rect"])
        seen.append(page.caption("Form2", label["name"]))
    checks.equal("the street marker toggles", seen, [MARKER_WORDS, "", MARKER_WORDS])
    left, top, width, height = pixels(button["rect"])
    x, y = page.client_box("Form2")[:2]
    page.click_page(x + left + width / 2, y + top + height / 2, count=2)
    checks.equal("a quick second click counts", page.caption("Form2", label["name"]), MARKER_WORDS)
    page.click("Form2", label["rect"][0] // TWIPS + 5, label["rect"][1] // TWIPS + 5)
    checks.equal("the marker's words take no click",
                 (page.showing(), page.caption("Form2", label["name"])), (["Form2"], MARKER_WORDS))
    page.take_move(tour.WALK[1])  # on to the driveway
    driveway_button, driveway_label = marker_of("Form3")
    checks.equal("the driveway's marker is its own", page.caption("Form3", driveway_label["name"]),
                 "")
    page.click_item("Form3", driveway_button["rect"])
    for move in tour.WALK[2:5]:  # the front door's ending, back to the title, the street
        page.take_move(move)
    checks.equal("the street marker is kept across Reincarnate",
                 page.caption("Form2", label["name"]), MARKER_WORDS)


def check_moved_windows(page, checks):
    """The street moved by its title bar and resized by its corner, the title
    moved too: after a round trip through "Reincarnate" both are where and as
    large as they were left."""
    title_place = page.frame_box("Form1")
    page.take_move(tour.WALK[0])
    left, top, width, height = page.frame_box("Form2")
    page.drag((left + 60, top + 12), (left + 60 - 70, top + 12 + 50))
    left, top, width, height = page.frame_box("Form2")
    page.drag((left + width - 2, top + height - 2), (left + width + 38, top + height + 28))
    moved = page.frame_box("Form2")
    checks.equal("the street moved and grew", [round(v) for v in moved],
                 [round(v) for v in (left, top, width + 40, height + 30)])
    checks.equal("resizing scales nothing", page.client_box("Form2")[2:],
                 [312 + 40, 206 + 30])
    for move in tour.WALK[1:5]:
        page.take_move(move)
        if move.target == "Form1":
            checks.equal("the title comes back where it was", page.frame_box("Form1"),
                         title_place)
    checks.equal("the street comes back where it was left", page.frame_box("Form2"), moved)


FRAMED = "<!DOCTYPE html><title>{width} pixels</title><body style=\"margin: 0\">" \
         "<iframe src=\"/index.html\" width=\"{width}\" height=\"{height}\"" \
         " style=\"display: block; border: 0\"></iframe>"


def check_phone_screen(engine, checks, server, width=320, height=568):
    """On a phone's narrow screen every window shows whole, taps take the walk,
    and a finger drags a title bar. An engine whose window cannot be that
    narrow lays the page out in a frame of that size; one whose automation
    gives no touch takes the walk with the mouse."""
    by_touch = checks.runs(engine_class(engine), "touch", "the walk by touch")
    try:
        phone = open_browser(engine, width=width, height=height, touch=by_touch)
        framed = False
    except Unsupported as reason:
        print(f"{engine}: {reason}: the page lies in a {width} by {height} frame instead")
        phone, framed = open_browser(engine, touch=by_touch), True
    with phone:
        phone.kind = "touch" if by_touch else "mouse"
        path = "/index.html"
        if framed:
            path = "/framed.html"
            server.pages[path] = FRAMED.format(width=width, height=height)
        phone.open(server.origin + path, framed)
        phone.js("window.pointerKinds = new Set();"
                 " addEventListener('pointerdown', e => pointerKinds.add(e.pointerType), true)")
        cut = set()
        for move in tour.WALK:
            left, top, w, h = phone.frame_box(move.source)
            if not (0 <= left and 0 <= top and left + w <= width and top + h <= height):
                cut.add(move.source)
            phone.take_move(move)
        checks.equal("the walk: the pointers the page saw", phone.js("return [...pointerKinds]"),
                     [phone.kind])
        checks.equal(f"every window whole on a {width}-pixel screen: windows cut off",
                     sorted(cut), [])
        scene = phone.showing()[0]
        left, top, w, _ = phone.frame_box(scene)
        phone.drag((left + w / 2, top + 9), (left + w / 2, top + 9 + 40))
        checks.equal(f"the {phone.kind} drags the title bar 40 pixels down",
                     round(phone.frame_box(scene)[1] - top), 40)


def check_labels(page, checks, origin):
    """Each clickable label takes a click on every corner pixel; just outside,
    or on labels and shapes without an action, nothing happens."""
    clickable = [(scene, entry) for scene in tour.SCENES.values() for entry in scene["items"]
                 if entry["kind"] == "Label" and entry["action"]]
    for scene, entry in clickable:
        left, top, width, height = pixels(entry["rect"])
        corners = [(left, top), (left + width - 1, top), (left, top + height - 1),
                   (left + width - 1, top + height - 1)]
        outside = [(left - 1, top - 1), (left + width, top + height)]
        for (x, y), leads in [(c, True) for c in corners] + [(c, False) for c in outside]:
            page.open(origin + "/index.html")
            page.walk_to(scene["id"])
            page.click(scene["id"], x, y)
            target = entry["action"]["target"] if leads else scene["id"]
            try:
                page.wait_for(lambda: page.showing() == [target], f"{target}")
                ok = leads or page.showing() == [scene["id"]]
            except AssertionError:
                ok = False
            checks.check(f"{scene['id']}.{entry['name']} at ({x}, {y}) "
                         f"{'leads on' if leads else 'does nothing'}", ok)
    page.open(origin + "/index.html")
    page.walk_to("Form2")
    street_name = pixels(tour.item("Form2", "Label1")["rect"])
    page.click("Form2", street_name[0] + 3, street_name[1] + 3)
    page.walk_to("Form3")
    car = pixels(tour.item("Form3", "Shape1")["rect"])
    page.click("Form3", car[0] + 4, car[1] + 4)  # inside the car, outside "TR-6"
    checks.equal("the street name and the car outside its label do nothing", page.showing(),
                 ["Form3"])


def check_cursor(page, checks):
    def cursor(x, y):
        left, top = page.client_box("Form1")[:2]
        return page.js("const e = document.elementFromPoint(arguments[0], arguments[1]);"
                       " return getComputedStyle(e).cursor", left + x, top + y)
    enter = pixels(tour.item("Form1", "Command1")["rect"])
    checks.equal("four-headed arrow over Enter",
                 cursor(enter[0] + enter[2] / 2, enter[1] + enter[3] / 2), "move")
    checks.check("the default arrow beside it", cursor(enter[0] - 20, enter[1] + 5) in ("auto",
                                                                                       "default"))


def check_close(page, checks, origin):
    """Closing the showing window, in every scene, ends the program: no window
    and no listener of the program's is left, and the page offers a fresh start."""
    for scene in tour.SCENES:
        page.open(origin + "/index.html")
        page.walk_to(scene)
        page.js("document.querySelector(`section[data-scene='${arguments[0]}'] .box.close`)"
                ".dataset.test = 'close'", scene)
        box = page.js("const r = document.querySelector('[data-test=close]')"
                      ".getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]")
        page.click_page(*box)
        try:
            page.wait_for(page.ended, "the program to end")
            ok = True
        except AssertionError:
            ok = False
        checks.check(f"closing {scene} ends the program", ok)
        if not page.lacks("listeners"):
            checks.equal(f"listeners left after closing {scene}", page.listeners(), 0)
    checks.runs(page, "listeners", "no listener left after closing")
    checks.equal("the page offers to start again", page.js(
        "return document.querySelector('main.ended a').textContent"), "Start again")


def check_failure(page, checks, fault_origin):
    page.navigate(fault_origin + "/index.html?fail=Show%20Form2")
    page.wait_for(lambda: page.showing() == ["Form1"], "the title")
    page.click_item("Form1", tour.item("Form1", "Command1")["rect"])
    page.wait_for(lambda: page.js("return !!document.querySelector('dialog.error:modal')"),
                  "the run-time error, in a modal box")
    title, message = page.js("const d = document.querySelector('dialog.error');"
                             " return [d.querySelector('.title-bar').textContent,"
                             " d.querySelector('p').textContent]")
    checks.equal("the error box's title", title, "Varn's House \u2014 Run-time error")
    checks.check(f"the error says what failed: {message!r}", "Show failed for Form2" in message)
    checks.check("the program has ended", page.ended())


def main(argv):
    site, fault_site = argv[1], argv[2]
    engine = argv[3] if len(argv) > 3 else "chromium"
    checks = Checks()
    server, fault_server = Server(site), Server(fault_site)
    page = open_browser(engine)
    try:
        origin = server.origin
        for check in (check_moves, check_markers, check_moved_windows, check_cursor):
            page.open(origin + "/index.html")
            check(page, checks)
        check_labels(page, checks, origin)
        check_keys(page, checks, origin)
        check_label_keys(page, checks, origin)
        check_close(page, checks, origin)
        check_failure(page, checks, fault_server.origin)
        check_phone_screen(engine, checks, server)
        checks.equal("nothing said on the console", page.console(), [])
    finally:
        page.close()
        server.stop()
        fault_server.stop()
    checks.finish()


if __name__ == "__main__":
    main(sys.argv)
