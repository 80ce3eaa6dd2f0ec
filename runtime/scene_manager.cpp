#include "runtime/scene_manager.h"

#include "runtime/runtime_error.h"

#include <algorithm>
#include <stdexcept>

namespace varn {

SceneManager::SceneManager(Platform& platform, std::span<const Scene* const> scenes)
    : platform_(platform), scenes_(scenes) {}

std::size_t SceneManager::Slot(SceneId id) {
    const auto* found = std::find(std::begin(kAllScenes), std::end(kAllScenes), id);
    return std::size_t(found - std::begin(kAllScenes));
}

const Scene& SceneManager::Record(SceneId id) const {
    for (const Scene* scene : scenes_)
        if (scene->id == id)
            return *scene;
    throw std::logic_error("no scene record for " + std::string(SceneName(id)));
}

void SceneManager::Start() {
    Show(SceneId::Form1);
}

void SceneManager::Instance(SceneId id) {
    if (created_[Slot(id)])
        return;
    Check(platform_.CreateScene(Record(id)), "Create", id);
    created_[Slot(id)] = true;
}

void SceneManager::Show(SceneId id) {
    Instance(id);
    Check(platform_.ShowScene(id), "Show", id);
}

void SceneManager::Hide(SceneId id) {
    Instance(id);
    Check(platform_.HideScene(id), "Hide", id);
}

void SceneManager::GoTo(SceneId current, SceneId target, TransitionOrder order) {
    if (order == TransitionOrder::ShowThenHide) {
        Show(target);
        Hide(current);
    } else {
        Hide(current);
        Show(target);
    }
}

} // namespace varn
