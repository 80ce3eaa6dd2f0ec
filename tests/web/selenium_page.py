"""The primitives every engine driven through Selenium shares: scripts, loads,
and real pointer and key input as W3C WebDriver actions, which go through the
engine's own input pipeline (never element.click())."""

import io
import math

from selenium.webdriver.remote.command import Command

from tour_page import TourPage

KEYS = {"Tab": "\ue004", "Space": " ", "Enter": "\ue007", "Escape": "\ue00c"}
SHIFT = "\ue008"


def _action(step):
    if step[0] == "move":
        # Whole CSS pixels: the point's own pixel, not its nearest corner.
        return {"type": "pointerMove", "duration": 0, "origin": "viewport",
                "x": math.floor(step[1]), "y": math.floor(step[2])}
    if step[0] == "pause":
        return {"type": "pause", "duration": step[1]}
    return {"type": "pointerDown" if step[0] == "down" else "pointerUp", "button": 0}


class SeleniumPage(TourPage):
    driver = None
    scale = 1

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def navigate(self, url):
        self.driver.get(url)

    def pointer(self, steps, kind="mouse"):
        self.driver.execute(Command.W3C_ACTIONS, {"actions": [{
            "type": "pointer", "id": kind, "parameters": {"pointerType": kind},
            "actions": [_action(s) for s in steps]}]})

    def key(self, name, shift=False):
        keys = [SHIFT, KEYS[name]] if shift else [KEYS[name]]
        actions = [{"type": "keyDown", "value": k} for k in keys] + \
                  [{"type": "keyUp", "value": k} for k in reversed(keys)]
        self.driver.execute(Command.W3C_ACTIONS, {"actions": [{
            "type": "key", "id": "keyboard", "actions": actions}]})

    def screenshot(self, clip=None):
        """The viewport, or the part of it at `clip` (left, top, width, height in
        CSS pixels), as an image (PIL) at the device's scale."""
        from PIL import Image
        image = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")
        if clip:
            left, top, width, height = (round(v * self.scale) for v in clip)
            image = image.crop((left, top, left + width, top + height))
        return image
