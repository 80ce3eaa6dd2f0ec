"""Whether words read against their face: the colours the engine actually
uses (computed styles, a translucent colour composited over what lies beneath
it) and the WCAG contrast ratio between them."""

LEAST = 4.5  # the WCAG ratio for normal text

# Each showing caption, button and label with words: [what, text rgba, face rgb]
# where the face is every background beneath it composited, down to the first
# opaque one (the page's own Canvas when none is).
READ_COLOURS = """
const rgba = text => {
  const v = text.match(/[\\d.]+/g).map(Number);
  if (!text.startsWith('rgb')) throw new Error('unknown colour ' + text);
  return v.length === 3 ? [...v, 1] : v;
};
const over = (top, below) => [0, 1, 2].map(i => top[i] * top[3] + below[i] * (1 - top[3]));
const face = element => {
  const layers = [];
  for (let e = element; e; e = e.parentElement) {
    const c = rgba(getComputedStyle(e).backgroundColor);
    if (c[3] > 0) layers.push(c);
    if (c[3] >= 1) break;
  }
  const canvas = document.createElement('div');
  canvas.style.backgroundColor = 'Canvas';
  document.body.append(canvas);
  let colour = rgba(getComputedStyle(canvas).backgroundColor).slice(0, 3);
  canvas.remove();
  for (const layer of layers.reverse()) colour = over(layer, colour);
  return colour;
};
const window_ = document.querySelector('section.window:not([hidden])');
return [...window_.querySelectorAll('.title-bar .caption, .button, .label')]
  .filter(e => e.textContent.trim())
  .map(e => [e.dataset.name || 'caption', rgba(getComputedStyle(e).color), face(e)]);
"""


def luminance(rgb):
    def linear(v):
        v /= 255
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(v) for v in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def ratio(text, face):
    """The contrast of text (r, g, b, alpha) drawn on face (r, g, b)."""
    ink = [text[i] * text[3] + face[i] * (1 - text[3]) for i in range(3)]
    light, dark = sorted((luminance(ink), luminance(face)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def poor_contrast(page):
    """The showing window's words that read at less than LEAST: (name, ratio)."""
    return [(name, round(ratio(text, face), 2)) for name, text, face in page.js(READ_COLOURS)
            if ratio(text, face) < LEAST]
