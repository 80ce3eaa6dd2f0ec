"""The site keeps to itself and plays offline: the first load asks nothing of
any other origin, says nothing on the console, breaks no rule of its content
security policy and keeps no cookie or storage beyond its service worker's
cache of its own files; the manifest makes it installable; with the server
stopped, a reload still plays the tour.

Usage: test_offline.py SITE_FOLDER FAULT_SITE_FOLDER
"""

import json
import sys

from browser import Browser, Checks, Server, tour

# Installed before any of the page's own scripts: every violation of the
# content security policy is kept for the test to read.
RECORD_VIOLATIONS = """
window.cspViolations = [];
document.addEventListener('securitypolicyviolation',
                          e => cspViolations.push(e.violatedDirective + ' ' + e.blockedURI));
"""


def main(argv):
    checks = Checks()
    server = Server(argv[1])
    page = Browser()
    try:
        page.cdp("Network.enable")
        page.cdp("Page.addScriptToEvaluateOnNewDocument", source=RECORD_VIOLATIONS)
        page.open(server.origin + "/index.html")
        page.take_move(tour.WALK[0])
        page.wait_for(lambda: page.js("return navigator.serviceWorker.controller !== null"),
                      "the service worker to take the page")

        requests = [json.loads(e["message"])["message"] for e in page.driver.get_log("performance")]
        # Everything the page asked for (the browser's own pages aside).
        urls = {r["params"]["request"]["url"] for r in requests
                if r["method"] == "Network.requestWillBeSent"
                and r["params"].get("documentURL", "").startswith(server.origin)}
        foreign = sorted(u for u in urls
                         if not u.startswith(server.origin + "/") and not u.startswith("blob:"))
        checks.check("the page's own files were fetched", any(u.endswith(".wasm") for u in urls))
        checks.equal("no request to any other origin", foreign, [])
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
        installable = page.cdp("Page.getInstallabilityErrors")["installabilityErrors"]
        checks.equal("the browser may install it as an app", installable, [])

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
