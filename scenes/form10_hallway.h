// Hallway: a corridor with two rooms, both unfinished.
#pragma once

#include "runtime/marker.h"

namespace varn::scenes {

using enum SceneId;
using enum TransitionOrder;

inline constexpr SceneItem kForm10Items[] = {
    MarkerButton("Command5", 2640, 1440, 2, "Label2"),
    Button("Command2", {3240, 2040, 1095, 495}, "Morva's Old Room", 1)
        .OnClick(GoTo(Form6, HideThenShow)),
    Button("Command1", {1200, 2040, 975, 495}, "Varn's Room", 0).OnClick(GoTo(Form6, HideThenShow)),
    MarkerLabel("Label2", {3120, 1440, 1215, 255}, 3),
    Line("Line4", {2760, 1920, 2760, 3000}),
    Line("Line3", {960, 1920, 960, 1200}),
    Line("Line2", {4560, 1200, 960, 1200}),
    Line("Line1", {4560, 1920, 960, 1920}),
};

inline constexpr Scene kForm10{
    .id = Form10,
    .caption = "Form10",
    .clientWidth = 4680,
    .clientHeight = 3090,
    .startUpPosition = 3,
    .items = kForm10Items,
    .place = "The hallway, with two rooms",
};

} // namespace varn::scenes
