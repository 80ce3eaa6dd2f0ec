#include "runtime/qt/accessible_scene_window.h"

#include "runtime/accessible_text.h"
#include "runtime/qt/accessible_label.h"
#include "runtime/qt/scene_window.h"
#include "runtime/qt/units.h"

namespace varn::qt {

AccessibleSceneWindow::AccessibleSceneWindow(SceneWindow& window)
    : QAccessibleWidget(&window, QAccessible::Window) {
    // Built from the scene record alone: the toolkit may ask for this while
    // the window is still being built, before its child widgets exist.
    for (const SceneItem& item : window.Record().items) {
        if (!IsAccessible(item))
            continue;
        items_.push_back(&item);
        if (item.kind == ItemKind::Label)
            labels_[&item] =
                QAccessible::registerAccessibleInterface(new AccessibleLabel(window, item));
    }
}

AccessibleSceneWindow::~AccessibleSceneWindow() {
    for (const auto& [item, id] : labels_)
        QAccessible::deleteAccessibleInterface(id);
}

SceneWindow& AccessibleSceneWindow::Window() const {
    return static_cast<SceneWindow&>(*widget());
}

// An ending is an alert, whose description a screen reader reads as the window
// opens; every other place is a dialog, whose description it reads likewise
// (a frame's it would not).
QAccessible::Role AccessibleSceneWindow::role() const {
    return Window().Record().ending ? QAccessible::AlertMessage : QAccessible::Dialog;
}

QString AccessibleSceneWindow::text(QAccessible::Text type) const {
    if (type == QAccessible::Description)
        return QString::fromStdString(WindowDescription(Window().Record()));
    return QAccessibleWidget::text(type);
}

QAccessibleInterface* AccessibleSceneWindow::ItemInterface(const SceneItem& item) const {
    if (auto label = labels_.find(&item); label != labels_.end())
        return QAccessible::accessibleInterface(label->second);
    auto* widget = Window().findChild<QWidget*>(ToQString(item.name), Qt::FindDirectChildrenOnly);
    return widget != nullptr ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

int AccessibleSceneWindow::childCount() const {
    return int(items_.size());
}

QAccessibleInterface* AccessibleSceneWindow::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    return ItemInterface(*items_[std::size_t(index)]);
}

int AccessibleSceneWindow::indexOfChild(const QAccessibleInterface* child) const {
    for (int index = 0; index < childCount(); ++index)
        if (child != nullptr && AccessibleSceneWindow::child(index) == child)
            return index;
    return -1;
}

QAccessibleInterface* AccessibleSceneWindow::childAt(int x, int y) const {
    const QPoint point = Window().mapFromGlobal(QPoint(x, y));
    // Windowed items lie above everything painted, the last built on top.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if ((*it)->kind != ItemKind::Label && ToQRect((*it)->rect).contains(point))
            return ItemInterface(**it);
    const SceneItem* label = Window().LabelAt(point);
    return label != nullptr ? ItemInterface(*label) : nullptr;
}

} // namespace varn::qt
