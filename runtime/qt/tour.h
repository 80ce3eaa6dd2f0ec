// The running program: the Qt windows and the scene manager wired together.
// Clicks run their item's action; a run-time error stops the action where it
// failed and is handed to `onError`; closing the visible window ends the tour.
#pragma once

#include "runtime/qt/qt_platform.h"
#include "runtime/runtime_error.h"
#include "runtime/scene_manager.h"

#include <functional>
#include <memory>

namespace varn::qt {

class Tour {
  public:
    using ErrorHandler = std::function<void(const RuntimeError&)>;

    // Lets tests put a wrapper between the scene manager and the windows.
    using PlatformWrapper = std::function<std::unique_ptr<varn::Platform>(varn::Platform&)>;

    Tour(std::span<const Scene* const> scenes, ErrorHandler onError, std::function<void()> onClose,
         const PlatformWrapper& wrap = {});

    // Shows the title scene. Raises RuntimeError if the window system fails.
    void Start() { manager_.Start(); }

    SceneManager& Manager() { return manager_; }
    SceneWindow* Window(SceneId id) const { return platform_.Window(id); }

  private:
    void OnClick(SceneId scene, const ClickAction& action);

    ErrorHandler onError_;
    QtPlatform platform_;
    std::unique_ptr<varn::Platform> wrapper_;
    SceneManager manager_;
};

} // namespace varn::qt
