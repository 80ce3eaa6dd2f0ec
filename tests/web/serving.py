"""What the browser tests share whatever the engine: the site served by a small
server of our own on 127.0.0.1 only, on a port the system picks, which keeps
each answer it gives, and a test's tally.
"""

import functools
import http.server
import sys
import threading


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}

    def log_message(self, *args):
        pass

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()


class Server:
    """Serves one folder on 127.0.0.1 until stopped; `answers` lists each answer
    as (path, HTTP status). `pages` maps a path to a page of the test's own,
    served beside the folder's files. `hold(suffix)` keeps back the answers
    for paths ending so until `release()`."""

    def __init__(self, folder):
        self.answers = []
        self.pages = {}
        self.held = None
        self.released = threading.Event()
        server = self

        class Handler(_QuietHandler):
            def log_request(self, code="-", size="-"):
                server.answers.append((self.path, int(code)))

            def do_GET(self):
                if server.held and self.path.split("?")[0].endswith(server.held):
                    server.released.wait(60)
                page = server.pages.get(self.path)
                if page is None:
                    return super().do_GET()
                body = page.encode()
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

        self.httpd = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
        self.origin = f"http://127.0.0.1:{self.httpd.server_address[1]}"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def hold(self, suffix):
        self.held = suffix
        self.released.clear()

    def release(self):
        self.released.set()

    def stop(self):
        self.released.set()
        self.httpd.shutdown()
        self.httpd.server_close()


class Checks:
    """A test's tally: one line per failed check, then 'N passed, M failed'."""

    def __init__(self):
        self.passed = self.failed = 0

    def check(self, name, ok):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL: {name}", flush=True)
        return ok

    @staticmethod
    def not_run(engine, check, reason):
        """Says which check this engine leaves out, and why: never a silent skip."""
        print(f"NOT RUN in {engine}: {check} \u2014 {reason}", flush=True)

    def runs(self, page, capability, check):
        """Whether the page's engine offers the capability the check needs; if
        not, says so."""
        reason = page.lacks(capability)
        if reason:
            self.not_run(page.name, check, reason)
        return not reason

    def equal(self, name, got, wanted):
        return self.check(f"{name}: {got!r}, wanted {wanted!r}", got == wanted)

    def finish(self):
        print(f"{self.passed} passed, {self.failed} failed")
        sys.exit(1 if self.failed else 0)
