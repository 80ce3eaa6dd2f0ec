"""WebKit, the engine of Safari and of every browser on an iPhone: Debian's
MiniBrowser (WebKitGTK) under WebKitWebDriver, through Selenium, on a private
X server of its own.

WebDriver gives no console. MiniBrowser writes its console to its output when
asked (--enable-write-console-messages-to-stdout=true), but not for the view
the driver makes, so under the driver a recorder installed once each page has
loaded keeps what scripts say (console calls, errors, refused content); what
the engine says while loading is read from MiniBrowser run on its own
(console_of_visit)."""

import os
import shutil
import subprocess
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.common.by import By
from selenium.webdriver.webkitgtk.service import Service

from selenium_page import SeleniumPage
from tour_page import Unsupported

DRIVER = "/usr/bin/WebKitWebDriver"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
CONSOLE_MARK = ": CONSOLE "  # in each console line WebKit writes out
RECORD_CONSOLE = """
if (!window.varnConsole) {
  const said = window.varnConsole = [];
  for (const level of ['log', 'info', 'warn', 'error', 'debug']) {
    const original = console[level];
    console[level] = (...args) => { said.push(level + ' ' + args.join(' ')); original(...args); };
  }
  addEventListener('error', e => said.push('error ' + e.message));
  addEventListener('unhandledrejection', e => said.push('error ' + e.reason));
  document.addEventListener('securitypolicyviolation',
                            e => said.push('security ' + e.violatedDirective + ' ' + e.blockedURI));
}
"""


def start_x(width, height):
    """A private Xvfb on a display number it picks itself; (process, display)."""
    read, write = os.pipe()
    process = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp",
                                "-screen", "0", f"{width}x{height}x24"],
                               pass_fds=(write,), stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as pipe:
        number = pipe.readline().strip()
    if not number:
        process.kill()
        raise RuntimeError("Xvfb did not start")
    return process, f":{number}"


def environment(display, folder, scale=1):
    """The browser's environment: our X server, our scale, a home of its own."""
    return dict(os.environ, DISPLAY=display, GDK_BACKEND="x11", GDK_SCALE=str(scale),
                NO_AT_BRIDGE="1", HOME=folder, XDG_CACHE_HOME=folder, XDG_DATA_HOME=folder,
                XDG_CONFIG_HOME=folder)


class WebKitBrowser(SeleniumPage):
    name = "webkit"
    cannot = {
        "schemes": "WebKitWebDriver emulates no colour scheme or forced colours",
        "ax_tree": "WebKitWebDriver answers one element's computed role and label, no tree",
        "listeners": "no protocol of WebKitWebDriver lists event listeners",
        "installability": "WebKitGTK has no web app install to ask about",
        "preload": "WebKitWebDriver runs no script before the page's own",
        "requests": "WebKitWebDriver gives no network log (the server's log stands in)",
        "touch": "WebKitWebDriver delivers touch actions as mouse events (pointerType \"mouse\")",
    }

    def __init__(self, width=1024, height=768, scale=1, touch=False):
        if scale not in (1, 2, 3):
            raise Unsupported("WebKitGTK scales by whole numbers only")
        self.scale = scale
        self.folder = tempfile.mkdtemp(prefix="varn-webkit-")
        self.x, display = start_x(scale * width + 200, scale * height + 200)
        try:
            self.log = os.path.join(self.folder, "driver.log")
            env = environment(display, self.folder, scale)
            options = webdriver.WebKitGTKOptions()
            options.binary_location = MINIBROWSER
            # Once any argument is given the driver adds none itself: without
            # --automation the browser never answers.
            options.add_argument("--automation")
            # Debian's Selenium gives WebKitGTK no way to set the driver's
            # environment: the driver is started here, then spoken to remotely.
            self.service = Service(DRIVER, log_path=self.log, env=env)
            self.service.start()
            self.driver = webdriver.Remote(self.service.service_url, options=options)
            self.said = []
            self.size_viewport(width, height)
        except BaseException:
            self.close()
            raise

    def size_viewport(self, width, height):
        """Sizes the window so that its viewport is width by height CSS pixels.
        The window takes a new size a moment after the driver answers: each
        step waits until the viewport has it."""
        def settled(wanted):
            deadline, last = time.monotonic() + 2.0, None
            while time.monotonic() < deadline:
                now = self.js("return [innerWidth, innerHeight]")
                if now == wanted or now == last:
                    return now
                last = now
                time.sleep(0.1)
            return now

        self.driver.set_window_rect(0, 0, width, height)
        inner = settled([width, height])
        self.driver.set_window_rect(0, 0, 2 * width - inner[0], 2 * height - inner[1])
        got = settled([width, height])
        if got != [width, height]:
            raise Unsupported(f"the viewport is {got}, not {[width, height]}")

    def close(self):
        try:
            if self.driver:
                self.driver.quit()
        finally:
            if getattr(self, "service", None):
                self.service.stop()
            self.x.kill()
            self.x.wait()
            shutil.rmtree(self.folder, ignore_errors=True)

    def navigate(self, url):
        self.said += self._recorded()
        self.driver.get(url)
        self.js(RECORD_CONSOLE)

    def _recorded(self):
        try:
            return self.js("return window.varnConsole || []")
        except Exception:  # no page yet, or one that has gone
            return []

    def console(self):
        return self.said + self._recorded()

    def loading_console(self, url):
        return console_of_visit(url)

    def ax_find(self, role, name):
        """The showing elements whose computed role and name the driver gives as
        these (WebKit's accessibility, asked one element at a time)."""
        elements = self.driver.find_elements(
            By.CSS_SELECTOR, "section.window:not([hidden]), section.window:not([hidden]) *,"
            " dialog[open], dialog[open] *")
        return [e for e in elements if e.aria_role == role and e.accessible_name == name]

    def ax_activate(self, node):
        self.js("arguments[0].click()", node)


def console_of_visit(url, seconds=4.0):
    """The console of one visit to `url` in MiniBrowser alone, with a profile
    of its own: everything the engine and the page said in `seconds`."""
    folder = tempfile.mkdtemp(prefix="varn-webkit-visit-")
    x, display = start_x(1224, 968)
    try:
        env = environment(display, folder)
        browser = subprocess.Popen([MINIBROWSER, "--enable-write-console-messages-to-stdout=true",
                                    url], env=env, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, text=True)
        try:
            out, _ = browser.communicate(timeout=seconds)
        except subprocess.TimeoutExpired:
            browser.kill()
            out, _ = browser.communicate()
        return [line for line in out.splitlines() if CONSOLE_MARK in line]
    finally:
        x.kill()
        x.wait()
        shutil.rmtree(folder, ignore_errors=True)
