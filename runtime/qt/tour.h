// The running program on Qt: the scene windows and the scene manager wired
// together. Clicks run their item's action; a run-time error stops the action
// where it failed and is handed to `onError`; closing the visible window ends
// the tour.
#pragma once

#include "runtime/qt/qt_platform.h"
#include "runtime/tour_runner.h"

#include <functional>

namespace varn::qt {

class Tour {
  public:
    using PlatformWrapper = TourRunner::PlatformWrapper;

    Tour(std::span<const Scene* const> scenes, TourRunner::ErrorHandler onError,
         std::function<void()> onClose, const PlatformWrapper& wrap = {});

    // Shows the title scene. Raises RuntimeError if the window system fails.
    void Start() { runner_.Start(); }

    SceneManager& Manager() { return runner_.Manager(); }
    SceneWindow* Window(SceneId id) const { return platform_.Window(id); }

  private:
    QtPlatform platform_;
    TourRunner runner_;
};

} // namespace varn::qt
