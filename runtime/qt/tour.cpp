#include "runtime/qt/tour.h"

namespace varn::qt {

Tour::Tour(std::span<const Scene* const> scenes, TourRunner::ErrorHandler onError,
           std::function<void()> onClose, const PlatformWrapper& wrap)
    : platform_([this](SceneId scene, const ClickAction& action) { runner_.Click(scene, action); },
                std::move(onClose)),
      runner_(platform_, scenes, std::move(onError), wrap) {}

} // namespace varn::qt
