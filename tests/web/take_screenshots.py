"""Takes a picture of every scene's window, frame included, as headless
Chromium shows the site, reached by clicking through the house.

Usage: take_screenshots.py SITE_FOLDER OUTPUT_FOLDER [SCALE]
"""

import os
import sys

import browser
import tour


def main(argv):
    if len(argv) not in (3, 4):
        sys.exit("usage: take_screenshots.py SITE_FOLDER OUTPUT_FOLDER [SCALE]")
    site, out = argv[1], argv[2]
    scale = float(argv[3]) if len(argv) == 4 else 1
    os.makedirs(out, exist_ok=True)
    server, page = browser.Server(site), browser.Browser(scale=scale)
    try:
        page.open(server.origin + "/index.html")
        taken = set()
        moves = iter(tour.WALK)
        while len(taken) < len(tour.SCENES):
            scene = page.showing()[0]
            if scene not in taken:
                box = page.js("const r = document.querySelector(`section[data-scene="
                              "'${arguments[0]}']`).getBoundingClientRect(); return [r.left,"
                              " r.top, r.right, r.bottom]", scene)
                page.screenshot().crop(tuple(round(v * scale) for v in box)).save(
                    os.path.join(out, f"{scene}.png"))
                taken.add(scene)
            page.take_move(next(moves))
    finally:
        page.close()
        server.stop()


if __name__ == "__main__":
    main(sys.argv)
