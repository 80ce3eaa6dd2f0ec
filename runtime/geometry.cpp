#include "runtime/geometry.h"

#include <algorithm>
#include <cstdlib>

namespace varn {

int TwipsToPixels(int twips, int dpi) {
    const long long scaled = 2LL * twips * dpi;
    const long long twipsPerInch2 = 2LL * 1440;
    // Round half away from zero, in integers so every platform agrees.
    const long long magnitude = (std::llabs(scaled) + twipsPerInch2 / 2) / twipsPerInch2;
    return int(scaled < 0 ? -magnitude : magnitude);
}

PixelRect ToPixels(TwipRect r, int dpi) {
    return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
            TwipsToPixels(r.height, dpi)};
}

PixelLine ToPixels(TwipLine l, int dpi) {
    return {TwipsToPixels(l.x1, dpi), TwipsToPixels(l.y1, dpi), TwipsToPixels(l.x2, dpi),
            TwipsToPixels(l.y2, dpi)};
}

int ScalePixels(int pixels, int dpi) {
    return std::max(1, (pixels * dpi + kBaseDpi / 2) / kBaseDpi);
}

PixelRect PaintedArea(const SceneItem& item, int dpi) {
    if (item.kind != ItemKind::Line)
        return ToPixels(item.rect, dpi);
    const PixelLine l = ToPixels(item.line, dpi);
    const int pen = ScalePixels(item.borderWidth, dpi);
    return {std::min(l.x1, l.x2) - pen, std::min(l.y1, l.y2) - pen,
            std::abs(l.x2 - l.x1) + 1 + 2 * pen, std::abs(l.y2 - l.y1) + 1 + 2 * pen};
}

PixelRect CentredSquare(const PixelRect& r) {
    const int side = std::min(r.width, r.height);
    return {r.left + (r.width - side) / 2, r.top + (r.height - side) / 2, side, side};
}

int CornerRadius(int width, int height) {
    return std::max(2, std::min(width, height) / 4);
}

const SceneItem* LabelAt(const Scene& scene, int x, int y, int dpi) {
    for (auto it = scene.items.rbegin(); it != scene.items.rend(); ++it)
        if (it->kind == ItemKind::Label && ToPixels(it->rect, dpi).Contains(x, y))
            return &*it;
    return nullptr;
}

std::vector<const SceneItem*> TabOrder(const Scene& scene) {
    std::vector<const SceneItem*> order;
    for (const SceneItem& item : scene.items)
        if (item.kind == ItemKind::CommandButton || item.kind == ItemKind::TextBox)
            order.push_back(&item);
    std::stable_sort(order.begin(), order.end(), [](const SceneItem* a, const SceneItem* b) {
        return a->tabIndex < b->tabIndex;
    });
    return order;
}

Origin CentredOrigin(const PixelRect& area, int width, int height) {
    return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2};
}

} // namespace varn
