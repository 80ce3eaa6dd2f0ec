"""Measures the tour's site against the bare page in headless Chromium, one
fresh browser profile per run, the two alternating, and prints medians with
their spread. Run by bench/run-web.sh; changes nothing in either page.

The page is watched from inside by a script of ours that the browser runs
before the page's own (Page.addScriptToEvaluateOnNewDocument):
- the first frame is the paint timing entry "first-contentful-paint" (its time
  from navigation start); the probe checks that the title window, with its
  text and button, was in the page before that frame: served in it, or shown
  by the program before it;
- a transition runs from the pointerup event's timeStamp to the end of the
  first animation frame after the new window is shown: a MutationObserver sees
  its `hidden` go, a requestAnimationFrame callback posts a message, and the
  message arrives once that frame's style, layout and paint have run;
- the WebAssembly memory is the module's exported memory, taken from its
  instantiation, in bytes;
- the renderer is the process the page runs in (the one whose memory grows
  when the page, after the measurement, allocates 64 MiB);
- the page's own heaps are its JavaScript and DOM heaps after a collection
  (Runtime.getHeapUsage), with its WebAssembly memory: what the page holds, as
  against what the engine spends on running it.
"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import browser  # noqa: E402
from browser import tour  # noqa: E402

PROBE = r"""(() => {
  const probe = window.varnProbe = {shown: [], pointerUp: null};
  for (const name of ["instantiate", "instantiateStreaming"]) {
    const original = WebAssembly[name];
    WebAssembly[name] = function () {
      return original.apply(this, arguments).then((result) => {
        for (const value of Object.values((result.instance || result).exports))
          if (value instanceof WebAssembly.Memory) {
            probe.memory = value;
            probe.initialBytes = value.buffer.byteLength;
            probe.instantiatedAt = performance.now();
          }
        return result;
      });
    };
  }
  addEventListener("pointerup", (e) => { probe.pointerUp = e.timeStamp; }, true);
  // Whether the page was served with the title window in it, whole.
  addEventListener("DOMContentLoaded", () => {
    const title = document.querySelector("section.window:not([hidden])");
    probe.servedTitle = !!title && !!title.querySelector(".caption").textContent &&
                        !!title.querySelector(".client button");
  });
  new MutationObserver((records) => {
    for (const record of records) {
      const frame = record.target;
      if (record.oldValue === null || frame.hidden || !frame.matches("section.window")) continue;
      const entry = {name: frame.dataset.scene,
                     shownAt: performance.now(), after: probe.pointerUp,
                     complete: !!frame.querySelector(".caption").textContent &&
                               !!frame.querySelector(".client button")};
      probe.shown.push(entry);
      requestAnimationFrame(() => {
        entry.frameAt = performance.now();
        const channel = new MessageChannel();
        channel.port1.onmessage = () => { entry.painted = performance.now(); };
        channel.port2.postMessage(null);
      });
    }
  }).observe(document, {subtree: true, attributes: true, attributeFilter: ["hidden"],
                        attributeOldValue: true});
})();"""

SETTLE = 1.0  # seconds a fresh browser is left to finish starting before the navigation


def shown_after(b, count, name):
    """The first window shown after the first `count` whose name is `name`, once painted."""
    return b.wait_for(lambda: next((e for e in b.js("return varnProbe.shown")[count:]
                                    if e["name"] == name and "painted" in e), None),
                      f"{name} painted")


def click_and_time(b, click, name, parts):
    """From the pointer's release to the end of the new window's first frame; `parts`
    gathers that time's three parts: the input and its handler, the wait for the next
    frame, the frame's own work."""
    count = len(b.js("return varnProbe.shown"))
    b.js("varnProbe.pointerUp = null")
    click()
    entry = shown_after(b, count, name)
    for part, (start, end) in PARTS.items():
        parts.setdefault(part, []).append(entry[end] - entry[start])
    return entry["painted"] - entry["after"]


PARTS = {"  of which input and the click's handler": ("after", "shownAt"),
         "  of which waiting for the next frame": ("shownAt", "frameAt"),
         "  of which the frame's own work": ("frameAt", "painted")}


def walk_tour(b):
    """Every move of the shared walk; the three the desktop tables name, and the slowest."""
    times, seen, parts = {}, {"Form1"}, {}
    slowest = 0.0
    for move in tour.WALK:
        ms = click_and_time(b, lambda: b.take_move(move), move.target, parts)
        slowest = max(slowest, ms)
        first = move.target not in seen
        seen.add(move.target)
        key = {("Form1", "Form2", True): "first visit, title -> street",
               ("Form2", "Form7", True): "first visit, street -> ground floor",
               ("Form3", "Form7", False): "return visit, driveway -> ground floor"}.get(
                   (move.source, move.target, first))
        if key and key not in times:
            times[key] = ms
    times["slowest move of the whole walk"] = slowest
    times.update({part: statistics.median(values) for part, values in parts.items()})
    return times


