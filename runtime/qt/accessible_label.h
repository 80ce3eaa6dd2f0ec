// A painted label as assistive technology sees it: named by its current
// caption, placed where it is drawn. A label with a click action is a button
// whose press runs that action, as a mouse click on it does; any other label
// is static text. It never takes the keyboard focus.
#pragma once

#include "runtime/accessible_text.h"
#include "runtime/scene.h"

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>

namespace varn::qt {

class SceneWindow;

class AccessibleLabel : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    AccessibleLabel(SceneWindow& window, const SceneItem& item);

    // Lives no longer than its window: the window's interface deletes it.
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    bool Clickable() const { return IsPressableLabel(item_); }

    SceneWindow& window_;
    const SceneItem& item_;
};

} // namespace varn::qt
