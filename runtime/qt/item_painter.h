// Paints the drawn kinds (labels, shapes, lines) onto a scene window's client
// area. Windowed kinds are child widgets and paint themselves above these.
#pragma once

#include "runtime/scene.h"

#include <QPalette>
#include <QString>

class QPainter;

namespace varn::qt {

void PaintLabel(QPainter& painter, const SceneItem& item, const QString& caption,
                const QPalette& palette);
void PaintShape(QPainter& painter, const SceneItem& item, const QPalette& palette);
void PaintLine(QPainter& painter, const SceneItem& item, const QPalette& palette);

} // namespace varn::qt