def walk_bare(b):
    enter = tour.item("Form1", "Command1")["rect"]
    parts = {}
    first = click_and_time(b, lambda: b.click_item("Form1", enter), "Form2", parts)
    back = click_and_time(b, lambda: b.click("Form2", 150, 100), "Form1", parts)
    times = {"first visit, title -> street": first, "return visit, driveway -> ground floor": back}
    times.update({part: statistics.median(values) for part, values in parts.items()})
    return times


def process_tree(root):
    pids, stack = [], [root]
    while stack:
        pid = stack.pop()
        pids.append(pid)
        for task in os.listdir(f"/proc/{pid}/task"):
            try:
                with open(f"/proc/{pid}/task/{task}/children") as f:
                    stack += [int(p) for p in f.read().split()]
            except OSError:
                pass
    return pids


def memory_kb(pid):
    """Pss (smaps_rollup) and VmRSS (status) of a process, in kB."""
    figures = {}
    for path in (f"/proc/{pid}/smaps_rollup", f"/proc/{pid}/status"):
        with open(path) as f:
            for line in f:
                key, _, value = line.partition(":")
                if key in ("Pss", "VmRSS"):
                    figures[key] = int(value.split()[0])
    return figures


def page_renderer_memory(b):
    """The memory of the renderer process the page runs in."""
    renderers = []
    for pid in process_tree(b.driver.service.process.pid):
        with open(f"/proc/{pid}/cmdline") as f:
            words = f.read().replace("\0", " ").split()
        if "--type=renderer" in words and "--top-chrome-webui" not in words:
            renderers.append(pid)
    before = {pid: memory_kb(pid) for pid in renderers}
    b.js("window.varnProbeBallast = new Uint8Array(64 << 20).fill(1)")
    grown = max(renderers, key=lambda pid: memory_kb(pid)["Pss"] - before[pid]["Pss"])
    b.js("window.varnProbeBallast = null")
    return before[grown]


def page_heaps(b):
    """What the page itself holds once collected: its JavaScript heap and the
    DOM's (the embedder's) heap, in bytes; the WebAssembly memory is apart."""
    b.cdp("HeapProfiler.collectGarbage")
    heap = b.cdp("Runtime.getHeapUsage")
    return sum(heap.get(key, 0) for key in ("usedSize", "embedderHeapUsedSize",
                                              "backingStorageSize"))


def one_run(program, folder, server):
    b = browser.Browser()
    try:
        time.sleep(SETTLE)
        b.cdp("Page.addScriptToEvaluateOnNewDocument", source=PROBE)
        server.answers.clear()
        b.driver.get(server.origin + "/index.html")
        title = shown_after(b, 0, "Form1")
        fcp = b.wait_for(lambda: b.js("const p = performance.getEntriesByName("
                                      "'first-contentful-paint')[0]; return p && p.startTime"),
                         "the first contentful paint")
        served = b.js("return !!varnProbe.servedTitle")
        if not title["complete"] or (fcp < title["shownAt"] and not served):
            raise AssertionError(f"{program}: the first paint came before the title window")
        if program == "tour":  # the first load ends when the service worker has its copies
            b.driver.execute_async_script(
                "navigator.serviceWorker.ready.then(() => arguments[0]())")
        time.sleep(1.0)
        answers = list(server.answers)
        figures = {"first frame (first-contentful-paint)": fcp,
                   "  title shown, then its frame ended (rAF)": title["painted"],
                   "wasm initial": b.js("return varnProbe.initialBytes")}
        figures.update(walk_tour(b) if program == "tour" else walk_bare(b))
        figures["wasm after walk"] = b.js("return varnProbe.memory.buffer.byteLength")
        time.sleep(1.0)
        figures.update(page_renderer_memory(b))
        figures["page heaps"] = page_heaps(b) + figures["wasm after walk"]
        figures["gzip"] = transferred(folder, answers)
        return figures
    finally:
        b.close()


def gzipped_size(path):
    return len(subprocess.run(["gzip", "-9", "-n", "-c", path], check=True,
                              capture_output=True).stdout)


def transferred(folder, answers):
    """Each file the first load fetched with a body (200), gzip -9, by path."""
    sizes = {}
    for path, status in answers:
        if status == 200:
            file = path.split("?")[0].lstrip("/") or "index.html"
            sizes[path] = sizes.get(path, 0) + gzipped_size(os.path.join(folder, file))
    return sizes


def spread(values, scale=1.0, digits=1):
    values = [v / scale for v in values]
    return (f"{statistics.median(values):.{digits}f} "
            f"({min(values):.{digits}f}-{max(values):.{digits}f})")


def verdict(ok):
    return "MET" if ok else "MISSED"


