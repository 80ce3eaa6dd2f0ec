"""Real pointer and key input as W3C input sources: the action lists both
WebDriver classic (Selenium) and WebDriver BiDi hand to the engine, which
dispatches them through its own input pipeline (never element.click())."""

import math

KEYS = {"Tab": "\ue004", "Space": " ", "Enter": "\ue007", "Escape": "\ue00c",
        "ArrowLeft": "\ue012", "ArrowUp": "\ue013", "ArrowRight": "\ue014", "ArrowDown": "\ue015"}
SHIFT = "\ue008"


def _pointer_action(step):
    if step[0] == "move":
        # Whole CSS pixels: the point's own pixel, not its nearest corner.
        return {"type": "pointerMove", "duration": 0, "origin": "viewport",
                "x": math.floor(step[1]), "y": math.floor(step[2])}
    if step[0] == "pause":
        return {"type": "pause", "duration": step[1]}
    return {"type": "pointerDown" if step[0] == "down" else "pointerUp", "button": 0}


def pointer_source(steps, kind="mouse"):
    """steps: ("move", x, y) | ("down",) | ("up",) | ("pause", ms); kind is
    "mouse", "touch" or "pen"."""
    return {"type": "pointer", "id": kind, "parameters": {"pointerType": kind},
            "actions": [_pointer_action(s) for s in steps]}


def key_source(name, shift=False):
    """The key pressed and released, with Shift held around it if asked."""
    keys = [SHIFT, KEYS[name]] if shift else [KEYS[name]]
    return {"type": "key", "id": "keyboard",
            "actions": [{"type": "keyDown", "value": k} for k in keys] +
                       [{"type": "keyUp", "value": k} for k in reversed(keys)]}
