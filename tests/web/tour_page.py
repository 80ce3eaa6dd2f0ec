"""The tour as the browser tests speak of it, in any engine: open the page,
what shows, click an item, drag a title bar, take the walk. Built on a few
primitives each engine's back end gives:

  name; constructor (width=1024, height=768, scale=1, touch=False);
  js(script, *args); navigate(url); pointer(steps, kind="mouse");
  key(name, shift=False); screenshot(clip=None); console(); close();
  enter_frame() (scripts and pointer coordinates in the page's first frame);
  cannot = {capability: reason} for each optional capability it lacks:
  "scale2", "schemes" (emulate), "ax_tree", "ax_find" (ax_find, ax_activate),
  "listeners", "installability", "touch", "preload" (a script run before the
  page's own), "requests" (every URL the page asked for, other origins too),
  "forced_palette" (forced colours bring a palette unlike the light one).
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import tour  # noqa: E402

PATIENCE = 10.0  # seconds a wait may take; it ends as soon as its condition holds
# The method behind each optional capability that has one.
METHODS = {"schemes": "emulate", "ax_tree": "ax_tree", "ax_find": "ax_find",
           "listeners": "listeners", "installability": "installability", "preload": "preload",
           "requests": "requests"}
CAPABILITIES = ("scale2", "touch", "forced_palette") + tuple(METHODS)


class Unsupported(Exception):
    """The engine cannot do what was asked; the message says why."""


class TourPage:
    name = "?"
    cannot = {}
    kind = "mouse"  # the pointer a person uses here: "mouse", "touch" or "pen"

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    @classmethod
    def lacks(cls, capability):
        """Why this engine cannot do the capability, or None when it can."""
        if capability in cls.cannot:
            return cls.cannot[capability]
        method = METHODS.get(capability)
        if method and getattr(cls, method) is getattr(TourPage, method):
            return f"our {cls.name} back end offers no {capability}"
        return None

    def _lacks(self, capability):
        raise Unsupported(self.lacks(capability))

    # Optional capabilities: a back end that has one overrides its method.
    def emulate(self, scheme):
        """Emulates the "light", "dark" or "forced" colour scheme, or the light
        one with more contrast asked for ("more")."""
        self._lacks("schemes")

    def ax_tree(self):
        """The whole accessibility tree as Chromium's Accessibility domain gives it."""
        self._lacks("ax_tree")

    def ax_find(self, role, name):
        """The accessibility nodes with that computed role and name, showing."""
        self._lacks("ax_find")

    def ax_activate(self, node):
        self._lacks("ax_find")

    def listeners(self):
        """How many event listeners are left on the document."""
        self._lacks("listeners")

    def installability(self):
        """What keeps the browser from installing the page as an app."""
        self._lacks("installability")

    def preload(self, source):
        """Runs the script in every document before the page's own scripts."""
        self._lacks("preload")

    def requests(self):
        """Every URL the page asked for since start."""
        self._lacks("requests")

    def loading_console(self, url):
        """What the engine and the page say while a fresh view loads url, where
        console() cannot hear the engine itself at load; None where it can."""
        return None

    def enter_frame(self):
        """From now on speaks to the page's first frame, which sits borderless
        at the page's top left: scripts run in it, coordinates are its own."""
        raise Unsupported(f"our {self.name} back end cannot enter a frame")

    # Loading and waiting.
    def open(self, url, framed=False):
        """Loads the page and waits for the title scene; `framed`: the tour is
        in the page's first frame."""
        self.navigate(url)
        if framed:
            self.enter_frame()
        self.wait_for(lambda: self.showing() == ["Form1"], "the title scene")
        self.settle()

    def wait_for(self, condition, what):
        deadline = time.monotonic() + PATIENCE
        while True:
            value = condition()
            if value:
                return value
            if time.monotonic() > deadline:
                raise AssertionError(f"waited in vain for {what}")
            time.sleep(0.02)

    # What the page shows.
    def showing(self):
        """The scenes whose windows are showing, by name."""
        return self.js("return [...document.querySelectorAll('section.window')]"
                       ".filter(w => !w.hidden).map(w => w.dataset.scene)")

    def box(self, selector):
        """The element's box on the page: left, top, width, height in CSS pixels."""
        return self.js("const r = document.querySelector(arguments[0]).getBoundingClientRect();"
                       " return [r.left, r.top, r.width, r.height]", selector)

    def frame_box(self, scene):
        return self.box(f"section[data-scene='{scene}']")

    def client_box(self, scene):
        """The scene's client area on the page."""
        return self.box(f"section[data-scene='{scene}'] .client")

    def caption(self, scene, label):
        return self.js("return document.querySelector(`section[data-scene='${arguments[0]}']"
                       " [data-name='${arguments[1]}']`).textContent", scene, label)

    def ended(self):
        return self.js("return !!document.querySelector('main.ended') &&"
                       " !document.querySelector('section.window')")

    # What a person does.
    def click_page(self, x, y, count=1):
        """Clicks the page's pixel holding point (x, y), `count` times quickly."""
        self.pointer([("move", x, y)] + [("down",), ("up",)] * count, self.kind)

    def click(self, scene, x, y):
        """Clicks pixel (x, y) of the scene's client area."""
        left, top, _, _ = self.client_box(scene)
        self.click_page(left + x + 0.5, top + y + 0.5)

    def click_item(self, scene, rect):
        """Clicks the middle of an item, given as its rectangle in twips."""
        left, top, width, height = rect
        px = tour.TWIPS_PER_PIXEL
        self.click(scene, (left + width / 2) // px, (top + height / 2) // px)

    def drag(self, start, end, steps=5):
        (x0, y0), (x1, y1) = start, end
        path = [("move", x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps)
                for i in range(1, steps + 1)]
        self.pointer([("move", x0, y0), ("down",)] + path + [("up",)], self.kind)

    def take_move(self, move):
        """Clicks the move's item in its scene and waits for the scene it leads to."""
        self.click_item(move.source, move.item["rect"])
        self.wait_for(lambda: self.showing() == [move.target], f"{move} to arrive")
        self.settle()

    def settle(self):
        """Waits for two frames: what the page changed is painted, and an
        engine whose screenshots lag the page (WebKit) has it on screen too."""
        self.js("return new Promise(done =>"
                " requestAnimationFrame(() => requestAnimationFrame(() => done(true))))")

    def walk_to(self, scene):
        """From the title, the walk's moves until the scene shows."""
        for move in tour.WALK:
            if self.showing() == [scene]:
                return
            self.take_move(move)
        self.wait_for(lambda: self.showing() == [scene], f"the walk to reach {scene}")
