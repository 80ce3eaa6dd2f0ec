// The position marker as assistive technology sees it: a button that is on
// while its label shows the words, pressed to toggle them. Qt's bridge to the
// desktop's accessibility bus has no toggle-button role, so it is a check box
// there, checked while the words are shown. The button itself stays a plain
// push button, so that it looks and clicks as every other.
#pragma once

#include <QAccessibleWidget>

namespace varn::qt {

class SceneButton;

class AccessibleMarkerButton : public QAccessibleWidget {
  public:
    explicit AccessibleMarkerButton(SceneButton& button);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

  private:
    SceneButton& Button() const;
};

} // namespace varn::qt
