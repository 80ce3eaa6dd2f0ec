// Ending: the front door's handle.
#pragma once

#include "scenes/ending.h"

namespace varn::scenes {

inline constexpr SceneItem kForm4Items[] = {
    EndingMessage("You are shocked by the door handle.\r\nYou just died.\r\n", 1),
    Reincarnate(0, TransitionOrder::ShowThenHide),
};

inline constexpr Scene kForm4 = Ending(SceneId::Form4, "Form4", 2, kForm4Items, "The front door");

} // namespace varn::scenes
