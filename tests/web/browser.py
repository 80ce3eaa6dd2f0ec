"""The browser tests' way into every engine: `open_browser(engine, ...)` gives
a page of the tour (tour_page.TourPage) in Chromium, WebKit or Firefox, and the
server and tally they share. `Browser` stays Chromium's, for the benchmark."""

from chromium import ChromiumBrowser
from serving import Checks, Server  # noqa: F401
from tour_page import CAPABILITIES, TourPage, Unsupported, tour  # noqa: F401

ENGINES = ("chromium", "webkit", "firefox")
Browser = ChromiumBrowser


def engine_class(engine):
    if engine == "chromium":
        return ChromiumBrowser
    if engine == "webkit":
        from webkit import WebKitBrowser
        return WebKitBrowser
    if engine == "firefox":
        from firefox import FirefoxBrowser
        # A back end holding the primitives alone gets the tour's terms here.
        if issubclass(FirefoxBrowser, TourPage):
            return FirefoxBrowser
        return type("FirefoxPage", (FirefoxBrowser, TourPage), {})
    raise ValueError(f"no such engine: {engine!r} (one of {', '.join(ENGINES)})")


def open_browser(engine, **options):
    """A fresh browser of that engine; options as TourPage's constructor takes."""
    return engine_class(engine)(**options)

