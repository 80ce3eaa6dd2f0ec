#include "runtime/win32/picture_box.h"

#include "runtime/geometry.h"
#include "runtime/win32/text.h"

namespace varn::win32 {

namespace {

void Paint(HWND window, const PictureView& view) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT inside;
    GetClientRect(window, &inside);
    FillRect(dc, &inside, GetSysColorBrush(COLOR_3DFACE));
    const BitmapLayout& layout = view.picture->layout;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = layout.width;
    info.bmiHeader.biHeight = layout.bottomUp ? layout.height : -layout.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    // One picture pixel to one screen pixel at 96 dpi; on a denser screen the
    // picture grows with its box, pixel by pixel, never smoothed.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, ScalePixels(layout.width, view.dpi),
                  ScalePixels(layout.height, view.dpi), 0, 0, layout.width, layout.height,
                  view.picture->bytes.data() + layout.offset, &info, DIB_RGB_COLORS, SRCCOPY);
    EndPaint(window, &paint);
}

LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    const auto* view =
        reinterpret_cast<const PictureView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (view != nullptr) {
            Paint(window, *view);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

Status RegisterPictureBoxClass(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = PictureBoxProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = kPictureBoxClass;
    if (RegisterClassExW(&type) == 0)
        return Status::Failed(LastErrorText("RegisterClassExW"));
    return Status::Ok();
}

HWND CreatePictureBox(HWND parent, int id, const RECT& area, const PictureView& view,
                      const std::wstring& name) {
    return CreateWindowExW(WS_EX_CLIENTEDGE, kPictureBoxClass, name.c_str(), WS_CHILD | WS_VISIBLE,
                           area.left, area.top, area.right - area.left, area.bottom - area.top,
                           parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr),
                           const_cast<PictureView*>(&view));
}

} // namespace varn::win32
