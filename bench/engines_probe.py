"""The first frame and the bytes of the first load in every browser engine:
the tour's site against the bare page in the same engine, a fresh browser
each run, the two alternating. The first frame is the paint timing entry
"first-contentful-paint", from navigation start; the tour's load ends once
its service worker is ready (it holds its copies then). A third page, one
paragraph of text and nothing else, shows the engine's own floor: no page
paints sooner there. A fourth, the site drawn in the visitor's fonts instead of
its own, shows what waiting for its own fonts costs the first frame. Run by
bench/run-web.sh, after the Chromium probe's full table.
"""

import argparse
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import browser  # noqa: E402
from web_probe import SETTLE, spread, transferred, verdict  # noqa: E402

FIRST_PAINT = ("const p = performance.getEntriesByName('first-contentful-paint')[0];"
               " return p ? p.startTime : null")
WORKER_READY = "return navigator.serviceWorker.ready.then(() => true)"


# The least a page can be: its first frame is as early as the engine paints.
FLOOR_PAGE = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Varn's House</title></head>
<body><p>Varn's House</p></body></html>
"""


# Appended to a copy of the site's stylesheet: every text in the visitor's fonts.
VISITOR_FONTS = "\n* { font-family: sans-serif !important; }\n"


def visitor_fonts_copy(site, folder):
    """The site as it is, but drawing no text in its own fonts, nor fetching them."""
    shutil.copytree(site, folder, ignore=shutil.ignore_patterns("*.br", "*.gz"))
    with open(os.path.join(folder, "style.css"), "a") as style:
        style.write(VISITOR_FONTS)
    page = os.path.join(folder, "index.html")
    with open(page) as served:
        lines = [line for line in served if not ('rel="preload"' in line and 'as="font"' in line)]
    with open(page, "w") as served:
        served.writelines(lines)
    return folder


def one_run(engine, program, folder, server):
    with browser.open_browser(engine) as page:
        time.sleep(SETTLE)
        server.answers.clear()
        page.navigate(server.origin + "/index.html")
        first = page.wait_for(lambda: page.js(FIRST_PAINT), "the first contentful paint")
        if program == "tour":
            page.js(WORKER_READY)
        time.sleep(1.0)
        return {"first": first, "bytes": sum(transferred(folder, list(server.answers)).values())}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--engines", default=",".join(browser.ENGINES))
    args = parser.parse_args()
    floor = tempfile.TemporaryDirectory()
    with open(os.path.join(floor.name, "index.html"), "w") as page:
        page.write(FLOOR_PAGE)
    folders = {"tour": args.site, "bare": args.bare, "floor": floor.name,
               "visitor_fonts": visitor_fonts_copy(args.site, os.path.join(floor.name, "site"))}
    servers = {name: browser.Server(folder) for name, folder in folders.items()}
    try:
        print(f"\nevery engine: medians (min-max) of {args.runs} alternating runs each, "
              "a fresh browser each run")
        print(f"{'engine':<10} {'figure':<36} {'varns-house':>20} {'bare page':>20} "
              f"{'compare':>9}  {'target':<22} {'one paragraph':>20} {'compare':>9} "
              f"{'visitor fonts':>20} {'compare':>9}")
        print("-" * 181)
        for engine in args.engines.split(","):
            runs = {name: [] for name in folders}
            try:
                for name in folders:  # untimed: the engine's files and the pages into caches
                    one_run(engine, name, folders[name], servers[name])
                for _ in range(args.runs):
                    for name in folders:
                        runs[name].append(one_run(engine, name, folders[name], servers[name]))
            except Exception as failure:  # one engine failing leaves the others' figures
                print(f"{engine:<10} not measured: {failure}")
                continue
            for key, label, scale, digits in [("first", "first frame (ms)", 1, 1),
                                              ("bytes", "first load, gzip -9 (KB)", 1024, 1)]:
                tour, bare, least, visitor = ([r[key] for r in runs[name]] for name in folders)

                def against_bare(values):
                    return (f"{spread(values, scale, digits):>20} "
                            f"{statistics.median(values) / statistics.median(bare):>8.2f}x")
                ratio = statistics.median(tour) / statistics.median(bare)
                target = (f"<= 0.90x bare: {verdict(ratio <= 0.90)}" if key == "first" else
                          f"<= 100 KB: {verdict(statistics.median(tour) / scale <= 100)}")
                print(f"{engine:<10} {label:<36} {spread(tour, scale, digits):>20} "
                      f"{spread(bare, scale, digits):>20} {ratio:>8.2f}x  {target:<22} "
                      f"{against_bare(least)} {against_bare(visitor)}")
        print("-" * 181)
        print("one paragraph: a page of one paragraph and nothing else, the engine's floor; "
              "visitor fonts: the site with every text in the visitor's fonts, not its own "
              "(the bare page's are the visitor's too); both compare against the bare page")
    finally:
        for server in servers.values():
            server.stop()
        floor.cleanup()


if __name__ == "__main__":
    main()
