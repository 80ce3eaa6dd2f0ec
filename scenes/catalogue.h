// Every scene of the house, one record per SceneId.
#pragma once

#include "runtime/scene.h"

#include <span>

namespace varn::scenes {

std::span<const Scene* const> All();

} // namespace varn::scenes
