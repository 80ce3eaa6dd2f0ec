#include "runtime/web/item_elements.h"

#include "runtime/accessible_text.h"
#include "runtime/font_fallbacks.h"
#include "runtime/geometry.h"

#include <cstdio>

namespace varn::web {

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void Place(dom::Node node, const PixelRect& r) {
    dom::SetStyle(node, "left", CssPixels(r.left));
    dom::SetStyle(node, "top", CssPixels(r.top));
    dom::SetStyle(node, "width", CssPixels(r.width));
    dom::SetStyle(node, "height", CssPixels(r.height));
}

// A named font asked for by name first, then by the families that stand in
// for it; items without one inherit the interface font from their window.
void SetFont(dom::Node node, const std::optional<FontSpec>& font) {
    if (!font)
        return;
    std::string families = "\"" + std::string(font->family) + "\"";
    const FontFallbacks fallbacks = FallbacksFor(font->family);
    for (std::string_view family : fallbacks.families)
        families += ", \"" + std::string(family) + "\"";
    families += fallbacks.serif ? ", serif" : ", sans-serif";
    dom::SetStyle(node, "font-family", families);
    dom::SetStyle(node, "font-size", Number(font->points) + "pt");
    dom::SetStyle(node, "font-weight", Number(font->weight));
}

// Literal colours are the scene's own and stay as they are under a forced
// (high-contrast) colour scheme, as they do under a desktop colour scheme.
void SetLiteral(dom::Node node, std::string_view property, Colour colour) {
    dom::SetStyle(node, property, CssColour(colour));
    dom::SetStyle(node, "forced-color-adjust", "none");
}

const char* TextAlign(Alignment alignment) {
    switch (alignment) {
    case Alignment::Right:
        return "right";
    case Alignment::Centre:
        return "center";
    case Alignment::Left:
        break;
    }
    return "left";
}

void Name(dom::Node node, const SceneItem& item) {
    const AccessibleText spoken = AccessibleTextOf(item);
    if (spoken.name.empty())
        return;
    dom::SetAttribute(node, "aria-label", spoken.name);
    dom::SetAttribute(node, "aria-description", spoken.description);
}

} // namespace

void SetInterfaceFont(dom::Node node) {
    SetFont(node, kInterfaceFont);
}

std::string CssPixels(double pixels) {
    char text[32];
    std::snprintf(text, sizeof text, "%gpx", pixels);
    return text;
}

std::string CssColour(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.Red(), colour.Green(), colour.Blue());
    return text;
}

dom::Node MakeButton(dom::Node client, const SceneItem& item) {
    const dom::Node button = dom::Create("button", client);
    dom::SetAttribute(button, "type", "button");
    dom::SetAttribute(button, "class", "item button");
    dom::SetAttribute(button, "data-name", item.name);
    Place(button, ToPixels(item.rect));
    dom::SetText(button, item.caption);
    SetFont(button, item.font);
    if (item.style == ButtonStyle::Graphical && item.backColor)
        SetLiteral(button, "background-color", *item.backColor);
    if (item.mousePointer == MousePointer::SizeAll)
        dom::SetStyle(button, "cursor", "move");
    Name(button, item);
    // The marker is a toggle button, pressed while its words are shown.
    if (item.action.kind == ClickAction::Kind::ToggleMarker)
        dom::SetAttribute(button, "aria-pressed", "false");
    return button;
}

dom::Node MakeLabel(dom::Node client, const SceneItem& item) {
    const dom::Node label = dom::Create("div", client);
    std::string classes = "item label";
    if (item.backStyle == BackStyle::Opaque)
        classes += " opaque";
    if (IsPressableLabel(item))
        classes += " exit";
    dom::SetAttribute(label, "class", classes);
    dom::SetAttribute(label, "data-name", item.name);
    Place(label, ToPixels(item.rect));
    dom::SetText(label, item.caption);
    SetFont(label, item.font);
    if (item.foreColor)
        SetLiteral(label, "color", *item.foreColor);
    dom::SetStyle(label, "text-align", TextAlign(item.alignment));
    // A label that leads somewhere is a button to assistive technology and
    // takes the focus from a screen reader or the arrow keys, but is no Tab
    // stop: Tab goes through the scene's own items alone.
    if (IsPressableLabel(item)) {
        dom::SetAttribute(label, "role", "button");
        dom::SetAttribute(label, "tabindex", "-1");
    }
    return label;
}

