// Ending: the parts of the house that were never built. Its window cannot be
// minimised or maximised.
#pragma once

#include "scenes/ending.h"

namespace varn::scenes {

inline constexpr SceneItem kForm6Items[] = {
    EndingMessage("Because Halvick got bored or tired of doing this:\r\nYou just died.\r\n", 1),
    Reincarnate(0, TransitionOrder::HideThenShow),
};

inline constexpr Scene kForm6 = [] {
    Scene scene =
        Ending(SceneId::Form6, "Form6", 2, kForm6Items, "The rooms that were never built");
    scene.minButton = false;
    scene.maxButton = false;
    return scene;
}();

} // namespace varn::scenes
