"""The site's own fonts, whatever the visitor has: the tour walked again in
a browser whose fontconfig knows DejaVu alone gives the same lines and the
same pixels in every scene."""

import os
import subprocess
import tempfile

import browser
import text_lines
from scene_shot import Shot, every_scene


def shots_and_lines(engine, server):
    """Each scene's client area (PNG bytes) and lines, at scale 1."""
    found = {}
    with browser.open_browser(engine) as page:
        page.open(server.origin + "/index.html")
        for scene_id in every_scene(page):
            found[scene_id] = (Shot(page, scene_id, 1).image.tobytes(),
                               text_lines.page_lines(page, scene_id))
    return found


def check_own_fonts(checks, engine, server):
    """The walk again, the browser's fontconfig knowing DejaVu alone, with the
    system's own rendering settings, which would change the pixels otherwise."""
    normal = shots_and_lines(engine, server)
    with tempfile.TemporaryDirectory(prefix="varn-fonts-") as folder:
        config = os.path.join(folder, "fonts.conf")
        with open(config, "w", encoding="utf-8") as f:
            # The system's rendering rules (conf.d) without its font folders.
            f.write("<?xml version='1.0'?>\n<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>"
                    f"<cachedir>{folder}/cache</cachedir>"
                    "<include ignore_missing='yes'>/etc/fonts/conf.d</include></fontconfig>\n")
        os.environ["FONTCONFIG_FILE"] = config
        families = subprocess.run(["fc-list", ":", "family"], capture_output=True, text=True,
                                  check=True).stdout
        checks.check(f"DejaVu alone installed: {sorted(set(families.split()))}",
                     "DejaVu" in families and "Liberation" not in families)
        bare = shots_and_lines(engine, server)
        del os.environ["FONTCONFIG_FILE"]
    for scene_id, (pixels_seen, lines) in normal.items():
        checks.equal(f"{scene_id} without the fonts installed: lines", bare[scene_id][1], lines)
        checks.check(f"{scene_id} without the fonts installed: the same pixels",
                     bare[scene_id][0] == pixels_seen)
