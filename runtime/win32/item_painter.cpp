#include "runtime/win32/item_painter.h"

#include "runtime/win32/gdi_object.h"
#include "runtime/win32/high_contrast.h"

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

using Pen = GdiObject<HPEN>;

// Fills with a solid colour through the DC's own brush: nothing to make or free.
void Fill(HDC dc, const RECT& area, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A frame of every other pixel in one colour: the focus rectangle. (The
// system's own inverts what is beneath, which turns a red face's dots cyan.)
void DrawDottedFrame(HDC dc, const RECT& r, COLORREF colour) {
    for (LONG x = r.left; x < r.right; x += 2) {
        SetPixelV(dc, x, r.top, colour);
        SetPixelV(dc, x, r.bottom - 1, colour);
    }
    for (LONG y = r.top; y < r.bottom; y += 2) {
        SetPixelV(dc, r.left, y, colour);
        SetPixelV(dc, r.right - 1, y, colour);
    }
}

} // namespace

void PaintBackground(HDC dc, const RECT& area, const std::optional<Colour>& colour) {
    Fill(dc, area, colour ? colour->bgr : GetSysColor(COLOR_3DFACE));
}

void PaintLabel(HDC dc, const SceneItem& item, const std::wstring& caption, HFONT font, int dpi,
                bool highContrast) {
    RECT r = ToRect(ToPixels(item.rect, dpi));
    if (item.backStyle == BackStyle::Opaque)
        FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
    if (caption.empty())
        return;
    Selected withFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const std::optional<Colour> fore = OwnColour(item.foreColor, highContrast);
    SetTextColor(dc, fore ? fore->bgr : GetSysColor(COLOR_BTNTEXT));
    // Without DT_NOCLIP the text is clipped to the label's rectangle.
    DrawTextW(dc, caption.c_str(), int(caption.size()), &r,
              DT_TOP | DT_WORDBREAK | DT_NOPREFIX | HorizontalAlignment(item.alignment));
}

void PaintShape(HDC dc, const SceneItem& item, int dpi) {
    const PixelRect r = ToPixels(item.rect, dpi);
    // Inside the frame: the outline lies on the rectangle's outermost pixels.
    Pen pen(CreatePen(PS_INSIDEFRAME, ScalePixels(1, dpi), GetSysColor(COLOR_WINDOWTEXT)));
    Selected withPen(dc, pen.Get());
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
    Pen pen(CreatePen(PS_SOLID, ScalePixels(item.borderWidth, dpi), GetSysColor(COLOR_WINDOWTEXT)));
    Selected withPen(dc, pen.Get());
    const PixelLine l = ToPixels(item.line, dpi);
    MoveToEx(dc, l.x1, l.y1, nullptr);
    LineTo(dc, l.x2, l.y2);
}

void PaintButton(const DRAWITEMSTRUCT& draw, const SceneItem& item, const std::wstring& caption,
                 HFONT font, bool focusCues, bool highContrast) {
    HDC dc = draw.hDC;
    RECT bevel = draw.rcItem;
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(dc, &bevel, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    RECT face = draw.rcItem;
    InflateRect(&face, -kBevel, -kBevel);
    if (pressed)
        OffsetRect(&face, 1, 1);
    const std::optional<Colour> back = OwnColour(item.backColor, highContrast);
    if (item.style == ButtonStyle::Graphical && back)
        Fill(dc, face, back->bgr);

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

    if ((draw.itemState & ODS_FOCUS) != 0 && focusCues && (draw.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = draw.rcItem;
        InflateRect(&focus, -(kBevel + 1), -(kBevel + 1));
        DrawDottedFrame(dc, focus, GetSysColor(COLOR_BTNTEXT));
    }
}

} // namespace varn::win32