def report(runs, chromium):
    tour_runs, bare_runs = runs["tour"], runs["bare"]
    col = lambda rs, key, **kw: spread([r[key] for r in rs], **kw) if key in rs[0] else "-"  # noqa
    med = lambda rs, key, scale=1.0: statistics.median(r[key] / scale for r in rs)  # noqa
    print(f"\nvarns-house against the bare page, {chromium}: medians (min-max) of "
          f"{len(tour_runs)} alternating runs each, a fresh profile each run")
    print(f"{'figure':<44} {'varns-house':>22} {'bare page':>22} {'compare':>10}  target")
    print("-" * 118)
    fcp = "first frame (first-contentful-paint)"
    ratio = med(tour_runs, fcp) / med(bare_runs, fcp)
    print(f"{fcp + ' ms':<44} {col(tour_runs, fcp):>22} {col(bare_runs, fcp):>22} "
          f"{ratio:>9.2f}x  <= 0.90x bare: {verdict(ratio <= 0.90)}")
    for key in ["  title shown, then its frame ended (rAF)", "first visit, title -> street",
                "first visit, street -> ground floor", "return visit, driveway -> ground floor",
                "slowest move of the whole walk", *PARTS]:
        target = ""
        if key.startswith(("first", "return")):
            target = f"< 16.7 ms: {verdict(med(tour_runs, key) < 1000 / 60)}"
        print(f"{key + ' ms':<44} {col(tour_runs, key):>22} {col(bare_runs, key):>22} "
              f"{'':>10}  {target}")
    for r in tour_runs + bare_runs:
        r["gzip total"] = sum(r["gzip"].values())
    total = med(tour_runs, "gzip total", 1024)
    print(f"{'first load transferred, gzip -9 (KB)':<44} "
          f"{col(tour_runs, 'gzip total', scale=1024):>22} "
          f"{col(bare_runs, 'gzip total', scale=1024):>22} {'':>10}  <= 100 KB: "
          f"{verdict(total <= 100)}")
    mib = 1 << 20
    initial = med(tour_runs, "wasm initial", mib)
    print(f"{'WebAssembly memory at start (MiB)':<44} "
          f"{col(tour_runs, 'wasm initial', scale=mib, digits=2):>22} "
          f"{col(bare_runs, 'wasm initial', scale=mib, digits=2):>22} {'':>10}  <= 1 MiB: "
          f"{verdict(initial <= 1)}")
    print(f"{'WebAssembly memory after the walk (MiB)':<44} "
          f"{col(tour_runs, 'wasm after walk', scale=mib, digits=2):>22} "
          f"{col(bare_runs, 'wasm after walk', scale=mib, digits=2):>22}")
    for key, label, scale, digits, target in [
            ("Pss", "renderer Pss after the walk", 1000, 1, True),
            ("VmRSS", "renderer VmRSS after the walk", 1000, 1, False),
            ("page heaps", "  the page's own heaps: JS, DOM, wasm", 1e6, 2, False)]:
        more = med(tour_runs, key, scale) - med(bare_runs, key, scale)
        print(f"{label + ' (MB)':<44} {col(tour_runs, key, scale=scale, digits=digits):>22} "
              f"{col(bare_runs, key, scale=scale, digits=digits):>22} {more:>+7.2f} MB  "
              + (f"<= bare + 2 MB: {verdict(more <= 2)}" if target else ""))
    print("-" * 118)
    print("the bare page's transitions: its button builds and shows a second window, a click "
          "there shows the first again")
    print("\nfiles the first load fetched with a body (HTTP 200), gzip -9 bytes, "
          "in how many runs:")
    for name, rs in [("varns-house", tour_runs), ("bare page", bare_runs)]:
        paths = sorted({p for r in rs for p in r["gzip"]})
        for path in paths:
            sizes = [r["gzip"][path] for r in rs if path in r["gzip"]]
            print(f"  {name:<12} {path:<24} {statistics.median(sizes):>8.0f}  "
                  f"{len(sizes)}/{len(rs)}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    folders = {"tour": args.site, "bare": args.bare}
    servers = {name: browser.Server(folder) for name, folder in folders.items()}
    chromium = subprocess.run(["/usr/bin/chromium", "--version"], capture_output=True,
                              text=True).stdout.strip()
    try:
        for name in folders:  # untimed: the browser's and the pages' files into the cache
            one_run(name, folders[name], servers[name])
        runs = {name: [] for name in folders}
        for index in range(args.runs):
            for name in folders:
                figures = one_run(name, folders[name], servers[name])
                runs[name].append(figures)
                if args.verbose:
                    print(f"run {index + 1:2} {name}: " + ", ".join(
                        f"{k.strip()} {v:.1f}" for k, v in figures.items()
                        if isinstance(v, (int, float))), flush=True)
        report(runs, chromium)
    finally:
        for server in servers.values():
            server.stop()


if __name__ == "__main__":
    main()
