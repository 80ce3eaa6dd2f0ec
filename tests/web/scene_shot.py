"""A scene as the browser paints it, for the pixel tests: its client area
with the title bar and a margin of the frame, read pixel by pixel at the
device's scale; and the walk that shows every scene once."""

import tour

MARGIN = 4  # CSS pixels of the frame taken around the client area
TITLE = 21  # CSS pixels of the title bar and its margin above the client area


def pixels(rect):
    """A rectangle in twips as left, top, width, height in CSS pixels."""
    return [v // tour.TWIPS_PER_PIXEL for v in rect]


class Shot:
    """A scene's client area with its title bar and a margin of its frame, at
    the device's scale; coordinates are CSS pixels of the client area."""

    def __init__(self, page, scene, scale):
        left, top, self.width, self.height = page.client_box(scene)
        self.scale = scale
        self.image = page.screenshot((left - MARGIN, top - MARGIN - TITLE, self.width + 2 * MARGIN,
                                      self.height + 2 * MARGIN + TITLE))
        self.data = self.image.load()
        self.boxes = [[b[0] - left, b[1] - top, b[2], b[3]] for b in page.js(
            "return [...document.querySelectorAll(`section[data-scene='${arguments[0]}'] .box`)]"
            ".map(b => b.getBoundingClientRect()).map(r => [r.left, r.top, r.width, r.height])",
            scene)]

    def device(self, x, y):
        return round((x + MARGIN) * self.scale), round((y + MARGIN + TITLE) * self.scale)

    def colours(self, x, y):
        """The device pixels' colours of CSS pixel (x, y)."""
        return set(self.device_pixels(x, y))

    def device_pixels(self, x, y):
        dx, dy = self.device(x, y)
        return [self.data[dx + i, dy + j] for i in range(self.scale) for j in range(self.scale)]

    def area(self, left, top, width, height):
        dx, dy = self.device(left, top)
        return self.image.crop((dx, dy, dx + width * self.scale, dy + height * self.scale))

    def run(self, start, step, colour):
        """How many device pixels from `start` onwards along `step` have `colour`."""
        (x, y), count = start, 0
        while 0 <= x < self.image.width and 0 <= y < self.image.height and \
                self.data[x, y] == colour:
            x, y, count = x + step[0], y + step[1], count + 1
        return count


def every_scene(page):
    """Walks the tour from the title, yielding each scene once as it shows."""
    seen, moves = set(), iter(tour.WALK)
    while len(seen) < len(tour.SCENES):
        scene_id = page.showing()[0]
        if scene_id not in seen:
            seen.add(scene_id)
            yield scene_id
        page.take_move(next(moves))
