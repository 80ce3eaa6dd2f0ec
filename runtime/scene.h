// The scene and item records: every place of the house is one Scene, a window
// whose whole content is an ordered list of SceneItems. Positions and sizes are
// twips (1/1440 inch); colours are &H00BBGGRR values; a field left empty means
// "use the system colour or font for this role".
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace varn {

enum class SceneId { Form1, Form2, Form3, Form4, Form5, Form6, Form7, Form9, Form10 };

inline constexpr SceneId kAllScenes[] = {SceneId::Form1, SceneId::Form2, SceneId::Form3,
                                         SceneId::Form4, SceneId::Form5, SceneId::Form6,
                                         SceneId::Form7, SceneId::Form9, SceneId::Form10};

constexpr std::string_view SceneName(SceneId id) {
    switch (id) {
    case SceneId::Form1:
        return "Form1";
    case SceneId::Form2:
        return "Form2";
    case SceneId::Form3:
        return "Form3";
    case SceneId::Form4:
        return "Form4";
    case SceneId::Form5:
        return "Form5";
    case SceneId::Form6:
        return "Form6";
    case SceneId::Form7:
        return "Form7";
    case SceneId::Form9:
        return "Form9";
    case SceneId::Form10:
        return "Form10";
    }
    return "?";
}

enum class ItemKind { CommandButton, Label, TextBox, PictureBox, Shape, Line };

// A colour as &H00BBGGRR: red in the low byte, then green, then blue.
struct Colour {
    std::uint32_t bgr = 0;
    constexpr int Red() const { return int(bgr & 0xFF); }
    constexpr int Green() const { return int((bgr >> 8) & 0xFF); }
    constexpr int Blue() const { return int((bgr >> 16) & 0xFF); }
    constexpr bool operator==(const Colour&) const = default;
};

inline constexpr Colour kRed{0x000000FF};
inline constexpr Colour kWhite{0x00FFFFFF};
inline constexpr Colour kBlack{0x00000000};

struct FontSpec {
    std::string_view family;
    double points = 8.0;
    int weight = 400;
};

struct TwipRect {
    std::int16_t left = 0, top = 0, width = 0, height = 0;
};

struct TwipLine {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

enum class TransitionOrder { ShowThenHide, HideThenShow };

enum class ButtonStyle { Standard = 0, Graphical = 1 };
enum class MousePointer { Default = 0, SizeAll = 15 };
enum class Alignment { Left = 0, Right = 1, Centre = 2 };
enum class BackStyle { Transparent = 0, Opaque = 1 };
enum class ShapeType { Rectangle = 0, Circle = 3, RoundedRectangle = 4, RoundedSquare = 5 };
enum class PictureId { None, GamePicture };

// What a click on an item does: nothing, move to another scene, or toggle the
// scene's position marker label.
struct ClickAction {
    enum class Kind { None, GoTo, ToggleMarker } kind = Kind::None;
    SceneId target = SceneId::Form1;
    TransitionOrder order = TransitionOrder::ShowThenHide;
    std::string_view markerLabel;
};

constexpr ClickAction GoTo(SceneId target, TransitionOrder order) {
    return {ClickAction::Kind::GoTo, target, order, {}};
}
constexpr ClickAction ToggleMarker(std::string_view label) {
    return {ClickAction::Kind::ToggleMarker, SceneId::Form1, TransitionOrder::ShowThenHide, label};
}

struct SceneItem {
    std::string_view name;
    ItemKind kind = ItemKind::Label;
    TwipRect rect;       // all kinds but Line
    TwipLine line;       // Line only
    int borderWidth = 1; // Line only, in pixels
    std::string_view caption;
    std::string_view text; // TextBox, line breaks as CR LF
    std::optional<Colour> backColor;
    std::optional<Colour> foreColor;
    ButtonStyle style = ButtonStyle::Standard;
    MousePointer mousePointer = MousePointer::Default;
    Alignment alignment = Alignment::Left;
    BackStyle backStyle = BackStyle::Opaque;
    std::optional<FontSpec> font;
    int tabIndex = -1; // -1 for kinds without a tab position
    bool multiLine = false;
    ShapeType shape = ShapeType::Rectangle;
    PictureId picture = PictureId::None;
    ClickAction action;

    // Chainable setters so that a scene table reads one row per item.
    template <typename Field, typename Value>
    constexpr SceneItem With(Field SceneItem::*field, Value value) const {
        SceneItem copy = *this;
        copy.*field = value;
        return copy;
    }
    constexpr SceneItem Graphical(Colour face) const {
        return With(&SceneItem::style, ButtonStyle::Graphical).With(&SceneItem::backColor, face);
    }
    constexpr SceneItem WithFont(FontSpec f) const { return With(&SceneItem::font, f); }
    constexpr SceneItem WithPointer(MousePointer p) const {
        return With(&SceneItem::mousePointer, p);
    }
    constexpr SceneItem WithForeColor(Colour c) const { return With(&SceneItem::foreColor, c); }
    constexpr SceneItem Aligned(Alignment a) const { return With(&SceneItem::alignment, a); }
    constexpr SceneItem Transparent() const {
        return With(&SceneItem::backStyle, BackStyle::Transparent);
    }
    constexpr SceneItem OnClick(ClickAction a) const { return With(&SceneItem::action, a); }
};

struct Scene {
    SceneId id = SceneId::Form1;
    std::string_view caption;
    int clientWidth = 0, clientHeight = 0; // twips
    std::optional<Colour> backColor;
    int startUpPosition = 3; // 2 = centred on the screen, 3 = platform default
    std::span<const SceneItem> items;
    // Window flags that one scene switches off; every other scene keeps them on.
    bool minButton = true;
    bool maxButton = true;
    // What kind of place this is, in one short English phrase, for assistive
    // technology: the window's title alone says nothing about it.
    std::string_view place;
    // An ending: its message box tells how the visitor died.
    bool ending = false;

    // The item's position in the listing, or the item count when there is none.
    // (Comparing indices rather than pointers keeps this usable in constant
    // expressions under every compiler and sanitizer setting.)
    constexpr std::size_t IndexOf(std::string_view name) const {
        std::size_t index = 0;
        while (index < items.size() && items[index].name != name)
            ++index;
        return index;
    }
    constexpr const SceneItem* FindItem(std::string_view name) const {
        const std::size_t index = IndexOf(name);
        return index < items.size() ? &items[index] : nullptr;
    }
};

// Item constructors, one per kind; the optional properties follow as setters.
constexpr SceneItem Item(std::string_view name, ItemKind kind, TwipRect r, int tabIndex = -1) {
    SceneItem item;
    item.name = name;
    item.kind = kind;
    item.rect = r;
    item.tabIndex = tabIndex;
    return item;
}

constexpr SceneItem Button(std::string_view name, TwipRect r, std::string_view caption,
                           int tabIndex) {
    return Item(name, ItemKind::CommandButton, r, tabIndex).With(&SceneItem::caption, caption);
}

constexpr SceneItem Label(std::string_view name, TwipRect r, std::string_view caption,
                          int tabIndex) {
    return Item(name, ItemKind::Label, r, tabIndex).With(&SceneItem::caption, caption);
}

constexpr SceneItem TextBox(std::string_view name, TwipRect r, std::string_view text,
                            int tabIndex) {
    return Item(name, ItemKind::TextBox, r, tabIndex)
        .With(&SceneItem::text, text)
        .With(&SceneItem::multiLine, true);
}

constexpr SceneItem PictureBox(std::string_view name, TwipRect r, PictureId picture, int tabIndex) {
    return Item(name, ItemKind::PictureBox, r, tabIndex).With(&SceneItem::picture, picture);
}

constexpr SceneItem Shape(std::string_view name, TwipRect r, ShapeType shape) {
    return Item(name, ItemKind::Shape, r).With(&SceneItem::shape, shape);
}

constexpr SceneItem Line(std::string_view name, TwipLine l, int borderWidth = 3) {
    return Item(name, ItemKind::Line, {})
        .With(&SceneItem::line, l)
        .With(&SceneItem::borderWidth, borderWidth);
}

} // namespace varn
