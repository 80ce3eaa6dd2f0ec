#include "runtime/qt/tour.h"

#include "runtime/click_action.h"

namespace varn::qt {

Tour::Tour(std::span<const Scene* const> scenes, ErrorHandler onError,
           std::function<void()> onClose, const PlatformWrapper& wrap)
    : onError_(std::move(onError)),
      platform_([this](SceneId scene, const ClickAction& action) { OnClick(scene, action); },
                std::move(onClose)),
      wrapper_(wrap ? wrap(platform_) : nullptr),
      manager_(wrapper_ ? *wrapper_ : platform_, scenes) {}

void Tour::OnClick(SceneId scene, const ClickAction& action) {
    // The error must not cross the toolkit's event loop, so it stops here.
    try {
        RunClickAction(manager_, scene, action);
    } catch (const RuntimeError& error) {
        onError_(error);
    }
}

} // namespace varn::qt
