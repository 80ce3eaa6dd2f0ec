// Title: "Varn's House" in red on black and a red "Enter" button to the street.
#pragma once

#include "scenes/fonts.h"

namespace varn::scenes {

using enum SceneId;
using enum TransitionOrder;

inline constexpr SceneItem kForm1Items[] = {
    Button("Command1", {1680, 1080, 1215, 375}, "Enter", 1)
        .Graphical(kRed)
        .WithFont(fonts::kSylfaenSmall)
        .WithPointer(MousePointer::SizeAll)
        .OnClick(GoTo(Form2, ShowThenHide)),
    Label("Label1", {360, 240, 3975, 1100}, "Varn's House", 0)
        .WithForeColor(kRed)
        .Aligned(Alignment::Centre)
        .Transparent()
        .WithFont(fonts::kSylfaenLarge),
};

inline constexpr Scene kForm1{
    .id = Form1,
    .caption = "Varn's House",
    .clientWidth = 4680,
    .clientHeight = 1680,
    .backColor = kBlack,
    .startUpPosition = 2,
    .items = kForm1Items,
    .place = "The title of the tour, outside the house",
};

} // namespace varn::scenes
