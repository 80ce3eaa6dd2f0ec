#include "runtime/qt/accessibility.h"

#include "runtime/qt/accessible_scene_window.h"
#include "runtime/qt/accessible_text_box.h"
#include "runtime/qt/picture_box.h"
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
}

} // namespace varn::qt
