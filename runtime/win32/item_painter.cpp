#include "runtime/win32/item_painter.h"

#include <algorithm>

namespace varn::win32 {

namespace {

// Width of the bevel the face fill leaves visible, in pixels.
constexpr int kBevel = 2;

UINT HorizontalAlignment(Alignment a) {
    switch (a) {
    case Alignment::Right:
        return DT_RIGHT;
    case Alignment::Centre:
        return DT_CENTER;
    case Alignment::Left:
        break;
    }
    return DT_LEFT;
}

// Selects a pen and a brush for as long as it lives, and puts back what was there.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

class Pen {
  public:
    Pen(int style, int width, COLORREF colour) : pen_(CreatePen(style, width, colour)) {}
    ~Pen() { DeleteObject(pen_); }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;
    HPEN Handle() const { return pen_; }

  private:
    HPEN pen_;
};

} // namespace

RECT PaintedArea(const SceneItem& item, int dpi) {
    if (item.kind != ItemKind::Line)
        return ToRect(ToPixels(item.rect, dpi));
    const PixelLine l = ToPixels(item.line, dpi);
    const int pen = ScalePixels(item.borderWidth, dpi);
    return {std::min(l.x1, l.x2) - pen, std::min(l.y1, l.y2) - pen, std::max(l.x1, l.x2) + pen,
            std::max(l.y1, l.y2) + pen};
}

void PaintLabel(HDC dc, const SceneItem& item, const std::wstring& caption, HFONT font, int dpi) {
    RECT r = ToRect(ToPixels(item.rect, dpi));
    if (item.backStyle == BackStyle::Opaque)
        FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
    if (caption.empty())
        return;
    Selected withFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, item.foreColor ? item.foreColor->bgr : GetSysColor(COLOR_BTNTEXT));
    // Without DT_NOCLIP the text is clipped to the label's rectangle.
    DrawTextW(dc, caption.c_str(), int(caption.size()), &r,
              DT_TOP | DT_WORDBREAK | DT_NOPREFIX | HorizontalAlignment(item.alignment));
}

void PaintShape(HDC dc, const SceneItem& item, int dpi) {
    const PixelRect r = ToPixels(item.rect, dpi);
    // Inside the frame: the outline lies on the rectangle's outermost pixels.
    Pen pen(PS_INSIDEFRAME, ScalePixels(1, dpi), GetSysColor(COLOR_WINDOWTEXT));
    Selected withPen(dc, pen.Handle());
    Selected withBrush(dc, GetStockObject(NULL_BRUSH));
    const PixelRect square = CentredSquare(r);
    switch (item.shape) {
    case ShapeType::Rectangle:
        Rectangle(dc, r.left, r.top, r.Right(), r.Bottom());
        break;
    case ShapeType::Circle:
        Ellipse(dc, square.left, square.top, square.Right(), square.Bottom());
        break;
    case ShapeType::RoundedRectangle: {
        const int diameter = 2 * CornerRadius(r.width, r.height);
        RoundRect(dc, r.left, r.top, r.Right(), r.Bottom(), diameter, diameter);
        break;
    }
    case ShapeType::RoundedSquare: {
        const int diameter = 2 * CornerRadius(square.width, square.height);
        RoundRect(dc, square.left, square.top, square.Right(), square.Bottom(), diameter, diameter);
        break;
    }
    }
}

void PaintLine(HDC dc, const SceneItem& item, int dpi) {
    // A solid pen wider than one pixel has round ends and joins.
    Pen pen(PS_SOLID, ScalePixels(item.borderWidth, dpi), GetSysColor(COLOR_WINDOWTEXT));
    Selected withPen(dc, pen.Handle());
    const PixelLine l = ToPixels(item.line, dpi);
    MoveToEx(dc, l.x1, l.y1, nullptr);
    LineTo(dc, l.x2, l.y2);
}

void PaintButton(const DRAWITEMSTRUCT& draw, const SceneItem& item, const std::wstring& caption,
                 HFONT font) {
    HDC dc = draw.hDC;
    RECT bevel = draw.rcItem;
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(dc, &bevel, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    RECT face = draw.rcItem;
    InflateRect(&face, -kBevel, -kBevel);
    if (pressed)
        OffsetRect(&face, 1, 1);
    if (item.style == ButtonStyle::Graphical && item.backColor) {
        HBRUSH brush = CreateSolidBrush(item.backColor->bgr);
        FillRect(dc, &face, brush);
        DeleteObject(brush);
    }

    if (!caption.empty()) {
        Selected withFont(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        // Wrapped between words and centred as a block, in both directions.
        RECT measured = face;
        const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
        DrawTextW(dc, caption.c_str(), int(caption.size()), &measured, format | DT_CALCRECT);
        RECT text = face;
        text.top += std::max(0L, ((face.bottom - face.top) - (measured.bottom - measured.top)) / 2);
        DrawTextW(dc, caption.c_str(), int(caption.size()), &text, format);
    }

    if ((draw.itemState & ODS_FOCUS) != 0 && (draw.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = draw.rcItem;
        InflateRect(&focus, -(kBevel + 1), -(kBevel + 1));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_3DFACE));
        DrawFocusRect(dc, &focus);
    }
}

} // namespace varn::win32
