#!/usr/bin/python3
"""Looks at the real program on the X server the way the end-to-end tests
need, and one thing more:

  x_look.py watch PID      prints "show TITLE" / "hide TITLE" as the
                           program's top-level windows are mapped and
                           unmapped, in the order the server does it (run it
                           without a window manager, which would reparent
                           the windows)
  x_look.py cursor         prints "four-headed" when the pointer shows a
                           cursor whose hot spot is in its middle (the
                           size-all arrow), else "arrow"
  x_look.py pixel WINDOW X Y
                           prints that pixel of the window as RRGGBB
  x_look.py red WINDOW X Y W H
                           prints how many pixels of that area of the
                           window are clearly red
  x_look.py contrast WINDOW X Y W H
                           prints the contrast ratio (as the web's
                           accessibility guidelines reckon it, 1 to 21) of
                           the area's words against its background: its
                           second most common colour against its most
                           common (1.0 for an area of one colour; a caret
                           or an edge of a few pixels does not count); the
                           area is clipped to the window
  x_look.py random-clicks PID COUNT SEED
                           clicks COUNT times, with real X events, at random
                           points of whichever of the program's windows is
                           showing (run it without a window manager)
"""

import os
import random
import sys
import time

from Xlib import X, display
from Xlib.ext import xfixes, xtest  # noqa: F401  (registers the extensions' requests)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from contrast_ratio import ratio  # noqa: E402


def title(d, window):
    for name in ("_NET_WM_NAME", "WM_NAME"):
        prop = window.get_full_property(d.intern_atom(name), X.AnyPropertyType)
        if prop is not None and prop.value:
            value = prop.value
            return value.decode("utf-8") if isinstance(value, bytes) else str(value)
    return ""


def owner_pid(d, window):
    prop = window.get_full_property(d.intern_atom("_NET_WM_PID"), X.AnyPropertyType)
    return int(prop.value[0]) if prop is not None and len(prop.value) else None


def watch(pid):
    d = display.Display()
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    print("ready", flush=True)
    while True:
        event = d.next_event()
        # A withdrawn window also sends a copy of its unmapping to the root
        # for the window manager's sake; only the server's own events count.
        if event.type not in (X.MapNotify, X.UnmapNotify) or event.send_event:
            continue
        try:
            if owner_pid(d, event.window) != pid:
                continue
            name = title(d, event.window)
        except Exception:  # the window went away meanwhile
            continue
        if name and name != "Default IME":
            print(("show " if event.type == X.MapNotify else "hide ") + name, flush=True)


def cursor():
    d = display.Display()
    d.xfixes_query_version()  # the server serves the extension only after this
    image = d.xfixes_get_cursor_image(d.screen().root)
    middle = (abs(image.xhot - image.width / 2) <= image.width / 4 and
              abs(image.yhot - image.height / 2) <= image.height / 4)
    print("four-headed" if middle else "arrow")


def grab(window_id, x, y, width, height):
    """The area's pixels as bytes: blue, green, red, unused."""
    d = display.Display()
    window = d.create_resource_object("window", window_id)
    return window.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data


def pixel(window_id, x, y):
    blue, green, red_ = grab(window_id, x, y, 1, 1)[:3]
    print(f"{red_:02X}{green:02X}{blue:02X}")


def red(window_id, x, y, width, height):
    pixels = grab(window_id, x, y, width, height)
    count = 0
    for i in range(0, len(pixels), 4):  # blue, green, red, unused
        blue, green, red_ = pixels[i], pixels[i + 1], pixels[i + 2]
        count += red_ > 150 and green < 110 and blue < 110
    print(count)


def contrast(window_id, x, y, width, height):
    geometry = display.Display().create_resource_object("window", window_id).get_geometry()
    width, height = min(width, geometry.width - x), min(height, geometry.height - y)
    pixels = grab(window_id, x, y, width, height)
    counts = {}
    for i in range(0, len(pixels), 4):  # blue, green, red, unused
        rgb = (pixels[i + 2], pixels[i + 1], pixels[i])
        counts[rgb] = counts.get(rgb, 0) + 1
    common = sorted(counts, key=counts.get, reverse=True)
    print(f"{ratio(common[0], (common + common)[1]):.2f}")


def showing_window(d, pid):
    """The program's one mapped top-level window, or None between scenes."""
    for window in d.screen().root.query_tree().children:
        try:
            if (window.get_attributes().map_state == X.IsViewable and
                    owner_pid(d, window) == pid and title(d, window) != "Default IME"):
                return window
        except Exception:  # gone meanwhile
            continue
    return None


def random_clicks(pid, count, seed):
    d = display.Display()
    chance = random.Random(seed)
    done = 0
    while done < count:
        window = showing_window(d, pid)
        if window is None:
            time.sleep(0.01)
            continue
        geometry = window.get_geometry()
        x, y = chance.randrange(geometry.width), chance.randrange(geometry.height)
        window.warp_pointer(x, y)
        xtest.fake_input(d, X.ButtonPress, 1)
        xtest.fake_input(d, X.ButtonRelease, 1)
        d.sync()
        time.sleep(0.01)
        done += 1
    print(f"{done} clicks, seed {seed}")


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "watch":
        watch(int(sys.argv[2]))
    elif command == "cursor":
        cursor()
    elif command == "pixel":
        pixel(int(sys.argv[2], 0), int(sys.argv[3]), int(sys.argv[4]))
    elif command == "random-clicks":
        random_clicks(int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]))
    elif command == "red":
        red(int(sys.argv[2], 0), *(int(v) for v in sys.argv[3:7]))
    elif command == "contrast":
        contrast(int(sys.argv[2], 0), *(int(v) for v in sys.argv[3:7]))
    else:
        sys.exit(__doc__)
