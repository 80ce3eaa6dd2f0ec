#include "runtime/qt/accessible_marker_button.h"

#include "runtime/qt/scene_button.h"
#include "runtime/qt/scene_window.h"

namespace varn::qt {

AccessibleMarkerButton::AccessibleMarkerButton(SceneButton& button)
    : QAccessibleWidget(&button, QAccessible::CheckBox) {}

SceneButton& AccessibleMarkerButton::Button() const {
    return static_cast<SceneButton&>(*widget());
}

QAccessible::State AccessibleMarkerButton::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    const auto* window = dynamic_cast<const SceneWindow*>(Button().parentWidget());
    state.checked =
        window != nullptr && !window->Caption(Button().Item().action.markerLabel).isEmpty();
    return state;
}

QStringList AccessibleMarkerButton::actionNames() const {
    return {pressAction(), toggleAction(), setFocusAction()};
}

// Pressing and toggling are both a click: the click is what toggles the words.
void AccessibleMarkerButton::doAction(const QString& actionName) {
    if (actionName == pressAction() || actionName == toggleAction())
        Button().click();
    else
        QAccessibleWidget::doAction(actionName);
}

} // namespace varn::qt
