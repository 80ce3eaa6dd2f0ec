// How a scene window draws: its painted items off screen a band of rows at a
// time, and the colours its read-only text boxes ask for.
#include "runtime/win32/scene_window.h"

#include "runtime/geometry.h"
#include "runtime/win32/gdi_object.h"
#include "runtime/win32/high_contrast.h"
#include "runtime/win32/item_painter.h"

#include <algorithm>

namespace varn::win32 {

namespace {

// How many rows of the window one off-screen band holds.
constexpr int kBandRows = 32;

} // namespace

LRESULT SceneWindow::TextBoxColours(HDC dc, HWND control) {
    auto found = controls_.find(control);
    if (found == controls_.end() || found->second->kind != ItemKind::TextBox)
        return DefWindowProcW(window_, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(control));
    // The window colours, read-only or not; a named colour is the text's.
    const std::optional<Colour> fore = OwnColour(found->second->foreColor, highContrast_);
    SetTextColor(dc, fore ? fore->bgr : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return LRESULT(GetSysColorBrush(COLOR_WINDOW));
}

void SceneWindow::Paint() {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window_, &paint);
    const RECT& area = paint.rcPaint;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width > 0 && height > 0) {
        // Drawn off screen a band of rows at a time, each copied in one go,
        // so nothing flickers and the buffer stays a few kilobytes.
        const int bandRows = std::min(height, kBandRows);
        MemoryDc buffer(screen);
        GdiObject<HBITMAP> pixels(CreateCompatibleBitmap(screen, width, bandRows));
        if (buffer && pixels) {
            Selected into(buffer.Get(), pixels.Get());
            for (LONG top = area.top; top < area.bottom; top += bandRows) {
                const RECT band{area.left, top, area.right, std::min(area.bottom, top + bandRows)};
                SetViewportOrgEx(buffer.Get(), -band.left, -band.top, nullptr);
                PaintItems(buffer.Get(), band);
                SetViewportOrgEx(buffer.Get(), 0, 0, nullptr);
                BitBlt(screen, band.left, band.top, width, band.bottom - band.top, buffer.Get(), 0,
                       0, SRCCOPY);
            }
        } else {
            PaintItems(screen, area); // short of memory: straight to the screen
        }
    }
    EndPaint(window_, &paint);
}

void SceneWindow::PaintItems(HDC dc, const RECT& area) {
    const int dpi = dpi_;
    PaintBackground(dc, area, OwnColour(scene_.backColor, highContrast_));
    for (const SceneItem& item : scene_.items) {
        const RECT painted = ToRect(PaintedArea(item, dpi));
        RECT overlap;
        if (!IntersectRect(&overlap, &painted, &area))
            continue; // a small repaint (a marker) leaves the rest alone
        switch (item.kind) {
        case ItemKind::Label:
            PaintLabel(dc, item, captions_.at(item.name), gdi_.Font(item.font, dpi), dpi,
                       highContrast_);
            break;
        case ItemKind::Shape:
            PaintShape(dc, item, dpi);
            break;
        case ItemKind::Line:
            PaintLine(dc, item, dpi);
            break;
        default:
            break;
        }
    }
}

} // namespace varn::win32
