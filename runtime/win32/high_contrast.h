// Windows High Contrast: while it is on, every colour a scene names (the red
// marker and its words, the red messages, the black and white backgrounds)
// gives way to the system's, which the user chose to read easily: the scene
// is drawn as one that names no colours, its text in the button-text or
// window-text colour on the face or window colour. Each scene window reads it
// when made and again when a setting or the system colours change.
#pragma once

#include "runtime/scene.h"

#include <optional>

namespace varn::win32 {

bool HighContrastOn();

// The colour the scene names, or none, the system's, under High Contrast.
inline std::optional<Colour> OwnColour(const std::optional<Colour>& named, bool highContrast) {
    return highContrast ? std::nullopt : named;
}

} // namespace varn::win32
