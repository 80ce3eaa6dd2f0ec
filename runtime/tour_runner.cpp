#include "runtime/tour_runner.h"

#include "runtime/click_action.h"

namespace varn {

TourRunner::TourRunner(Platform& platform, std::span<const Scene* const> scenes,
                       ErrorHandler onError, const PlatformWrapper& wrap)
    : onError_(std::move(onError)), wrapper_(wrap ? wrap(platform) : nullptr),
      manager_(wrapper_ ? *wrapper_ : platform, scenes) {}

void TourRunner::Click(SceneId scene, const ClickAction& action) {
    try {
        RunClickAction(manager_, scene, action);
    } catch (const RuntimeError& error) {
        onError_(error);
    }
}

} // namespace varn
