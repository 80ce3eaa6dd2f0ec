"""The first frame and the bytes of the first load in every browser engine:
the tour's site against the bare page in the same engine, a fresh browser
each run, the two alternating. The first frame is the paint timing entry
"first-contentful-paint", from navigation start; the tour's load ends once
its service worker is ready (it holds its copies then). Run by
bench/run-web.sh, after the Chromium probe's full table.
"""

import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import browser  # noqa: E402
from web_probe import SETTLE, spread, transferred, verdict  # noqa: E402

FIRST_PAINT = ("const p = performance.getEntriesByName('first-contentful-paint')[0];"
               " return p ? p.startTime : null")
WORKER_READY = "return navigator.serviceWorker.ready.then(() => true)"


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
    folders = {"tour": args.site, "bare": args.bare}
    servers = {name: browser.Server(folder) for name, folder in folders.items()}
    try:
        print(f"\nevery engine: medians (min-max) of {args.runs} alternating runs each, "
              "a fresh browser each run")
        print(f"{'engine':<10} {'figure':<36} {'varns-house':>20} {'bare page':>20} "
              f"{'compare':>9}  target")
        print("-" * 120)
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
                tour, bare = ([r[key] for r in runs[name]] for name in folders)
                ratio = statistics.median(tour) / statistics.median(bare)
                target = (f"<= 0.90x bare: {verdict(ratio <= 0.90)}" if key == "first" else
                          f"<= 100 KB: {verdict(statistics.median(tour) / scale <= 100)}")
                print(f"{engine:<10} {label:<36} {spread(tour, scale, digits):>20} "
                      f"{spread(bare, scale, digits):>20} {ratio:>8.2f}x  {target}")
        print("-" * 120)
    finally:
        for server in servers.values():
            server.stop()


if __name__ == "__main__":
    main()
