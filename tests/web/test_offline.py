"""The site keeps to itself and plays offline: the first load asks nothing of
any other origin, says nothing on the console, breaks no rule of its content
security policy and keeps no cookie or storage beyond its service worker's
cache of its own files, which holds the one copy of the module the page
fetched; the manifest makes it installable and a home screen takes its icon; with the server
stopped, a reload still plays the tour.

Usage: test_offline.py SITE_FOLDER FAULT_SITE_FOLDER [ENGINE]
"""

import sys

from browser import Checks, Server, open_browser, tour

# Installed before any of the page's own scripts: every violation of the
# content security policy is kept for the test to read.
RECORD_VIOLATIONS = """
window.cspViolations = [];
document.addEventListener('securitypolicyviolation',
                          e => cspViolations.push(e.violatedDirective + ' ' + e.blockedURI));
"""


def main(argv):
    engine = argv[3] if len(argv) > 3 else "chromium"
    checks = Checks()
    server = Server(argv[1])
    page = open_browser(engine)
    try:
        recording = checks.runs(page, "preload", "no violation of the content security policy")
        if recording:
            page.preload(RECORD_VIOLATIONS)
        page.open(server.origin + "/index.html")
        page.take_move(tour.WALK[0])
        page.wait_for(lambda: page.js("return navigator.serviceWorker.controller !== null"),
                      "the service worker to take the page")

        fetched = [path for path, _ in server.answers]
        checks.equal("the module fetched once, the service worker's copy included",
                     sum(path.endswith(".wasm") for path in fetched), 1)
        if checks.runs(page, "requests", "no request to any other origin"):
            foreign = sorted(u for u in page.requests()
                             if not u.startswith(server.origin + "/") and not u.startswith("blob:"))
            checks.equal("no request to any other origin", foreign, [])
        if recording:
            checks.equal("no violation of the content security policy",
                         page.js("return cspViolations"), [])
        checks.equal("no cookie, no storage", page.js(
            "return [document.cookie, localStorage.length, sessionStorage.length]"), ["", 0, 0])
        caches = page.js("return caches.keys()")
        checks.check(f"the only cache is the service worker's own: {caches}",
                     len(caches) == 1 and caches[0].startswith("varns-house-"))

        manifest = page.js("return fetch('manifest.webmanifest').then(r => r.json())")
        checks.equal("the manifest describes the program", manifest["description"],
                     "Explore Varn's House in a dynamic 2D environment!")
        checks.equal("... with icons at 192 and 512 px",
                     sorted(i["sizes"] for i in manifest["icons"]), ["192x192", "512x512"])
        if checks.runs(page, "installability", "the browser may install it as an app"):
            checks.equal("the browser may install it as an app", page.installability(), [])
        home = page.js("return [document.querySelector('link[rel=apple-touch-icon]').href,"
                       " document.querySelector('meta[name=apple-mobile-web-app-capable]').content]")
        checks.equal("a home screen takes its icon and opens it without the browser's frame",
                     home, [server.origin + "/icon-180.png", "yes"])

        said = page.loading_console(server.origin + "/index.html")
        if said is not None:
            checks.equal("nothing said while loading, by the engine itself either", said, [])

        server.stop()
        page.open(server.origin + "/index.html")
        page.take_move(tour.WALK[0])
        page.take_move(tour.WALK[1])
        checks.check("with the server gone, the tour still plays", True)
        checks.equal("nothing said on the console", page.console(), [])
    except AssertionError as failure:
        checks.check(str(failure), False)
    finally:
        page.close()
    checks.finish()


if __name__ == "__main__":
    main(sys.argv)
