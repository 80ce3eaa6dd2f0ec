// A scene window as assistive technology sees it: a frame named by its title
// whose children are its items in listing order, the painted labels among
// the buttons, text boxes and picture. Shapes and lines are left out: they
// are drawing, not content.
#pragma once

#include "runtime/scene.h"

#include <QAccessibleWidget>

#include <map>
#include <string_view>
#include <vector>

namespace varn::qt {

class SceneWindow;

class AccessibleSceneWindow : public QAccessibleWidget {
  public:
    explicit AccessibleSceneWindow(SceneWindow& window);
    ~AccessibleSceneWindow() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessible::Role role() const override;
    QString text(QAccessible::Text type) const override;

    // The interface of one of the window's items, or null for a shape, a line
    // or a widget not built yet.
    QAccessibleInterface* ItemInterface(const SceneItem& item) const;

  private:
    SceneWindow& Window() const;

    std::vector<const SceneItem*> items_;                // what is shown to assistive technology
    std::map<const SceneItem*, QAccessible::Id> labels_; // the labels' interfaces, owned here
};

} // namespace varn::qt
