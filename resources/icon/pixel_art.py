"""The application icon as hand-placed pixels: three cascaded application
windows, each a black outline with a title bar and a white client area. The
back two are inactive (grey bars), the front one is active (navy bar) and
carries the small red square that marks "you" on the house maps.

Every image is a grid of rows; a cell is a palette index, or None where the
icon is transparent.
"""

# The sixteen standard colours, in their usual order, as (red, green, blue).
VGA_PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, SILVER, GREY, RED, WHITE = 0, 4, 7, 8, 9, 15

MONO_PALETTE = [(0, 0, 0), (0xFF, 0xFF, 0xFF)]
INK, PAPER = 0, 1


class Geometry:
    """Where the three windows sit in an icon of one size."""

    def __init__(self, size, window_w, window_h, step_x, step_y, bar_h, first=(0, 0)):
        self.size = size
        self.window_w, self.window_h = window_w, window_h
        self.bar_h = bar_h
        self.origins = [(first[0] + i * step_x, first[1] + i * step_y) for i in range(3)]


GEOMETRY_32 = Geometry(32, 21, 18, 5, 6, 4, first=(0, 1))
GEOMETRY_16 = Geometry(16, 11, 10, 2, 3, 2)


def _blank(size):
    return [[None] * size for _ in range(size)]


def _fill(grid, x0, y0, x1, y1, value):
    """Fill the inclusive rectangle (x0, y0)-(x1, y1)."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            grid[y][x] = value(x, y) if callable(value) else value


def _window(grid, geometry, origin, ink, bar, paper, button, button_frame):
    x0, y0 = origin
    x1, y1 = x0 + geometry.window_w - 1, y0 + geometry.window_h - 1
    bar_bottom = y0 + geometry.bar_h
    _fill(grid, x0, y0, x1, y1, ink)
    _fill(grid, x0 + 1, y0 + 1, x1 - 1, bar_bottom, bar)
    _fill(grid, x0 + 1, bar_bottom + 2, x1 - 1, y1 - 1, paper)
    # The close box at the right end of the title bar.
    box = max(1, geometry.bar_h - 2)
    if button_frame is not None:
        _fill(grid, x1 - 2 - box, y0 + 1, x1 - 1, y0 + 2 + box, button_frame)
    _fill(grid, x1 - 1 - box, y0 + 2, x1 - 2, y0 + 1 + box, button)


def _windows(geometry, ink, inactive_bar, active_bar, paper, button, button_frame=None):
    grid = _blank(geometry.size)
    for i, origin in enumerate(geometry.origins):
        bar = active_bar if i == len(geometry.origins) - 1 else inactive_bar
        _window(grid, geometry, origin, ink, bar, paper, button, button_frame)
    return grid


def _marker(grid, geometry, colour, side):
    """The red "you" square in the middle of the front window's client area."""
    x0, y0 = geometry.origins[-1]
    client_top = y0 + geometry.bar_h + 2
    client_bottom = y0 + geometry.window_h - 2
    cx = x0 + (geometry.window_w - side) // 2
    cy = client_top + (client_bottom - client_top + 1 - side) // 2
    _fill(grid, cx, cy, cx + side - 1, cy + side - 1, colour)


def mono_32():
    """32 x 32, two colours: inactive bars are a grey dither of ink and paper,
    and the close boxes are framed in ink so that they stand out of it."""
    dither = lambda x, y: INK if (x + y) % 2 else PAPER  # noqa: E731
    grid = _windows(GEOMETRY_32, INK, dither, INK, PAPER, PAPER, button_frame=INK)
    _marker(grid, GEOMETRY_32, INK, 4)
    return grid


def colour_32():
    grid = _windows(GEOMETRY_32, BLACK, GREY, NAVY, WHITE, SILVER)
    _marker(grid, GEOMETRY_32, RED, 4)
    return grid


def colour_16():
    grid = _windows(GEOMETRY_16, BLACK, GREY, NAVY, WHITE, WHITE)
    _marker(grid, GEOMETRY_16, RED, 2)
    return grid
