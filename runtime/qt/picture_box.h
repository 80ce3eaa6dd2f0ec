// A framed box showing a bitmap at its own size from the inner top-left
// corner; whatever does not fit inside the frame is cut off.
#pragma once

#include <QFrame>
#include <QImage>

namespace varn::qt {

class PictureBox : public QFrame {
  public:
    PictureBox(QImage picture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

} // namespace varn::qt
