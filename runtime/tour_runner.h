// The running tour, whatever draws it: the scene manager on a platform's
// windows, with the clicks those windows report run as their items' actions.
// A run-time error stops the action where it failed and is handed to the
// error handler, so that it never crosses the window system's event loop.
#pragma once

#include "runtime/platform.h"
#include "runtime/runtime_error.h"
#include "runtime/scene_manager.h"

#include <functional>
#include <memory>
#include <span>

namespace varn {

class TourRunner {
  public:
    using ErrorHandler = std::function<void(const RuntimeError&)>;
    // Lets tests put a wrapper between the scene manager and the windows.
    using PlatformWrapper = std::function<std::unique_ptr<Platform>(Platform&)>;

    TourRunner(Platform& platform, std::span<const Scene* const> scenes, ErrorHandler onError,
               const PlatformWrapper& wrap = {});

    // Shows the title scene. Raises RuntimeError if the window system fails.
    void Start() { manager_.Start(); }
    // Runs a clicked item's action; a failure goes to the error handler.
    void Click(SceneId scene, const ClickAction& action);

    SceneManager& Manager() { return manager_; }

  private:
    ErrorHandler onError_;
    std::unique_ptr<Platform> wrapper_;
    SceneManager manager_;
};

} // namespace varn
