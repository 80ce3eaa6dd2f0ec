"""Headless Firefox (Debian's firefox-esr), driven through the WebDriver BiDi
it speaks itself: no driver program in between. A profile of its own, with
preferences that keep it quiet and off the network, is thrown away at the
end together with every process it started.

The browser's own (chrome) side is opened to the driver for what BiDi lacks:
colour schemes are preferences, and the document's event listeners are
counted by a script in the page's process with the browser's privileges."""

import base64
import ctypes
import io
import json
import os
import shutil
import signal
import subprocess
import tempfile
import time

from bidi import BiDiError, Connection, local_value, python_value
from input_actions import key_source, pointer_source
from tour_page import TourPage

BROWSER = "/usr/bin/firefox-esr"
STARTUP = 30.0  # seconds Firefox may take to open its protocol port
LISTENING = "WebDriver BiDi listening on "
PREFS = {
    # No first-run, welcome, default-browser or session-restore pages.
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.page": 0,
    "browser.startup.homepage": "about:blank",
    "browser.startup.homepage_override.mstone": "ignore",
    "startup.homepage_welcome_url": "",
    "startup.homepage_welcome_url.additional": "",
    "browser.aboutwelcome.enabled": False,
    "browser.newtabpage.enabled": False,
    "browser.sessionstore.resume_from_crash": False,
    "browser.tabs.warnOnClose": False,
    "datareporting.policy.dataSubmissionPolicyBypassNotification": True,
    # No telemetry, studies, updates, remote settings, safe browsing, search
    # or captive-portal checks: nothing goes out but what the page asks for.
    "datareporting.healthreport.uploadEnabled": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.enabled": False,
    "toolkit.telemetry.unified": False,
    "toolkit.telemetry.server": "",
    "app.normandy.enabled": False,
    "app.shield.optoutstudies.enabled": False,
    "app.update.auto": False,
    "app.update.checkInstallTime": False,
    "app.update.disabledForTesting": True,
    "extensions.update.enabled": False,
    "extensions.getAddons.cache.enabled": False,
    "extensions.blocklist.enabled": False,
    "media.gmp-manager.updateEnabled": False,
    "services.settings.server": "data:,#offline",
    "browser.safebrowsing.malware.enabled": False,
    "browser.safebrowsing.phishing.enabled": False,
    "browser.safebrowsing.downloads.enabled": False,
    "browser.safebrowsing.downloads.remote.enabled": False,
    "browser.safebrowsing.blockedURIs.enabled": False,
    "browser.safebrowsing.provider.mozilla.updateURL": "",
    "browser.safebrowsing.provider.google4.updateURL": "",
    "browser.search.update": False,
    "browser.search.geoip.url": "",
    "geo.provider.network.url": "",
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "captivedetect.canonicalURL": "",
    "network.dns.disablePrefetch": True,
    "network.prefetch-next": False,
    "network.http.speculative-parallel-limit": 0,
    "network.proxy.type": 0,  # straight to 127.0.0.1, whatever the environment says
    # The page's own: service workers on http://127.0.0.1, scroll bars that
    # take no room (as in the other engines' runs).
    "dom.serviceWorkers.enabled": True,
    "ui.useOverlayScrollbars": 1,
}
TOUCH_PREFS = {"dom.w3c_touch_events.enabled": 1, "dom.maxtouchpoints.testing.value": 5}
# layout.css.prefers-color-scheme.content-override: 0 dark, 1 light;
# browser.display.document_color_use 2: the user's colours override the page's,
# 1: never (else a high-contrast desktop theme would force them too);
# ui.useAccessibilityTheme 1: the desktop's theme asks for more contrast.
SCHEMES = {"light": (1, 0, 0), "dark": (0, 0, 0), "forced": (1, 2, 0), "more": (1, 1, 1)}
MEDIA = ("return [matchMedia('(prefers-color-scheme: dark)').matches,"
         " matchMedia('(forced-colors: active)').matches,"
         " matchMedia('(prefers-contrast: more)').matches]")
# Run in the page's process with the browser's privileges; says back how many
# listeners the document holds.
COUNT_LISTENERS = """new Promise(resolve => {
  const manager = gBrowser.selectedBrowser.messageManager, name = 'varn:listeners:' + Date.now();
  manager.addMessageListener(name, function said(m) {
    manager.removeMessageListener(name, said);
    resolve(m.data);
  });
  manager.loadFrameScript('data:,' + encodeURIComponent(`
    const service = Cc['@mozilla.org/eventlistenerservice;1'].getService(Ci.nsIEventListenerService);
    sendAsyncMessage('${name}', service.getListenerInfoFor(content.document).length);`), false);
})"""


