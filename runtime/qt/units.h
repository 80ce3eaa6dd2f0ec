// Twips and &H00BBGGRR colours in Qt's terms. Qt lays out in device-independent
// pixels (96 per inch) and scales them to the screen, so 15 twips make one.
#pragma once

#include "runtime/geometry.h"
#include "runtime/scene.h"

#include <QColor>
#include <QLine>
#include <QRect>
#include <QString>

namespace varn::qt {

inline QRect ToQRect(const PixelRect& r) {
    return {r.left, r.top, r.width, r.height};
}

inline QRect ToQRect(TwipRect r) {
    return ToQRect(ToPixels(r));
}

inline QLine ToQLine(TwipLine l) {
    const PixelLine p = ToPixels(l);
    return {p.x1, p.y1, p.x2, p.y2};
}

inline QColor ToQColor(Colour c) {
    return QColor(c.Red(), c.Green(), c.Blue());
}

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace varn::qt