dom::Node MakeTextBox(dom::Node client, const SceneItem& item) {
    const dom::Node box = dom::Create("textarea", client, "item textbox");
    dom::SetAttribute(box, "data-name", item.name);
    dom::SetAttribute(box, "readonly", "");
    dom::SetAttribute(box, "aria-label", kMessageBoxAccessibleName);
    dom::SetAttribute(box, "spellcheck", "false");
    Place(box, ToPixels(item.rect));
    std::string text;
    for (std::size_t i = 0; i < item.text.size(); ++i)
        if (!(item.text[i] == '\r' && i + 1 < item.text.size() && item.text[i + 1] == '\n'))
            text += item.text[i];
    dom::SetValue(box, text);
    if (item.foreColor)
        SetLiteral(box, "color", *item.foreColor);
    return box;
}

dom::Node MakePictureBox(dom::Node client, const SceneItem& item,
                         std::span<const std::uint8_t> picture) {
    const dom::Node box = dom::Create("div", client, "item picture");
    dom::SetAttribute(box, "data-name", item.name);
    Place(box, ToPixels(item.rect));
    const dom::Node image = dom::Create("img", box);
    const AccessibleText spoken = AccessibleTextOf(item);
    dom::SetAttribute(image, "alt", spoken.name);
    dom::SetAttribute(image, "aria-description", spoken.description);
    dom::SetAttribute(image, "draggable", "false");
    dom::SetImage(image, picture.data(), picture.size(), "image/bmp");
    return box;
}

dom::Node MakeDrawing(dom::Node client, const Scene& scene) {
    const dom::Node svg = dom::Create("svg", client, dom::Namespace::Svg);
    dom::SetAttribute(svg, "class", "drawing");
    dom::SetAttribute(svg, "aria-hidden", "true");
    const std::string width = Number(TwipsToPixels(scene.clientWidth));
    const std::string height = Number(TwipsToPixels(scene.clientHeight));
    dom::SetAttribute(svg, "width", width);
    dom::SetAttribute(svg, "height", height);
    dom::SetAttribute(svg, "viewBox", "0 0 " + width + " " + height);
    return svg;
}

void DrawShape(dom::Node drawing, const SceneItem& item) {
    const PixelRect r = ToPixels(item.rect);
    // A 1-pixel outline on the box's outermost pixels: the stroke is centred
    // on a path half a pixel inside the box.
    auto outline = [](dom::Node node, const PixelRect& box) {
        dom::SetAttribute(node, "x", Number(box.left + 0.5));
        dom::SetAttribute(node, "y", Number(box.top + 0.5));
        dom::SetAttribute(node, "width", Number(box.width - 1));
        dom::SetAttribute(node, "height", Number(box.height - 1));
    };
    dom::Node node = dom::kNoNode;
    switch (item.shape) {
    case ShapeType::Circle: {
        const PixelRect square = CentredSquare(r);
        node = dom::Create("circle", drawing, dom::Namespace::Svg);
        dom::SetAttribute(node, "cx", Number(square.left + square.width / 2.0));
        dom::SetAttribute(node, "cy", Number(square.top + square.height / 2.0));
        dom::SetAttribute(node, "r", Number(square.width / 2.0 - 0.5));
        break;
    }
    case ShapeType::Rectangle:
    case ShapeType::RoundedRectangle:
    case ShapeType::RoundedSquare: {
        const PixelRect box = item.shape == ShapeType::RoundedSquare ? CentredSquare(r) : r;
        node = dom::Create("rect", drawing, dom::Namespace::Svg);
        outline(node, box);
        if (item.shape != ShapeType::Rectangle) {
            const std::string radius = Number(CornerRadius(box.width, box.height));
            dom::SetAttribute(node, "rx", radius);
            dom::SetAttribute(node, "ry", radius);
        }
        break;
    }
    }
    dom::SetAttribute(node, "class", "shape");
}

void DrawLine(dom::Node drawing, const SceneItem& item) {
    const PixelLine l = ToPixels(item.line);
    const dom::Node line = dom::Create("line", drawing, dom::Namespace::Svg);
    // Through the middle of the end pixels, so that an odd width covers whole
    // pixels: a 3-pixel line on x = 40 covers 39, 40 and 41.
    dom::SetAttribute(line, "x1", Number(l.x1 + 0.5));
    dom::SetAttribute(line, "y1", Number(l.y1 + 0.5));
    dom::SetAttribute(line, "x2", Number(l.x2 + 0.5));
    dom::SetAttribute(line, "y2", Number(l.y2 + 0.5));
    dom::SetAttribute(line, "stroke-width", Number(item.borderWidth));
    dom::SetAttribute(line, "class", "line");
}

} // namespace varn::web
