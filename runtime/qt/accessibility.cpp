#include "runtime/qt/accessibility.h"

#include "runtime/qt/accessible_marker_button.h"
#include "runtime/qt/accessible_scene_window.h"
#include "runtime/qt/accessible_text_box.h"
#include "runtime/qt/picture_box.h"
#include "runtime/qt/scene_button.h"
#include "runtime/qt/scene_window.h"
#include "runtime/qt/text_box.h"

namespace varn::qt {

namespace {

// Asked first for every object assistive technology reaches; anything not of
// the tour's own is left to the toolkit.
QAccessibleInterface* TourInterfaces(const QString&, QObject* object) {
    if (auto* window = dynamic_cast<SceneWindow*>(object))
        return new AccessibleSceneWindow(*window);
    if (auto* box = dynamic_cast<TextBox*>(object))
        return new AccessibleTextBox(*box);
    if (auto* button = dynamic_cast<SceneButton*>(object);
        button != nullptr && button->Item().action.kind == ClickAction::Kind::ToggleMarker)
        return new AccessibleMarkerButton(*button);
    if (auto* picture = dynamic_cast<PictureBox*>(object))
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void InstallSceneAccessibility() {
    static const bool installed = (QAccessible::installFactory(TourInterfaces), true);
    (void)installed;
}

void AnnounceCaptionChange(SceneWindow& window, const SceneItem& label) {
    if (!QAccessible::isActive())
        return;
    auto* scene =
        dynamic_cast<AccessibleSceneWindow*>(QAccessible::queryAccessibleInterface(&window));
    if (scene == nullptr)
        return;
    if (QAccessibleInterface* iface = scene->ItemInterface(label)) {
        QAccessibleEvent event(iface, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    // Screen readers drop a label's new name, but speak a focused button's
    // new state: the marker tells whether its words are now shown.
    QAccessible::State checked;
    checked.checked = true;
    for (const SceneItem& item : window.Record().items)
        if (item.action.kind == ClickAction::Kind::ToggleMarker &&
            item.action.markerLabel == label.name)
            if (QAccessibleInterface* marker = scene->ItemInterface(item)) {
                QAccessibleStateChangeEvent event(marker, checked);
                QAccessible::updateAccessibility(&event);
            }
}

} // namespace varn::qt
