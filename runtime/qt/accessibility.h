// How the tour shows itself to assistive technology (a screen reader): each
// scene window as a frame holding its items in listing order, painted labels
// included; the message boxes as read-only text; the game picture as an image.
#pragma once

namespace varn {
struct SceneItem;
}

namespace varn::qt {

class SceneWindow;

// Has every scene window built from now on, and its items, show themselves as
// above; the first call does it, later ones do nothing.
void InstallSceneAccessibility();

// Tells assistive technology that a label's caption has changed, so that a
// screen reader can speak the new words. Costs nothing when none listens.
void AnnounceCaptionChange(SceneWindow& window, const SceneItem& label);

} // namespace varn::qt
