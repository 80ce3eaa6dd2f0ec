// Ending: the car in the driveway.
#pragma once

#include "scenes/ending.h"

namespace varn::scenes {

inline constexpr SceneItem kForm5Items[] = {
    Reincarnate(1, TransitionOrder::ShowThenHide),
    EndingMessage("The TR6 starts up, and drives into a tombstone-\r\nmarked hole.\r\n"
                  "It ran over you.  You just died.\r\n",
                  0),
};

inline constexpr Scene kForm5 =
    Ending(SceneId::Form5, "Form5", 3, kForm5Items, "The car in the driveway");

} // namespace varn::scenes
