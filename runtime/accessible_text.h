// What assistive technology (a screen reader) calls the items that show no
// words of their own: the red position marker and the game picture. Every
// windowing layer gives them these names, so the tour reads the same on every
// desktop. Items with a caption or a text are called by it instead.
#pragma once

#include "runtime/scene.h"

#include <string>
#include <string_view>

namespace varn {

inline constexpr std::string_view kMarkerAccessibleName = "Where you are";
inline constexpr std::string_view kMarkerAccessibleDescription =
    "Shows or hides where you are on the map";

inline constexpr std::string_view kGamePictureAccessibleName = "Game picture";
inline constexpr std::string_view kGamePictureAccessibleDescription =
    "A still from a side-scrolling platform game: a small knight stands on a rope bridge over "
    "lava, facing a huge horned ogre with a spiked club who spits a fireball at him, with the "
    "score, lives, world and time along the top.";

// A text box is a message; its name says so, its text is the message itself.
inline constexpr std::string_view kMessageBoxAccessibleName = "Message";

struct AccessibleText {
    std::string_view name;
    std::string_view description;
};

// Whether assistive technology is shown the item at all: shapes and lines
// are drawing, not content.
constexpr bool IsAccessible(const SceneItem& item) {
    return item.kind != ItemKind::Shape && item.kind != ItemKind::Line;
}

// A label that leads somewhere ("512", "TV is here", "TR-6") is offered as a
// button whose press does what a click on it does.
constexpr bool IsPressableLabel(const SceneItem& item) {
    return item.kind == ItemKind::Label && item.action.kind != ClickAction::Kind::None;
}

// The name and description an item is given, both empty for an item whose
// caption or text already says what it is.
constexpr AccessibleText AccessibleTextOf(const SceneItem& item) {
    if (item.kind == ItemKind::CommandButton && item.action.kind == ClickAction::Kind::ToggleMarker)
        return {kMarkerAccessibleName, kMarkerAccessibleDescription};
    if (item.kind == ItemKind::PictureBox && item.picture == PictureId::GamePicture)
        return {kGamePictureAccessibleName, kGamePictureAccessibleDescription};
    return {};
}

// The message box of an ending, or null in any other scene.
constexpr const SceneItem* EndingMessageBox(const Scene& scene) {
    if (!scene.ending)
        return nullptr;
    for (const SceneItem& item : scene.items)
        if (item.kind == ItemKind::TextBox)
            return &item;
    return nullptr;
}

// What a screen reader reads for a scene's window as it opens: the kind of
// place, and in an ending the whole message after it, its line breaks read as
// spaces, so that a visitor hears how they died without moving to the box.
inline std::string WindowDescription(const Scene& scene) {
    std::string said(scene.place);
    const SceneItem* box = EndingMessageBox(scene);
    if (box == nullptr)
        return said;
    said += ". ";
    for (char c : box->text)
        if (c != '\r')
            said += c == '\n' ? ' ' : c;
    while (!said.empty() && said.back() == ' ')
        said.pop_back(); // the message's final line break
    return said;
}

} // namespace varn
