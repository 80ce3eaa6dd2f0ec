// Paints the drawn kinds (labels, shapes, lines) onto a scene window's client
// area. Windowed kinds are child widgets and paint themselves above these.
#pragma once

#include "runtime/scene.h"

#include <QPalette>
#include <QString>
#include <QStringList>

class QPainter;

namespace varn::qt {

// The lines a label's caption is drawn in.
QStringList LabelLines(const SceneItem& item, const QString& caption);

void PaintLabel(QPainter& painter, const SceneItem& item, const QString& caption,
                const QPalette& palette);
void PaintShape(QPainter& painter, const SceneItem& item, const QPalette& palette);
void PaintLine(QPainter& painter, const SceneItem& item, const QPalette& palette);

} // namespace varn::qt
