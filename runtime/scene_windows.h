// The windows a platform has built, one per scene, and the lookups every
// platform makes of them, failing the same way everywhere: a scene whose
// window does not exist yet, or a label the scene does not have. `Window`
// is the platform's scene window; it answers HasLabel(name).
#pragma once

#include "runtime/platform.h"
#include "runtime/scene.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace varn {

template <typename Window> class SceneWindows {
  public:
    // The scene's window, or null before it is built.
    Window* Find(SceneId id) const {
        auto found = windows_.find(id);
        return found == windows_.end() ? nullptr : found->second.get();
    }

    // Fails when the scene's window is already there: a scene is built once.
    Status CanBuild(SceneId id) const {
        return Find(id) == nullptr ? Status::Ok() : Status::Failed("the window already exists");
    }
    void Add(SceneId id, std::unique_ptr<Window> window) { windows_[id] = std::move(window); }

    // The scene's window, or a failure saying that it does not exist.
    Status Existing(SceneId id, Window*& window) const {
        window = Find(id);
        if (window == nullptr)
            return Status::Failed("the window of " + std::string(SceneName(id)) +
                                  " does not exist");
        return Status::Ok();
    }

    // The window holding the label, or a failure saying what is missing.
    Status WithLabel(SceneId id, std::string_view label, Window*& window) const {
        Status exists = Existing(id, window);
        if (exists.ok && !window->HasLabel(label))
            return Status::Failed("no label named " + std::string(label));
        return exists;
    }

    auto begin() const { return windows_.begin(); }
    auto end() const { return windows_.end(); }

  private:
    std::map<SceneId, std::unique_ptr<Window>> windows_;
};

} // namespace varn