def _user_js(prefs):
    return "".join(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n" for k, v in prefs.items())


def _die_with_parent():
    """In the child before Firefox starts: killed if the test itself dies."""
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


class FirefoxBrowser(TourPage):
    name = "firefox"
    cannot = {
        "ax_tree": "BiDi finds nodes by role and name but gives no accessibility tree",
        "installability": "Firefox on the desktop does not install web apps",
        "forced_palette": "forced colours keep the desktop theme's own system colours here",
    }

    def __init__(self, width=1024, height=768, scale=1, touch=False, headless=True):
        """headless=False: a window on the X display in DISPLAY instead, which
        a screen reader can read (accessibility is on when the desktop asks
        for it, as GNOME_ACCESSIBILITY=1 does)."""
        self.scale = scale
        self.headless = headless
        self.folder = tempfile.mkdtemp(prefix="varn-firefox-")
        self.process = self.connection = None
        try:
            self._start(dict(PREFS, **(TOUCH_PREFS if touch else {})))
            self.command("session.new", capabilities={})
            self.command("session.subscribe", events=["log.entryAdded",
                                                      "network.beforeRequestSent"])
            self.context = self.command("browsingContext.getTree")["contexts"][0]["context"]
            self.command("browsingContext.setViewport", context=self.context,
                         viewport={"width": width, "height": height}, devicePixelRatio=scale)
            # The browser starts with its address bar focused: the page's
            # document has no focus, and Space presses no button.
            self._chrome("{ gBrowser.selectedBrowser.focus(); }")
            self.navigate("about:blank")
        except BaseException:
            self.close()
            raise

    def _start(self, prefs):
        profile = os.path.join(self.folder, "profile")
        os.mkdir(profile)
        with open(os.path.join(profile, "user.js"), "w") as out:
            out.write(_user_js(prefs))
        log = os.path.join(self.folder, "firefox.log")
        with open(log, "w") as out:
            # A process group of its own, so that close() ends every process.
            self.process = subprocess.Popen(
                [BROWSER] + (["--headless"] if self.headless else []) +
                ["--no-remote", "--profile", profile,
                 "--remote-debugging-port", "0", "--remote-allow-system-access"],
                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                start_new_session=True, preexec_fn=_die_with_parent,
                env=dict(os.environ, MOZ_CRASHREPORTER_DISABLE="1"))
        deadline = time.monotonic() + STARTUP
        while True:
            with open(log) as said:
                found = [line for line in said if line.startswith(LISTENING)]
            if found:
                address = found[0][len(LISTENING):].strip()
                break
            if self.process.poll() is not None or time.monotonic() > deadline:
                with open(log) as said:
                    raise RuntimeError(f"Firefox did not open its protocol port:\n{said.read()}")
            time.sleep(0.05)
        self.connection = Connection(address + "/session")

    def close(self):
        try:
            if self.connection:
                self.connection.close()
        finally:
            if self.process:
                try:
                    os.killpg(self.process.pid, signal.SIGTERM)
                    self.process.wait(10)
                except subprocess.TimeoutExpired:
                    pass
                try:  # whatever is left of the group, the content processes too
                    os.killpg(self.process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                self.process.wait()
            shutil.rmtree(self.folder, ignore_errors=True)

    def command(self, method, **params):
        return self.connection.command(method, **params)

    def _call(self, function, args=(), this=None, target=None):
        extra = {"this": local_value(this)} if this is not None else {}
        result = self.command("script.callFunction", functionDeclaration=function,
                              arguments=[local_value(a) for a in args], awaitPromise=True,
                              target=target or {"context": self.context}, **extra)
        if result["type"] == "exception":
            details = result["exceptionDetails"]
            raise BiDiError(f"the script threw: {details['text']}")
        return python_value(result["result"])

    def js(self, script, *args):
        return self._call(f"function() {{\n{script}\n}}", args)

    def navigate(self, url):
        self.command("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def pointer(self, steps, kind="mouse"):
        self.command("input.performActions", context=self.context,
                     actions=[pointer_source(steps, kind)])

    def key(self, name, shift=False):
        self.command("input.performActions", context=self.context,
                     actions=[key_source(name, shift)])

    def screenshot(self, clip=None):
        """The viewport, or the part of it at `clip` (left, top, width, height in
        CSS pixels), as an image (PIL) at the device's scale."""
        from PIL import Image
        extra = {}
        if clip:
            extra["clip"] = dict(zip(("x", "y", "width", "height"), clip), type="box")
        shot = self.command("browsingContext.captureScreenshot", context=self.context,
                            origin="viewport", **extra)
        return Image.open(io.BytesIO(base64.b64decode(shot["data"]))).convert("RGB")

    def console(self):
        return [f"{e['level']} {e['text']}" for e in self.connection.taken("log.entryAdded")]

    def _chrome(self, expression):
        """Evaluates the expression in the browser's own window, privileged."""
        tree = self.command("browsingContext.getTree", **{"moz:scope": "chrome"})
        target = {"context": tree["contexts"][0]["context"]}
        return self._call(f"() => {expression}", target=target)

    def emulate(self, scheme):
        content, colours, more = SCHEMES[scheme]
        self._chrome(f"{{ Services.prefs.setIntPref("
                     f"'layout.css.prefers-color-scheme.content-override', {content});"
                     f" Services.prefs.setIntPref('browser.display.document_color_use',"
                     f" {colours});"
                     f" Services.prefs.setIntPref('ui.useAccessibilityTheme', {more}); }}")
        # The page's process learns of the preferences a moment later.
        # Forced colours ask for more contrast of their own accord here.
        wanted = [scheme == "dark", scheme == "forced", scheme in ("more", "forced")]
        self.wait_for(lambda: self.js(MEDIA) == wanted, f"the {scheme} colour scheme")

    def listeners(self):
        return self._chrome(COUNT_LISTENERS)

    def ax_find(self, role, name):
        """The showing elements with that computed role and accessible name."""
        return self.command("browsingContext.locateNodes", context=self.context, locator={
            "type": "accessibility", "value": {"role": role, "name": name}})["nodes"]

    def ax_activate(self, node):
        """Presses the node the way assistive technology does: the element is
        clicked, with no pointer anywhere."""
        self._call("function() { this.click(); }", this=node)

    def preload(self, source):
        """Runs the source, as a function's body, in every document before the
        page's own scripts."""
        self.command("script.addPreloadScript", functionDeclaration=f"() => {{\n{source}\n}}")

    def requests(self):
        """Every URL a page asked for since start (the browser's own aside)."""
        return {e["request"]["url"] for e in self.connection.taken("network.beforeRequestSent")
                if e["request"]["url"].startswith(("http:", "https:"))}
