// Paints the drawn kinds (labels, shapes, lines) and the graphical buttons'
// faces with GDI. Colours an item does not name are the system's, read at
// paint time, so a new desktop colour scheme shows at the next paint; with
// `highContrast` the named ones give way to them too (high_contrast.h).
#pragma once

#include "runtime/geometry.h"
#include "runtime/scene.h"
#include "runtime/win32/windows_api.h"

#include <optional>
#include <string>

namespace varn::win32 {

void PaintLabel(HDC dc, const SceneItem& item, const std::wstring& caption, HFONT font, int dpi,
                bool highContrast);
void PaintShape(HDC dc, const SceneItem& item, int dpi);
void PaintLine(HDC dc, const SceneItem& item, int dpi);

// An owner-drawn push button: the system's bevel and face, filled with the
// item's colour in graphical style, the caption wrapped between words and
// centred as a block, and the focus rectangle while it has the focus and
// `focusCues` says the keyboard is in use.
void PaintButton(const DRAWITEMSTRUCT& draw, const SceneItem& item, const std::wstring& caption,
                 HFONT font, bool focusCues, bool highContrast);

// The scene's background: its own colour, or the system's 3-D face colour.
void PaintBackground(HDC dc, const RECT& area, const std::optional<Colour>& colour);

inline RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.Right(), r.Bottom()};
}

} // namespace varn::win32
