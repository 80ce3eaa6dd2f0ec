// Game: the TV's still picture, a message and the way back to the ground floor.
#pragma once

#include "runtime/scene.h"

namespace varn::scenes {

using enum SceneId;
using enum TransitionOrder;

inline constexpr SceneItem kForm9Items[] = {
    Button("Command1", {1200, 2520, 2175, 375}, "Stop Playing", 2)
        .OnClick(GoTo(Form7, ShowThenHide)),
    TextBox("Text1", {120, 1800, 4335, 495},
            "You sat down to play a game of Mario.  Good luck at winning!", 1),
    PictureBox("Picture1", {960, 0, 2655, 1695}, PictureId::GamePicture, 0),
};

inline constexpr Scene kForm9{
    .id = Form9,
    .caption = "Form9",
    .clientWidth = 4680,
    .clientHeight = 3090,
    .startUpPosition = 3,
    .items = kForm9Items,
    .place = "A video game on the TV",
};

} // namespace varn::scenes
