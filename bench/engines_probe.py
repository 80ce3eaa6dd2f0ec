"""The first frame and the bytes of the first load in every browser engine:
the tour's site against the bare page in the same engine, a fresh browser
each run, the two alternating. The first frame is the paint timing entry
"first-contentful-paint", from navigation start; the tour's load ends once
its service worker is ready (it holds its copies then). A third page, one
paragraph of text and nothing else, shows the engine's own floor: no page
paints sooner there. Run by bench/run-web.sh, after the Chromium probe's full
table.
"""

import argparse
import os
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
    folders = {"tour": args.site, "bare": args.bare, "floor": floor.name}
    servers = {name: browser.Server(folder) for name, folder in folders.items()}
    try:
        print(f"\nevery engine: medians (min-max) of {args.runs} alternating runs each, "
              "a fresh browser each run")
        print(f"{'engine':<10} {'figure':<36} {'varns-house':>20} {'bare page':>20} "
              f"{'compare':>9}  {'target':<22} {'one paragraph':>20} {'compare':>9}")
        print("-" * 150)
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
                tour, bare, least = ([r[key] for r in runs[name]] for name in folders)
                ratio = statistics.median(tour) / statistics.median(bare)
                target = (f"<= 0.90x bare: {verdict(ratio <= 0.90)}" if key == "first" else
                          f"<= 100 KB: {verdict(statistics.median(tour) / scale <= 100)}")
                floor_ratio = statistics.median(least) / statistics.median(bare)
                print(f"{engine:<10} {label:<36} {spread(tour, scale, digits):>20} "
                      f"{spread(bare, scale, digits):>20} {ratio:>8.2f}x  {target:<22} "
                      f"{spread(least, scale, digits):>20} {floor_ratio:>8.2f}x")
        print("-" * 150)
        print("one paragraph: a page of one paragraph and nothing else, the engine's floor; "
              "its compare column is against the bare page too")
    finally:
        for server in servers.values():
            server.stop()
        floor.cleanup()


if __name__ == "__main__":
    main()
