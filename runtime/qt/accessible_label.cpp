#include "runtime/qt/accessible_label.h"

#include "runtime/qt/scene_window.h"
#include "runtime/qt/units.h"

#include <QMetaObject>

namespace varn::qt {

AccessibleLabel::AccessibleLabel(SceneWindow& window, const SceneItem& item)
    : window_(window), item_(item) {}

QWindow* AccessibleLabel::window() const {
    return window_.windowHandle();
}

QAccessibleInterface* AccessibleLabel::parent() const {
    return QAccessible::queryAccessibleInterface(&window_);
}

QString AccessibleLabel::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? window_.Caption(item_.name) : QString();
}

QRect AccessibleLabel::rect() const {
    // Kept while the window is hidden too: the accessibility bridge offers a
    // position only for objects with a non-empty rectangle, and a screen
    // reader keeps what it was offered when it first met the object.
    const QRect area = ToQRect(item_.rect);
    return {window_.mapToGlobal(area.topLeft()), area.size()};
}

QAccessible::Role AccessibleLabel::role() const {
    return Clickable() ? QAccessible::Button : QAccessible::StaticText;
}

QAccessible::State AccessibleLabel::state() const {
    QAccessible::State state;
    state.invisible = !window_.isVisible();
    return state;
}

void* AccessibleLabel::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface && Clickable())
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList AccessibleLabel::actionNames() const {
    return Clickable() ? QStringList{pressAction()} : QStringList{};
}

void AccessibleLabel::doAction(const QString& actionName) {
    if (actionName != pressAction() || !Clickable())
        return;
    // The click runs once the request has been answered, from the event loop,
    // as a mouse click does: a transition (or an error message box) must not
    // hold up the screen reader that asked for it.
    QMetaObject::invokeMethod(
        &window_, [window = &window_, item = &item_] { window->RunClick(*item); },
        Qt::QueuedConnection);
}

} // namespace varn::qt
