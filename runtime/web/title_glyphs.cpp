#include "runtime/web/title_glyphs.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace varn::web {

namespace {

// Each picture covers the box's face inside its 2-pixel edge, 12 by 10
// pixels; '#' is drawn.
using Glyph = std::array<std::string_view, 10>;

constexpr Glyph kMinimise = {"............", "............", "............", "............",
                             "............", "............", "............", "..######....",
                             "..######....", "............"};
constexpr Glyph kMaximise = {".#########..", ".#########..", ".#.......#..", ".#.......#..",
                             ".#.......#..", ".#.......#..", ".#.......#..", ".#.......#..",
                             ".#########..", "............"};
constexpr Glyph kRestore = {"...######...", "...######...", "...#....#...", ".######.#...",
                            ".######.#...", ".#....###...", ".#....#.....", ".#....#.....",
                            ".######.....", "............"};
constexpr Glyph kClose = {"............", "..##....##..", "...##..##...", "....####....",
                          ".....##.....", "....####....", "...##..##...", "..##....##..",
                          "............", "............"};

// One closed rectangle per run of drawn pixels in a row: the path's edges
// all lie on whole pixels, so nothing is left to smooth.
std::string PathOf(const Glyph& glyph) {
    std::string path;
    for (std::size_t y = 0; y < glyph.size(); ++y) {
        const std::string_view row = glyph[y];
        for (std::size_t x = row.find('#'); x != std::string_view::npos; x = row.find('#', x)) {
            const std::size_t end = std::min(row.find('.', x), row.size());
            const std::string run = std::to_string(end - x);
            path +=
                "M" + std::to_string(x) + " " + std::to_string(y) + "h" + run + "v1h-" + run + "z";
            x = end;
        }
    }
    return path;
}

void AddPath(dom::Node svg, const Glyph& glyph, const char* cssClass) {
    const dom::Node path = dom::Create("path", svg, dom::Namespace::Svg);
    dom::SetAttribute(path, "d", PathOf(glyph));
    if (cssClass != nullptr)
        dom::SetAttribute(path, "class", cssClass);
}

} // namespace

void DrawTitleGlyph(dom::Node box, TitleBox kind) {
    const dom::Node svg = dom::Create("svg", box, dom::Namespace::Svg);
    dom::SetAttribute(svg, "class", "glyph");
    dom::SetAttribute(svg, "aria-hidden", "true");
    dom::SetAttribute(svg, "width", "12");
    dom::SetAttribute(svg, "height", "10");
    dom::SetAttribute(svg, "viewBox", "0 0 12 10");
    switch (kind) {
    case TitleBox::Minimise:
        AddPath(svg, kMinimise, nullptr);
        break;
    case TitleBox::Maximise:
        AddPath(svg, kMaximise, "when-restored");
        AddPath(svg, kRestore, "when-maximised");
        break;
    case TitleBox::Close:
        AddPath(svg, kClose, nullptr);
        break;
    }
}

} // namespace varn::web
