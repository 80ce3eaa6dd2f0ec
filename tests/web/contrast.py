"""The colours the engine actually paints, whatever form it writes computed
colours in (rgb(), rgba(), color(srgb …)) and however translucent they are:
a canvas pixel painted with each layer in turn, from the first opaque
background up. And whether words read against their face: the WCAG contrast
ratio between the two."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from contrast_ratio import ratio  # noqa: E402

LEAST = 4.5  # the WCAG ratio for normal text (AA)
MORE = 7.0  # the ratio every text reads at when the visitor asks for more contrast (AAA)
# The words poor_contrast reads: in the default look the ones every window
# shows on arrival, whose colours are the page's own; asked for more contrast,
# every word, the message boxes' and the marker's too.
WORDS = ".title-bar .caption, .button, .label"
EVERY_WORD = WORDS + ", .textbox"

# paint(colours): the pixel the colours make, painted bottom first.
# face(element): every background beneath the element's words composited,
# down to the first opaque one (the page's own Canvas when none is).
# ink(element): the element's text colour over its face.
PAINTING = """
const context = document.createElement('canvas').getContext('2d', {willReadFrequently: true});
const paint = colours => {
  context.clearRect(0, 0, 1, 1);
  for (const colour of colours) { context.fillStyle = colour; context.fillRect(0, 0, 1, 1); }
  return [...context.getImageData(0, 0, 1, 1).data];
};
const canvasColour = () => {
  const probe = document.body.appendChild(document.createElement('div'));
  probe.style.backgroundColor = 'Canvas';
  const colour = getComputedStyle(probe).backgroundColor;
  probe.remove();
  return colour;
};
const backgrounds = element => {
  const layers = [];
  for (let e = element; e; e = e.parentElement) {
    const colour = getComputedStyle(e).backgroundColor;
    const alpha = paint([colour])[3];
    if (alpha > 0) layers.unshift(colour);
    if (alpha === 255) return layers;
  }
  return [canvasColour(), ...layers];
};
const face = element => paint(backgrounds(element)).slice(0, 3);
const ink = element =>
  paint([...backgrounds(element), getComputedStyle(element).color]).slice(0, 3);
"""

# Each showing element the selector names that holds words: [name, ink, face].
READ_WORDS = PAINTING + """
const shown = document.querySelector('section.window:not([hidden])');
return [...shown.querySelectorAll(arguments[0])]
  .filter(e => (e.value || e.textContent).trim())
  .map(e => [e.dataset.name || 'caption', ink(e), face(e)]);
"""

# The face of the element the selector names, as painted.
READ_FACE = PAINTING + "return face(document.querySelector(arguments[0]));"


def face_colour(page, selector):
    return tuple(page.js(READ_FACE, selector))


def poor_contrast(page, least=LEAST, words=WORDS):
    """The showing window's words that read at less than `least`: (name, ratio)."""
    return [(name, round(ratio(ink, face), 2)) for name, ink, face in page.js(READ_WORDS, words)
            if ratio(ink, face) < least]
