// The page elements of a scene's items, one function per kind. The windowed
// kinds are real controls (<button>, a read-only <textarea>, an <img>); labels
// are positioned text boxes; shapes and lines are drawn in one SVG picture
// beneath everything. Sizes are CSS pixels: 15 twips make one, so browser zoom
// and dense screens scale every item crisply. Colours an item does not name
// are the visitor's system colours, set by the stylesheet.
#pragma once

#include "runtime/scene.h"
#include "runtime/web/dom.h"

#include <string>

namespace varn::web {

// Items that name no font use the interface font, set on their window.
void SetInterfaceFont(dom::Node node);
// A length in CSS pixels, as a style property takes it.
std::string CssPixels(double pixels);
// "#rrggbb" for an &H00BBGGRR colour.
std::string CssColour(Colour colour);

dom::Node MakeButton(dom::Node client, const SceneItem& item);
dom::Node MakeLabel(dom::Node client, const SceneItem& item);
dom::Node MakeTextBox(dom::Node client, const SceneItem& item);
// The picture box; `picture` is the bitmap file's bytes, already checked.
dom::Node MakePictureBox(dom::Node client, const SceneItem& item,
                         std::span<const std::uint8_t> picture);
// The picture every shape and line of the scene is drawn in.
dom::Node MakeDrawing(dom::Node client, const Scene& scene);
void DrawShape(dom::Node drawing, const SceneItem& item);
void DrawLine(dom::Node drawing, const SceneItem& item);

} // namespace varn::web
