#include "runtime/qt/item_painter.h"

#include "runtime/qt/fonts.h"
#include "runtime/qt/palette_roles.h"

#include <QPainter>

namespace varn::qt {

namespace {

Qt::Alignment HorizontalAlignment(Alignment a) {
    switch (a) {
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QRect CentredSquare(const QRect& r) {
    return ToQRect(varn::CentredSquare({r.left(), r.top(), r.width(), r.height()}));
}

} // namespace

QStringList LabelLines(const SceneItem& item, const QString& caption) {
    return WrappedLines(caption, ItemFont(item.font), ToQRect(item.rect).width());
}

void PaintLabel(QPainter& painter, const SceneItem& item, const QString& caption,
                const QPalette& palette) {
    const QRect r = ToQRect(item.rect);
    painter.save();
    painter.setClipRect(r);
    if (item.backStyle == BackStyle::Opaque)
        painter.fillRect(r, palette.color(kFaceRole));
    painter.setFont(ItemFont(item.font));
    painter.setPen(Resolve(item.foreColor, palette, kButtonTextRole));
    painter.drawText(r, Qt::AlignTop | HorizontalAlignment(item.alignment),
                     LabelLines(item, caption).join(QLatin1Char('\n')));
    painter.restore();
}

void PaintShape(QPainter& painter, const SceneItem& item, const QPalette& palette) {
    const QRect r = ToQRect(item.rect);
    painter.save();
    painter.setPen(QPen(palette.color(kWindowTextRole), 1));
    painter.setBrush(Qt::NoBrush);
    // A 1-pixel outline drawn on the rectangle's outermost pixels.
    auto outline = [](const QRect& box) { return box.adjusted(0, 0, -1, -1); };
    switch (item.shape) {
    case ShapeType::Rectangle:
        painter.drawRect(outline(r));
        break;
    case ShapeType::Circle:
        painter.drawEllipse(outline(CentredSquare(r)));
        break;
    case ShapeType::RoundedRectangle: {
        const int radius = CornerRadius(r.width(), r.height());
        painter.drawRoundedRect(outline(r), radius, radius);
        break;
    }
    case ShapeType::RoundedSquare: {
        const QRect square = CentredSquare(r);
        const int radius = CornerRadius(square.width(), square.height());
        painter.drawRoundedRect(outline(square), radius, radius);
        break;
    }
    }
    painter.restore();
}

void PaintLine(QPainter& painter, const SceneItem& item, const QPalette& palette) {
    painter.save();
    painter.setPen(QPen(palette.color(kWindowTextRole), item.borderWidth, Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(ToQLine(item.line));
    painter.restore();
}

} // namespace varn::qt
