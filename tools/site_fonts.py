"""Cuts the site's fonts in two for a quick first frame: the characters the
served title draws, and the rest of Basic Latin (all the scenes' text). The
stylesheet then declares each family twice, one face per part with its
`unicode-range`, so a browser fetches only the faces whose characters the page
shows: the served title waits for two small files, the other scenes' words for
the rest. The page's font preloads are pointed at the title's parts.

Usage: site_fonts.py PAGE STYLESHEET FONTS_FOLDER SOURCE.ttf...
PAGE and STYLESHEET (as built, with the title window in them) are rewritten in
place; each SOURCE becomes FONTS_FOLDER/NAME-title.woff2 and NAME.woff2.
"""

import html.parser
import os
import re
import subprocess
import sys

BASIC_LATIN = [chr(code) for code in range(0x20, 0x7F)]


class ClientText(html.parser.HTMLParser):
    """The text inside the served windows' client areas, where the scenes'
    own fonts are used."""

    def __init__(self):
        super().__init__()
        self.depth = 0  # open elements inside a client area, itself included
        self.text = set()

    # Elements without an end tag, which must not deepen the count.
    VOID = {"area", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "wbr"}

    def handle_starttag(self, tag, attrs):
        if tag in self.VOID:
            return
        if self.depth or "client" in (dict(attrs).get("class") or "").split():
            self.depth += 1

    def handle_endtag(self, tag):
        if self.depth:
            self.depth -= 1

    def handle_data(self, data):
        if self.depth:
            self.text.update(data)


def unicode_range(characters):
    """Sorted characters as a CSS unicode-range, runs of codes as one span."""
    spans = []
    for code in map(ord, characters):
        if spans and spans[-1][1] == code - 1:
            spans[-1][1] = code
        else:
            spans.append([code, code])
    return ", ".join(f"U+{a:X}" if a == b else f"U+{a:X}-{b:X}" for a, b in spans)


def subset(source, characters, output):
    # Without kerning or other layout features, as the desktops set the words;
    # the subset keeps the source's timestamps, so each build writes the same bytes.
    subprocess.run([sys.executable, "-m", "fontTools.subset", source,
                    f"--unicodes={unicode_range(characters)}", "--flavor=woff2",
                    "--layout-features=", "--drop-tables+=kern,FFTM",
                    f"--output-file={output}"], check=True)


def main(argv):
    if len(argv) < 5:
        sys.exit(__doc__)
    page_path, style_path, fonts, sources = argv[1], argv[2], argv[3], argv[4:]
    with open(page_path, encoding="utf-8") as f:
        page = f.read()
    client = ClientText()
    client.feed(page)
    # The space too: a line's height comes from the family's face that holds it.
    title = sorted((client.text | {" "}) & set(BASIC_LATIN))
    rest = [c for c in BASIC_LATIN if c not in title]
    with open(style_path, encoding="utf-8") as f:
        style = f.read()
    for source in sources:
        name = os.path.splitext(os.path.basename(source))[0]
        subset(source, title, os.path.join(fonts, f"{name}-title.woff2"))
        subset(source, rest, os.path.join(fonts, f"{name}.woff2"))
        face = re.search(r"@font-face \{[^}]*fonts/" + re.escape(name) + r"\.woff2[^}]*\}", style)
        if not face:
            sys.exit(f"site_fonts.py: {style_path} declares no face from fonts/{name}.woff2")
        whole = face.group(0)

        def limited(rule, characters):
            return rule.replace("\n}", f"\n  unicode-range: {unicode_range(characters)};\n}}")
        parts = [limited(whole.replace(f"{name}.woff2", f"{name}-title.woff2"), title),
                 limited(whole, rest)]
        style = style.replace(whole, "\n".join(parts))
        page = page.replace(f'<link rel="preload" href="fonts/{name}.woff2"',
                            f'<link rel="preload" href="fonts/{name}-title.woff2"')
    with open(style_path, "w", encoding="utf-8") as f:
        f.write(style)
    with open(page_path, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main(sys.argv)
