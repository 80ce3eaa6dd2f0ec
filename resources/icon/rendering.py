"""The application icon drawn for the desktop's icon theme at any size: the
same three cascaded windows as the small pixel images, with shaded title bars,
title-bar buttons, lines of text in the back windows, a soft shadow under each
window and the red "you" square in the front one.

Every edge is snapped to whole pixels, so each size is crisp; only the shadows
are translucent. The result is rows of (red, green, blue, alpha).
"""

OUTLINE = (24, 28, 40)
PAPER = (255, 255, 255)
TEXT = (200, 204, 212)
BUTTON = (212, 212, 212)
BUTTON_EDGE = (96, 96, 96)
MARKER = (230, 0, 0)
ACTIVE_BAR = ((0, 0, 128), (24, 120, 208))
INACTIVE_BAR = ((128, 128, 128), (196, 196, 196))

# Layout as fractions of the icon's side, matching the 32-pixel image.
MARGIN = 0.03
WINDOW_W, WINDOW_H = 0.64, 0.54
STEP_X, STEP_Y = 0.155, 0.185
BAR_H = 0.12


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]

    def fill(self, x0, y0, x1, y1, colour, alpha=1.0):
        """Paint the pixels x0 <= x < x1, y0 <= y < y1 over what is there.
        `colour` is an (r, g, b) or a function of the column giving one."""
        for y in range(max(0, y0), min(self.size, y1)):
            row = self.pixels[y]
            for x in range(max(0, x0), min(self.size, x1)):
                r, g, b = colour(x) if callable(colour) else colour
                p = row[x]
                keep = 1.0 - alpha
                p[0] = r * alpha + p[0] * keep  # premultiplied
                p[1] = g * alpha + p[1] * keep
                p[2] = b * alpha + p[2] * keep
                p[3] = alpha + p[3] * keep

    def rows(self):
        out = []
        for row in self.pixels:
            line = []
            for r, g, b, a in row:
                if a <= 0.0:
                    line.append((0, 0, 0, 0))
                else:
                    line.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            out.append(line)
        return out


def _gradient(x0, x1, ends):
    (r0, g0, b0), (r1, g1, b1) = ends
    span = max(1, x1 - x0 - 1)

    def colour(x):
        t = min(1.0, max(0.0, (x - x0) / span))
        return (r0 + (r1 - r0) * t, g0 + (g1 - g0) * t, b0 + (b1 - b0) * t)

    return colour


def _shadow(canvas, x0, y0, x1, y1, unit):
    offset = max(1, round(unit * 1.5))
    for spread in range(max(1, unit), 0, -1):
        canvas.fill(x0 + offset - spread, y0 + offset - spread, x1 + offset + spread,
                    y1 + offset + spread, (0, 0, 0), 0.12)


def _window(canvas, x0, y0, x1, y1, active, text_lines):
    size = canvas.size
    unit = max(1, round(size / 64))  # outline width and the grain of the details
    _shadow(canvas, x0, y0, x1, y1, unit)
    canvas.fill(x0, y0, x1, y1, OUTLINE)
    bar_bottom = y0 + unit + round(size * BAR_H)
    ends = ACTIVE_BAR if active else INACTIVE_BAR
    canvas.fill(x0 + unit, y0 + unit, x1 - unit, bar_bottom, _gradient(x0, x1, ends))
    client_top = bar_bottom + unit
    canvas.fill(x0 + unit, client_top, x1 - unit, y1 - unit, PAPER)

    # Title-bar buttons, right to left: close, then maximise and minimise
    # when there is room for them.
    bar_h = bar_bottom - y0 - unit
    side = max(2, bar_h - 2 * max(1, bar_h // 5))
    top = y0 + unit + (bar_h - side) // 2
    right = x1 - unit - max(1, bar_h // 5)
    for _ in range(3 if size >= 64 else 1):
        canvas.fill(right - side, top, right, top + side, BUTTON_EDGE)
        canvas.fill(right - side, top, right - unit, top + side - unit, BUTTON)
        right -= side + max(1, unit)

    if text_lines:
        pad = 3 * unit
        line_h, gap = unit * 2, unit * 4
        y = client_top + pad
        for i in range(text_lines):
            width = (x1 - x0 - 2 * pad) * (0.85 if i % 2 == 0 else 0.6)
            canvas.fill(x0 + pad, y, x0 + pad + round(width), y + line_h, TEXT)
            y += gap
            if y + line_h > y1 - pad:
                break
    return client_top


def render(size):
    canvas = Canvas(size)
    w, h = round(size * WINDOW_W), round(size * WINDOW_H)
    windows = []
    for i in range(3):
        x0 = round(size * (MARGIN + i * STEP_X))
        y0 = round(size * (MARGIN + i * STEP_Y))
        windows.append((x0, y0, x0 + w, y0 + h))
    for i, (x0, y0, x1, y1) in enumerate(windows):
        front = i == len(windows) - 1
        client_top = _window(canvas, x0, y0, x1, y1, front, 0 if front or size < 64 else 6)
        if front:
            side = max(2, round(size * 0.11))
            mx = (x0 + x1 - side) // 2
            my = (client_top + y1 - side) // 2
            canvas.fill(mx, my, mx + side, my + side, MARKER)
    return canvas.rows()
