"""The primitives every engine driven through Selenium shares: scripts, loads,
real pointer and key input (input_actions) and screenshots."""

import io

from selenium.webdriver.remote.command import Command

from input_actions import key_source, pointer_source
from tour_page import TourPage


class SeleniumPage(TourPage):
    driver = None
    scale = 1

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def navigate(self, url):
        self.driver.get(url)

    def enter_frame(self):
        self.driver.switch_to.frame(0)

    def pointer(self, steps, kind="mouse"):
        self.driver.execute(Command.W3C_ACTIONS, {"actions": [pointer_source(steps, kind)]})

    def key(self, name, shift=False):
        self.driver.execute(Command.W3C_ACTIONS, {"actions": [key_source(name, shift)]})

    def screenshot(self, clip=None):
        """The viewport, or the part of it at `clip` (left, top, width, height in
        CSS pixels), as an image (PIL) at the device's scale."""
        from PIL import Image
        image = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")
        if clip:
            left, top, width, height = (round(v * self.scale) for v in clip)
            image = image.crop((left, top, left + width, top + height))
        return image
