"""Headless Chromium through Selenium, with the DevTools protocol for what
WebDriver lacks: device metrics and touch, colour schemes, the accessibility
tree, the event listeners, installability, scripts run before the page's own
and the network log."""

import base64
import io
import json
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

from selenium_page import SeleniumPage

SCHEMES = {
    "light": [],
    "dark": [{"name": "prefers-color-scheme", "value": "dark"}],
    "forced": [{"name": "forced-colors", "value": "active"}],
    "more": [{"name": "prefers-contrast", "value": "more"}],
}


class ChromiumBrowser(SeleniumPage):
    """One headless Chromium with a profile of its own, thrown away at the end."""

    name = "chromium"
    cannot = {}

    def __init__(self, width=1024, height=768, scale=1, touch=False, headless=True):
        """headless=False: a window on the X display in DISPLAY instead, its
        accessibility tree offered to a screen reader."""
        self.scale = scale
        self.profile = tempfile.mkdtemp(prefix="varn-chromium-")
        options = Options()
        options.binary_location = "/usr/bin/chromium"
        shown = ["--headless=new"] if headless else ["--force-renderer-accessibility"]
        for flag in shown + ["--no-sandbox", "--disable-gpu", "--disable-quic",
                             "--no-first-run", "--disable-background-networking",
                             "--disable-component-update", "--disable-sync",
                             "--hide-scrollbars", f"--user-data-dir={self.profile}",
                             f"--window-size={width},{height}", "--font-render-hinting=none"]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.cdp("Emulation.setDeviceMetricsOverride",
                 width=width, height=height, deviceScaleFactor=scale, mobile=touch)
        if touch:
            self.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        self.network = []

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def screenshot(self, clip=None):
        from PIL import Image
        extra = {}
        if clip:
            extra["clip"] = dict(zip(("x", "y", "width", "height"), clip), scale=1)
        shot = self.cdp("Page.captureScreenshot", format="png", **extra)
        return Image.open(io.BytesIO(base64.b64decode(shot["data"]))).convert("RGB")

    def console(self):
        return [f"{e['level']} {e['message']}" for e in self.driver.get_log("browser")]

    def emulate(self, scheme):
        self.cdp("Emulation.setEmulatedMedia", media="", features=SCHEMES[scheme])

    def ax_tree(self):
        return self.cdp("Accessibility.getFullAXTree")["nodes"]

    def ax_find(self, role, name):
        root = self.cdp("DOM.getDocument", depth=0)["root"]["nodeId"]
        return [n for n in self.cdp("Accessibility.queryAXTree", nodeId=root, role=role,
                                    accessibleName=name)["nodes"] if not n.get("ignored")]

    def ax_activate(self, node):
        """Presses the node the way assistive technology does: the element
        behind it is clicked, with no pointer anywhere."""
        element = self.cdp("DOM.resolveNode", backendNodeId=node["backendDOMNodeId"])
        self.cdp("Runtime.callFunctionOn", objectId=element["object"]["objectId"],
                 functionDeclaration="function() { this.click(); }")

    def listeners(self):
        document = self.cdp("Runtime.evaluate", expression="document")["result"]["objectId"]
        return len(self.cdp("DOMDebugger.getEventListeners", objectId=document)["listeners"])

    def installability(self):
        return self.cdp("Page.getInstallabilityErrors")["installabilityErrors"]

    def preload(self, source):
        self.cdp("Page.addScriptToEvaluateOnNewDocument", source=source)

    def requests(self):
        """Every URL a page of ours asked for (the browser's own pages aside)."""
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                self.network.append(message["params"])
        return {p["request"]["url"] for p in self.network
                if p.get("documentURL", "").startswith("http://127.0.0.1:")}
