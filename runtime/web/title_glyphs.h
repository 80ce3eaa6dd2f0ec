// The pictures on the title bar's boxes, drawn as the classic desktop draws
// them: whole pixels on the box's face, so that they stay sharp at any
// device scale where a glyph of a font would be smoothed.
#pragma once

#include "runtime/web/dom.h"

namespace varn::web {

enum class TitleBox { Minimise, Maximise, Close };

// Puts the box's picture into it as a small SVG; the maximise box holds both
// its pictures, and the stylesheet shows the one for the window's state.
void DrawTitleGlyph(dom::Node box, TitleBox kind);

} // namespace varn::web
