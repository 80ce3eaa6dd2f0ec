"""Lighthouse (the pinned version of bench/lighthouse/) on the tour's site and
on the bare page, each served on 127.0.0.1 as docs/web.md asks of a static
host: the precompressed .br or .gz file for what the request accepts, with
its encoding, Vary, the cache lifetimes and the content security policy as
headers. Mobile (Lighthouse's default: a slow phone's CPU and a slow 4G
network, simulated), the two alternating, and prints medians with their
spread and the targets. Run by bench/run-lighthouse.sh.
"""

import argparse
import functools
import http.server
import json
import os
import statistics
import subprocess
import tempfile
import threading

POLICY = ("default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
          "img-src 'self' blob:; object-src 'none'; base-uri 'none'; form-action 'self'; "
          "frame-ancestors 'self'")
TYPES = {".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css",
         ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
         ".png": "image/png"}
FIGURES = [("performance", "performance score", 1), ("first-contentful-paint", "FCP (s)", 1000),
           ("largest-contentful-paint", "LCP (s)", 1000), ("total-blocking-time", "TBT (ms)", 1),
           ("speed-index", "Speed Index (s)", 1000), ("cumulative-layout-shift", "CLS", 1)]


class Host(http.server.SimpleHTTPRequestHandler):
    """A static host as docs/web.md describes it."""

    def log_message(self, *args):
        pass

    def do_GET(self):
        path = self.path.split("?")[0]
        name = os.path.join(self.directory, path.lstrip("/") or "index.html")
        if not os.path.isfile(name):
            return self.send_error(404)
        accepted = self.headers.get("Accept-Encoding", "")
        body, encoding = name, None
        for suffix, coding in ((".br", "br"), (".gz", "gzip")):
            if coding in accepted and os.path.isfile(name + suffix):
                body, encoding = name + suffix, coding
                break
        with open(body, "rb") as f:
            data = f.read()
        self.send_response(200)
        self.send_header("Content-Type", TYPES.get(os.path.splitext(name)[1],
                                                   "application/octet-stream"))
        self.send_header("Content-Length", str(len(data)))
        if encoding:
            self.send_header("Content-Encoding", encoding)
        self.send_header("Vary", "Accept-Encoding")
        self.send_header("Cache-Control", "public, max-age=604800" if name.endswith(".png")
                         else "no-cache")
        self.send_header("Content-Security-Policy", POLICY)
        self.send_header("X-Content-Type-Options", "nosniff")
        self.end_headers()
        self.wfile.write(data)


def serve(folder):
    httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                            functools.partial(Host, directory=folder))
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    return httpd, f"http://127.0.0.1:{httpd.server_address[1]}/index.html"


def audit(lighthouse, url, form):
    with tempfile.TemporaryDirectory(prefix="varn-lighthouse-") as folder:
        report = os.path.join(folder, "report.json")
        flags = ["--headless=new", "--no-sandbox", "--disable-gpu",
                 f"--user-data-dir={folder}/profile"]
        command = [lighthouse, url, "--quiet", "--output=json", f"--output-path={report}",
                   "--only-categories=performance", f"--chrome-flags={' '.join(flags)}"]
        if form == "desktop":
            command.append("--preset=desktop")
        subprocess.run(command, check=True, env=dict(os.environ, CHROME_PATH="/usr/bin/chromium"))
        with open(report) as f:
            result = json.load(f)
    figures = {"performance": result["categories"]["performance"]["score"] * 100}
    for key, _, _ in FIGURES[1:]:
        figures[key] = result["audits"][key]["numericValue"]
    return figures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("lighthouse")
    parser.add_argument("site")
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--form", choices=("mobile", "desktop"), default="mobile")
    args = parser.parse_args()
    hosts = {name: serve(folder) for name, folder in (("tour", args.site), ("bare", args.bare))}
    try:
        runs = {name: [] for name in hosts}
        for _ in range(args.runs):
            for name, (_, url) in hosts.items():
                runs[name].append(audit(args.lighthouse, url, args.form))
    finally:
        for httpd, _ in hosts.values():
            httpd.shutdown()
    print(f"\nLighthouse, {args.form}: medians (min-max) of {args.runs} alternating runs")
    print(f"{'figure':<20} {'varns-house':>24} {'bare page':>24}  target")
    print("-" * 90)
    median = {name: {} for name in runs}
    for key, label, scale in FIGURES:
        cells = []
        for name in runs:
            values = [r[key] / scale for r in runs[name]]
            median[name][key] = statistics.median(values)
            cells.append(f"{median[name][key]:.2f} ({min(values):.2f}-{max(values):.2f})")
        target = ""
        if key == "performance":
            target = "100: " + ("MET" if median["tour"][key] >= 100 else "MISSED")
        elif key == "largest-contentful-paint":
            target = "<= bare page: " + ("MET" if median["tour"][key] <= median["bare"][key]
                                         else "MISSED")
        print(f"{label:<20} {cells[0]:>24} {cells[1]:>24}  {target}")
    print("-" * 90)


if __name__ == "__main__":
    main()
