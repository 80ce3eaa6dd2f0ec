// Runs the action recorded beside a clicked item.
#pragma once

#include "runtime/scene.h"
#include "runtime/scene_manager.h"

namespace varn {

void RunClickAction(SceneManager& manager, SceneId scene, const ClickAction& action);

} // namespace varn
