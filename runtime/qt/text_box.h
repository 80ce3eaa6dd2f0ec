// A multi-line message box: shows its text with its line breaks, wraps long
// lines between words, and can be read, selected and copied but not edited.
#pragma once

#include "runtime/scene.h"

#include <QPlainTextEdit>

namespace varn::qt {

class TextBox : public QPlainTextEdit {
  public:
    TextBox(const SceneItem& item, QWidget* parent);
};

} // namespace varn::qt
