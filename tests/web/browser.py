"""The tour's site in real headless Chromium, driven the way a person uses it:
pointer and key events go through the browser's own input pipeline (the
DevTools protocol's Input domain), never through element.click().

Shared by the browser's end-to-end tests, the screenshots and the benchmark.
The site is served by a small server of our own on 127.0.0.1 only, on a port
the system picks.
"""

import base64
import functools
import http.server
import io
import os
import shutil
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import tour  # noqa: E402

PATIENCE = 10.0  # seconds a wait may take; it ends as soon as its condition holds


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}

    def log_message(self, *args):
        pass

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()


class Server:
    """Serves one folder on 127.0.0.1 until stopped; `answers` lists each answer
    as (path, HTTP status)."""

    def __init__(self, folder):
        self.answers = []
        server = self

        class Handler(_QuietHandler):
            def log_request(self, code="-", size="-"):
                server.answers.append((self.path, int(code)))

        self.httpd = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
        self.origin = f"http://127.0.0.1:{self.httpd.server_address[1]}"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Browser:
    """One headless Chromium with a profile of its own, thrown away at the end."""

    def __init__(self, width=1024, height=768, scale=1):
        self.profile = tempfile.mkdtemp(prefix="varn-chromium-")
        options = Options()
        options.binary_location = "/usr/bin/chromium"
        for flag in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                     f"--user-data-dir={self.profile}", f"--window-size={width},{height}",
                     "--font-render-hinting=none"]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.cdp("Emulation.setDeviceMetricsOverride",
                 width=width, height=height, deviceScaleFactor=scale, mobile=False)

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def open(self, url):
        """Loads the page and waits for the title scene."""
        self.driver.get(url)
        self.wait_for(lambda: self.showing() == ["Form1"], "the title scene")

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

    def client_box(self, scene):
        """The scene's client area on the page: left, top, width, height in CSS pixels."""
        return self.js("const r = document.querySelector(`section[data-scene='${arguments[0]}']"
                       " .client`).getBoundingClientRect(); return [r.left, r.top, r.width,"
                       " r.height]", scene)

    def caption(self, scene, label):
        return self.js("return document.querySelector(`section[data-scene='${arguments[0]}']"
                       " [data-name='${arguments[1]}']`).textContent", scene, label)

    def ended(self):
        return self.js("return !!document.querySelector('main.ended') &&"
                       " !document.querySelector('section.window')")

    # What a person does.
    def mouse(self, kind, x, y, **extra):
        self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, **extra)

    def click_page(self, x, y, count=1):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, button="left", clickCount=count)
        self.mouse("mouseReleased", x, y, button="left", clickCount=count)

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
        self.mouse("mouseMoved", x0, y0)
        self.mouse("mousePressed", x0, y0, button="left", clickCount=1)
        for i in range(1, steps + 1):
            self.mouse("mouseMoved", x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps,
                       button="left", buttons=1)
        self.mouse("mouseReleased", x1, y1, button="left", clickCount=1)

    def key(self, key, shift=False):
        codes = {"Tab": 9, "Space": 32}
        text = " " if key == "Space" else ""
        name = " " if key == "Space" else key
        common = dict(key=name, code=key, windowsVirtualKeyCode=codes[key],
                      modifiers=8 if shift else 0)
        self.cdp("Input.dispatchKeyEvent", type="rawKeyDown", **common)
        if text:
            self.cdp("Input.dispatchKeyEvent", type="char", text=text, **common)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", **common)

    def take_move(self, move):
        """Clicks the move's item in its scene and waits for the scene it leads to."""
        self.click_item(move.source, move.item["rect"])
        self.wait_for(lambda: self.showing() == [move.target], f"{move} to arrive")

    def walk_to(self, scene):
        """From the title, the walk's moves until the scene shows."""
        for move in tour.WALK:
            if self.showing() == [scene]:
                return
            self.take_move(move)
        self.wait_for(lambda: self.showing() == [scene], f"the walk to reach {scene}")

    def screenshot(self, clip=None):
        """The page, or the part of it at `clip` (left, top, width, height in CSS
        pixels), as an image (PIL) at the device's scale."""
        from PIL import Image
        extra = {}
        if clip:
            extra["clip"] = dict(zip(("x", "y", "width", "height"), clip), scale=1)
        shot = self.cdp("Page.captureScreenshot", format="png", **extra)
        return Image.open(io.BytesIO(base64.b64decode(shot["data"]))).convert("RGB")

    def console(self):
        return self.driver.get_log("browser")


class Checks:
    """A test's tally: one line per failed check, then 'N passed, M failed'."""

    def __init__(self):
        self.passed = self.failed = 0

    def check(self, name, ok):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL: {name}", flush=True)
        return ok

    def equal(self, name, got, wanted):
        return self.check(f"{name}: {got!r}, wanted {wanted!r}", got == wanted)

    def finish(self):
        print(f"{self.passed} passed, {self.failed} failed")
        sys.exit(1 if self.failed else 0)
