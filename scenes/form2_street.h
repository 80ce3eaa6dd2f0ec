// Street: the road with its name, the house number that leads straight inside,
// a row of trees and the way on to the driveway.
#pragma once

#include "runtime/marker.h"

namespace varn::scenes {

using enum SceneId;
using enum TransitionOrder;
using enum ShapeType;

inline constexpr SceneItem kForm2Items[] = {
    MarkerButton("Command2", 360, 2160, 3, "Label3"),
    Button("Command1", {2640, 840, 1335, 495}, "Enter the Driveway", 1)
        .OnClick(GoTo(Form3, ShowThenHide)),
    MarkerLabel("Label3", {360, 2760, 3855, 255}, 4),
    Shape("Shape6", {2040, 120, 855, 855}, Circle),
    Shape("Shape5", {1920, 240, 855, 855}, Circle),
    Shape("Shape4", {1800, 360, 855, 855}, Circle),
    Shape("Shape3", {1680, 480, 855, 855}, Circle),
    Shape("Shape2", {1560, 600, 855, 855}, Circle),
    Shape("Shape1", {1440, 720, 855, 855}, Circle),
    Label("Label2", {3120, 1680, 375, 255}, "512", 2)
        .Transparent()
        .OnClick(GoTo(Form7, ShowThenHide)),
    Label("Label1", {1200, 2160, 1335, 255}, "Lindowmere Ave.", 0).Transparent(),
    Line("Line5", {3600, 2040, 3600, 1320}),
    Line("Line4", {3000, 2040, 3000, 1320}),
    Line("Line3", {600, 2040, 600, 0}),
    Line("Line2", {600, 2040, 4560, 2040}),
    Line("Line1", {0, 2520, 4560, 2520}),
};

inline constexpr Scene kForm2{
    .id = Form2,
    .caption = "Form2",
    .clientWidth = 4680,
    .clientHeight = 3090,
    .backColor = kWhite,
    .startUpPosition = 2,
    .items = kForm2Items,
    .place = "The street in front of the house",
};

} // namespace varn::scenes
