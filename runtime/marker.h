// The position marker of the map scenes: a small red button that shows or
// hides "This is You." in a transparent red label beside it. Its only state is
// the label's caption, which lives in the scene's window.
#pragma once

#include "runtime/platform.h"
#include "runtime/scene.h"

namespace varn {

inline constexpr std::string_view kMarkerText = "This is You.";

constexpr SceneItem MarkerButton(std::string_view name, std::int16_t left, std::int16_t top,
                                 int tabIndex, std::string_view label) {
    return Button(name, {left, top, 255, 255}, "", tabIndex)
        .Graphical(kRed)
        .OnClick(ToggleMarker(label));
}

constexpr SceneItem MarkerLabel(std::string_view name, TwipRect r, int tabIndex) {
    return Label(name, r, "", tabIndex).WithForeColor(kRed).Transparent();
}

// Shows the words when the label is empty and clears it otherwise, whatever it
// holds. A failing caption read or write raises RuntimeError.
void ToggleMarker(Platform& platform, SceneId scene, std::string_view label);

} // namespace varn
