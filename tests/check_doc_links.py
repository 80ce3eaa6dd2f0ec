#!/usr/bin/python3
"""Checks the links of README.md and docs/*.md: every relative link and image
must point at a file or folder that exists, and every anchor (#heading, or
page.md#heading) must name a heading of that page, by GitHub's rule for
heading ids. Links inside code are not links. Prints each broken one as
FILE:LINE: what is wrong, and exits 1 if there is any.

Usage: check_doc_links.py SOURCE_DIR
"""
import re
import sys
import unicodedata
from pathlib import Path

FENCE = re.compile(r"^\s*(```|~~~)")
HEADING = re.compile(r"^ {0,3}(#{1,6})\s+(.*?)\s*#*\s*$")
CODE_SPAN = re.compile(r"(`+)(.+?)\1")
# [text](target) and ![alt](target); the text may hold an image, one level deep.
LINK = re.compile(r"!?\[(?:[^\[\]]|\[[^\]]*\])*\]\(\s*(<[^>]*>|[^)\s]*)(?:\s+\"[^\"]*\")?\s*\)")
HTML_LINK = re.compile(r"<(?:a|img)\b[^>]*?\b(?:href|src)\s*=\s*\"([^\"]*)\"", re.IGNORECASE)
EXTERNAL = re.compile(r"^[a-zA-Z][a-zA-Z0-9+.-]*:|^//")


def prose_lines(text):
    """(line number, line) outside fenced code blocks, code spans blanked."""
    fenced = False
    for number, line in enumerate(text.splitlines(), 1):
        if FENCE.match(line):
            fenced = not fenced
            continue
        if not fenced:
            yield number, CODE_SPAN.sub(lambda m: " " * len(m.group(0)), line)


def slug(heading):
    """GitHub's id for a heading: its text as shown, lowercased, without
    punctuation but hyphens and underscores, spaces turned into hyphens."""
    text = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", heading)  # a link shows its text
    text = re.sub(r"<[^>]+>", "", text).replace("`", "")
    kept = []
    for c in text.lower():
        if c.isalnum() or c in " -_" or unicodedata.category(c).startswith("M"):
            kept.append(c)
    return "".join(kept).replace(" ", "-")


def heading_ids(page):
    """The ids of a page's headings; a repeated one gets -1, -2, …"""
    ids, seen = set(), {}
    fenced = False
    for line in page.read_text(encoding="utf-8").splitlines():
        if FENCE.match(line):
            fenced = not fenced
            continue
        match = None if fenced else HEADING.match(line)
        if match:
            base = slug(match.group(2))
            count = seen.get(base, 0)
            seen[base] = count + 1
            ids.add(base if count == 0 else f"{base}-{count}")
    return ids


def check(page, root, ids_of):
    """The broken links of one page, and how many links it has."""
    problems, count = [], 0
    for number, line in prose_lines(page.read_text(encoding="utf-8")):
        targets = [m.group(1) for m in LINK.finditer(line)]
        targets += [m.group(1) for m in HTML_LINK.finditer(line)]
        for target in targets:
            target = target.strip("<>")
            if not target or EXTERNAL.match(target):
                continue
            count += 1
            path, _, anchor = target.partition("#")
            where = f"{page.relative_to(root)}:{number}"
            linked = (page.parent / path).resolve() if path else page
            if not linked.exists():
                problems.append(f"{where}: {target}: no such file")
                continue
            if not anchor:
                continue
            if linked.suffix != ".md" or not linked.is_file():
                problems.append(f"{where}: {target}: an anchor into a file that is not a page")
            elif anchor not in ids_of(linked):
                problems.append(f"{where}: {target}: no heading with the id '{anchor}'")
    return problems, count


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = Path(sys.argv[1]).resolve()
    pages = [root / "README.md"] + sorted((root / "docs").glob("*.md"))
    cache = {}

    def ids_of(page):
        if page not in cache:
            cache[page] = heading_ids(page)
        return cache[page]

    problems, links = [], 0
    for page in pages:
        found, count = check(page, root, ids_of)
        problems += found
        links += count
    for problem in problems:
        print(problem)
    print(f"{len(pages)} pages, {links} relative links checked, {len(problems)} broken")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
