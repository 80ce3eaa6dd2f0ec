// A push button drawn from its item: the platform's bevel, a face of its own
// colour in graphical style, and a caption that wraps between words and is
// centred as a block.
#pragma once

#include "runtime/scene.h"

#include <QPushButton>
#include <QStringList>

namespace varn::qt {

class SceneButton : public QPushButton {
  public:
    SceneButton(const SceneItem& item, QWidget* parent);

    const SceneItem& Item() const { return item_; }
    // The lines the caption is drawn in, inside the bevel.
    QStringList CaptionLines() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const SceneItem& item_;
};

} // namespace varn::qt
