// Builds the Qt font for an item: its named font, or the default 8-point
// interface font, falling back to a similar family where the system lacks it.
#pragma once

#include "runtime/scene.h"

#include <QFont>

#include <optional>

namespace varn::qt {

// Registers the fallback families once, before any window is built.
void InstallFontSubstitutes();

QFont ItemFont(const std::optional<FontSpec>& named);

} // namespace varn::qt
