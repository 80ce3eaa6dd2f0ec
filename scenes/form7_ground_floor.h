// Ground floor: the hub of the house, with the TV, the hallway, the kitchen
// and the two doors out.
#pragma once

#include "runtime/marker.h"

namespace varn::scenes {

using enum SceneId;
using enum TransitionOrder;
using enum ShapeType;

inline constexpr SceneItem kForm7Items[] = {
    MarkerButton("Command5", 2280, 840, 5, "Label2"),
    Button("Command4", {2400, 0, 1695, 495}, "^ Kitchen and stuff ^", 4)
        .OnClick(GoTo(Form6, HideThenShow)),
    Button("Command3", {0, 0, 735, 975}, "The Hallway", 3).OnClick(GoTo(Form10, ShowThenHide)),
    Button("Command2", {720, 2520, 615, 495}, "Front Door", 1).OnClick(GoTo(Form4, ShowThenHide)),
    Button("Command1", {3840, 720, 735, 615}, "Garage Door", 0).OnClick(GoTo(Form3, ShowThenHide)),
    MarkerLabel("Label2", {1680, 1200, 1215, 255}, 6),
    Line("Line4", {720, 960, 0, 960}),
    Line("Line3", {720, 3000, 720, 960}),
    Shape("Shape5", {1800, 1680, 975, 495}, Rectangle),
    Shape("Shape4", {3120, 1320, 495, 495}, RoundedSquare),
    Shape("Shape3", {3120, 2160, 495, 495}, RoundedSquare),
    Shape("Shape2", {1800, 2640, 1095, 375}, RoundedRectangle),
    Shape("Shape1", {720, 1200, 495, 1095}, Rectangle),
    Label("Label1", {840, 1200, 375, 975}, "TV is here", 2).OnClick(GoTo(Form9, ShowThenHide)),
    Line("Line2", {3720, 600, 4560, 600}),
    Line("Line1", {3720, 3000, 3720, 600}),
};

inline constexpr Scene kForm7{
    .id = Form7,
    .caption = "Form7",
    .clientWidth = 4680,
    .clientHeight = 3090,
    .startUpPosition = 3,
    .items = kForm7Items,
    .place = "The ground floor of the house",
};

} // namespace varn::scenes
