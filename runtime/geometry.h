// Where things go, in pixels, whatever window system draws them: twips turned
// into pixels at a screen resolution, the shapes' squares and corners, which
// label a point falls in, the order Tab walks, and where a centred window goes.
#pragma once

#include "runtime/scene.h"

#include <vector>

namespace varn {

// The resolution the scenes were drawn at: 15 twips make one pixel.
inline constexpr int kBaseDpi = 96;

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;

    constexpr int Right() const { return left + width; }
    constexpr int Bottom() const { return top + height; }
    constexpr bool Contains(int x, int y) const {
        return x >= left && x < Right() && y >= top && y < Bottom();
    }
    constexpr bool operator==(const PixelRect&) const = default;
};

struct PixelLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Twips to pixels at `dpi` dots per inch, to the nearest pixel (halves away
// from zero), so that 96 dpi gives exactly twips / 15.
int TwipsToPixels(int twips, int dpi = kBaseDpi);
PixelRect ToPixels(TwipRect r, int dpi = kBaseDpi);
PixelLine ToPixels(TwipLine l, int dpi = kBaseDpi);
// A length given in pixels at 96 dpi (a line's width) at another resolution;
// never less than one pixel.
int ScalePixels(int pixels, int dpi);

// Where a drawn item puts paint: its rectangle, or the box of a line's two
// ends widened by its pen on every side. A repaint leaves items outside alone.
PixelRect PaintedArea(const SceneItem& item, int dpi = kBaseDpi);

// A square of the shorter side, centred in the rectangle: the box of circles
// and rounded squares.
PixelRect CentredSquare(const PixelRect& r);
// The radius of the corners of rounded rectangles and squares: a quarter of
// the shorter side.
int CornerRadius(int width, int height);

// The topmost label whose rectangle holds the point, or null. Later items are
// painted over earlier ones, so the last match in listing order is on top.
const SceneItem* LabelAt(const Scene& scene, int x, int y, int dpi = kBaseDpi);

// The items that take keyboard focus, by increasing tab index: the order Tab
// walks. Buttons and text boxes; the picture box keeps its tab position but
// has no tab stop, since there is nothing to do with it from the keyboard.
std::vector<const SceneItem*> TabOrder(const Scene& scene);

// The top-left corner that centres a window of this outer size in the area.
struct Origin {
    int x = 0, y = 0;
    constexpr bool operator==(const Origin&) const = default;
};
Origin CentredOrigin(const PixelRect& area, int width, int height);

} // namespace varn
