#include "runtime/qt/picture_box.h"

#include <QPainter>

namespace varn::qt {

PictureBox::PictureBox(QImage picture, QWidget* parent)
    : QFrame(parent), picture_(std::move(picture)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // Out of the tab order: the picture has nothing to do with the keyboard.
    setFocusPolicy(Qt::ClickFocus);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    painter.drawImage(inside.topLeft(), picture_);
}

} // namespace varn::qt
