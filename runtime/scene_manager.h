// Owns the one window of every scene and carries out the moves between them.
// Windows are created on first use and then only shown and hidden, never
// destroyed, so everything a scene holds lasts for the life of the program.
#pragma once

#include "runtime/platform.h"
#include "runtime/scene.h"

#include <array>
#include <span>

namespace varn {

class SceneManager {
  public:
    // `scenes` holds one record per SceneId; both must outlive the manager.
    SceneManager(Platform& platform, std::span<const Scene* const> scenes);

    // Shows the title scene; called once on entry.
    void Start();
    // Creates the scene's window, hidden, unless it already exists.
    void Instance(SceneId id);
    void Show(SceneId id);
    void Hide(SceneId id);
    void GoTo(SceneId current, SceneId target, TransitionOrder order);

    bool IsCreated(SceneId id) const { return created_[Slot(id)]; }
    Platform& GetPlatform() { return platform_; }

  private:
    static std::size_t Slot(SceneId id);
    const Scene& Record(SceneId id) const;

    Platform& platform_;
    std::span<const Scene* const> scenes_;
    std::array<bool, std::size(kAllScenes)> created_{};
};

} // namespace varn
