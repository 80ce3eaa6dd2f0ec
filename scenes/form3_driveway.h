// Driveway: the front door at the end of the path, the garage door, and the
// car in its garage outline.
#pragma once

#include "runtime/marker.h"

namespace varn::scenes {

using enum SceneId;
using enum TransitionOrder;
using enum ShapeType;

inline constexpr SceneItem kForm3Items[] = {
    Button("Command3", {600, 1560, 495, 495}, "Front Door", 4).OnClick(GoTo(Form4, ShowThenHide)),
    Button("Command1", {2160, 840, 735, 495}, "Garage Door", 3).OnClick(GoTo(Form7, ShowThenHide)),
    MarkerButton("Command2", 3360, 2280, 0, "Label1"),
    Shape("Shape7", {1080, 0, 855, 855}, Circle),
    Shape("Shape6", {960, 120, 855, 855}, Circle),
    Shape("Shape5", {840, 240, 855, 855}, Circle),
    Shape("Shape4", {720, 360, 855, 855}, Circle),
    Shape("Shape3", {600, 480, 855, 855}, Circle),
    Shape("Shape2", {480, 600, 855, 855}, Circle),
    Line("Line6", {600, 2520, 600, 2040}),
    Line("Line5", {2880, 2040, 1080, 2040}),
    Line("Line4", {2880, 2520, 600, 2520}),
    Label("Label2", {3360, 1800, 375, 255}, "TR-6", 2)
        .Transparent()
        .OnClick(GoTo(Form5, ShowThenHide)),
    Shape("Shape1", {3240, 960, 615, 1095}, RoundedRectangle),
    MarkerLabel("Label1", {3000, 2640, 1095, 255}, 1),
    Line("Line3", {2880, 720, 4200, 720}),
    Line("Line2", {4200, 3000, 4200, 720}),
    Line("Line1", {2880, 3000, 2880, 720}),
};

inline constexpr Scene kForm3{
    .id = Form3,
    .caption = "3",
    .clientWidth = 4680,
    .clientHeight = 3090,
    .startUpPosition = 2,
    .items = kForm3Items,
    .place = "The driveway, with the front door, the garage and the car",
};

} // namespace varn::scenes
