"""The lines the page breaks each caption, label and message of a scene into,
as the engine lays them out: the words of each item grouped by the line box
Range.getClientRects() puts them on. A text box's value is not in the page's
text, so a copy of the box (same classes, same width, its text as the page's
own) stands in for it while it is measured. check_lines compares them with
the shared table (tests/support/lines.json)."""

import tour

LINES = """
const scene = document.querySelector(`section[data-scene='${arguments[0]}']`);
const lines = {};
function read(element, name) {
    const text = element.firstChild;
    if (!text || text.nodeType !== Node.TEXT_NODE) return;
    const found = [];
    const words = /\\S+/g;
    for (let match; (match = words.exec(text.data));) {
        const range = document.createRange();
        range.setStart(text, match.index);
        range.setEnd(text, match.index + match[0].length);
        // A word starting a line may get an empty box at the end of the line
        // before too (WebKit): its inked box is the last one.
        const boxes = [...range.getClientRects()].filter(box => box.width > 0);
        const top = Math.round(boxes[boxes.length - 1].top);
        const last = found[found.length - 1];
        if (last && Math.abs(last.top - top) < 2) last.words.push(match[0]);
        else found.push({top, words: [match[0]]});
    }
    lines[name] = found.map(line => line.words.join(' '));
}
for (const item of scene.querySelectorAll('.item[data-name]')) {
    if (item.localName !== 'textarea') { read(item, item.dataset.name); continue; }
    const copy = document.createElement('div');
    copy.className = item.className;
    copy.style.cssText = item.style.cssText;
    copy.style.whiteSpace = 'pre-wrap';
    copy.style.overflowWrap = 'break-word';
    copy.style.visibility = 'hidden';
    copy.textContent = item.value;
    item.after(copy);
    read(copy, item.dataset.name);
    copy.remove();
}
return lines;
"""


def page_lines(page, scene_id):
    """{item name: [line, ...]} for every item of the scene showing words."""
    return page.js(LINES, scene_id)


def wanted_lines(table_lines):
    """A table's lines as the page's words read them: runs of spaces as one."""
    return [" ".join(line.split()) for line in table_lines]


def check_lines(checks, page, scene_id, where):
    """The shared table's lines for every item with words, each marker label's
    while its button shows it."""
    wanted = {name: wanted_lines(lines)
              for name, lines in tour.text_lines(scene_id).items()}
    got = page_lines(page, scene_id)
    for entry in tour.SCENES[scene_id]["items"]:
        if (entry["action"] or {}).get("kind") == "ToggleMarker":
            page.click_item(scene_id, entry["rect"])
            page.settle()
            label = entry["action"]["label"]
            got[label] = page_lines(page, scene_id).get(label)
            page.click_item(scene_id, entry["rect"])
            page.settle()
    checks.equal(f"{where}: lines of the words", got, wanted)
