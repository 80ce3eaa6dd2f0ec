// The system colour each role falls back to when an item names no colour. They
// are read from the widget's palette at paint time, so a change of the desktop
// colour scheme recolours them at once. (A standard push button's face is the
// style's own, from the palette's Button role.)
#pragma once

#include "runtime/qt/units.h"

#include <QPalette>

#include <optional>

namespace varn::qt {

inline constexpr QPalette::ColorRole kFaceRole = QPalette::Window;           // 3-D face
inline constexpr QPalette::ColorRole kButtonTextRole = QPalette::ButtonText; // label, button text
inline constexpr QPalette::ColorRole kWindowTextRole = QPalette::WindowText; // shapes, lines

inline QColor Resolve(const std::optional<Colour>& named, const QPalette& palette,
                      QPalette::ColorRole role) {
    return named ? ToQColor(*named) : palette.color(role);
}

} // namespace varn::qt
