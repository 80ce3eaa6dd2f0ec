// What the three "You just died." scenes share: a red message box at the top
// and one large "Reincarnate" button back to the title.
#pragma once

#include "scenes/fonts.h"

namespace varn::scenes {

inline constexpr TwipRect kEndingMessageRect{240, 120, 3975, 855};
inline constexpr TwipRect kReincarnateRect{360, 1200, 3855, 1695};

constexpr SceneItem EndingMessage(std::string_view text, int tabIndex) {
    return TextBox("Text1", kEndingMessageRect, text, tabIndex).WithForeColor(kRed);
}

constexpr SceneItem Reincarnate(int tabIndex, TransitionOrder order) {
    return Button("Command1", kReincarnateRect, "Reincarnate", tabIndex)
        .WithFont(fonts::kMsSansSerifLarge)
        .OnClick(GoTo(SceneId::Form1, order));
}

constexpr Scene Ending(SceneId id, std::string_view caption, int startUpPosition,
                       std::span<const SceneItem> items, std::string_view place) {
    return {.id = id,
            .caption = caption,
            .clientWidth = 4680,
            .clientHeight = 3090,
            .startUpPosition = startUpPosition,
            .items = items,
            .place = place,
            .ending = true};
}

} // namespace varn::scenes
