// Builds the Qt font for an item: its named font, or the default 8-point
// interface font, falling back to a similar family where the system lacks it;
// and breaks words into the lines they are drawn in.
#pragma once

#include "runtime/scene.h"

#include <QFont>
#include <QStringList>

#include <optional>

namespace varn::qt {

// Registers the fallback families once, before any window is built.
void InstallFontSubstitutes();

QFont ItemFont(const std::optional<FontSpec>& named);

// The lines `text` breaks into in `font` across `width` pixels: between words,
// a line fitting only if narrower than the width by kLineFitMargin, as every
// layer judges it; trailing spaces dropped.
QStringList WrappedLines(const QString& text, const QFont& font, int width);

} // namespace varn::qt
