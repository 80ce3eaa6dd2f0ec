"""The keyboard in a browser engine, as test_tour.py walks it: Space in the
endings, Tab and Shift+Tab round a window's own tab order, the arrow keys
round its pressable items, and Enter or Space on a label that leads somewhere.
"""

from browser import tour


def focused(page):
    return page.js("return document.activeElement.dataset.name || document.activeElement.tagName")


def check_keys(page, checks, origin):
    """Space reincarnates where the button has the focus, in the car ending
    only after Tab; Tab and Shift+Tab walk the scene's own tab order and stay
    inside the window."""
    for ending, tabs in (("Form4", 0), ("Form5", 1), ("Form6", 0)):
        page.open(origin + "/index.html")
        page.walk_to(ending)
        for _ in range(tabs):
            page.key("Tab")
        page.key("Space")
        try:
            page.wait_for(lambda: page.showing() == ["Form1"], "the title")
            ok = True
        except AssertionError:
            ok = False
        checks.check(f"{ending}: {'Tab, ' * tabs}Space reincarnates", ok)
    page.walk_to("Form7")
    order = sorted((e for e in tour.SCENES["Form7"]["items"]
                    if e["kind"] in ("CommandButton", "TextBox")), key=lambda e: e["tabIndex"])
    names = [e["name"] for e in order]
    walked = [focused(page)]
    for _ in names:
        page.key("Tab")
        walked.append(focused(page))
    checks.equal("Tab walks the ground floor's tab order and comes round", walked,
                 names + names[:1])
    page.key("Tab", shift=True)
    checks.equal("Shift+Tab walks it back, round to the last", focused(page), names[-1])


def check_label_keys(page, checks, origin):
    """The arrow keys walk each window's buttons and the labels that lead
    somewhere in listing order, round and round (Right and Down onwards, Left
    and Up back), never leaving the window; Enter or Space on a label that
    leads somewhere takes it."""
    exits = [(scene, entry) for scene in tour.SCENES for entry in tour.SCENES[scene]["items"]
             if entry["kind"] == "Label" and entry["action"]]
    for (scene, entry), press in zip(exits, ["Enter", "Space", "Enter"]):
        page.open(origin + "/index.html")
        page.walk_to(scene)
        pressable = [e["name"] for e in tour.SCENES[scene]["items"]
                     if e["kind"] == "CommandButton" or (e["kind"] == "Label" and e["action"])]
        start = focused(page)
        turn = pressable.index(start)
        onwards = pressable[turn + 1:] + pressable[:turn + 1]
        for forwards, back in (("ArrowRight", "ArrowLeft"), ("ArrowDown", "ArrowUp")):
            walked = []
            for _ in pressable:
                page.key(forwards)
                walked.append(focused(page))
            checks.equal(f"{scene}: {forwards} walks the pressable items round", walked, onwards)
            page.key(back)
            checks.equal(f"{scene}: {back} goes back", focused(page), onwards[-2 % len(onwards)])
            page.key(forwards)
        while focused(page) != entry["name"]:
            page.key("ArrowDown")
        page.key(press)
        try:
            page.wait_for(lambda: page.showing() == [entry["action"]["target"]], "the exit")
            ok = True
        except AssertionError:
            ok = False
        checks.check(f"{scene}.{entry['name']}: {press} takes it", ok)
