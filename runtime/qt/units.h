// Twips and &H00BBGGRR colours in Qt's terms. Qt lays out in device-independent
// pixels (96 per inch) and scales them to the screen, so 15 twips make one.
#pragma once

#include "runtime/scene.h"

#include <QColor>
#include <QLine>
#include <QRect>
#include <QString>

#include <cmath>

namespace varn::qt {

inline constexpr double kTwipsPerPixel = 15.0;

inline int ToPixels(int twips) {
    return int(std::lround(twips / kTwipsPerPixel));
}

inline QRect ToPixels(TwipRect r) {
    return {ToPixels(r.left), ToPixels(r.top), ToPixels(r.width), ToPixels(r.height)};
}

inline QLine ToPixels(TwipLine l) {
    return {ToPixels(l.x1), ToPixels(l.y1), ToPixels(l.x2), ToPixels(l.y2)};
}

inline QColor ToQColor(Colour c) {
    return QColor(c.Red(), c.Green(), c.Blue());
}

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace varn::qt
