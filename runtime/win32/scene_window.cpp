#include "runtime/win32/scene_window.h"

#include "runtime/accessible_text.h"
#include "runtime/geometry.h"
#include "runtime/win32/accessible_scene.h"
#include "runtime/win32/gdi_object.h"
#include "runtime/win32/item_painter.h"
#include "runtime/win32/text.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace varn::win32 {

namespace {

// How many rows of the window one off-screen band holds.
constexpr int kBandRows = 32;

DWORD FrameStyle(const Scene& scene) {
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    if (!scene.minButton)
        style &= ~DWORD(WS_MINIMIZEBOX);
    if (!scene.maxButton)
        style &= ~DWORD(WS_MAXIMIZEBOX);
    return style;
}

HICON ProgramIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

Status SceneWindow::RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = Procedure;
    type.hInstance = instance;
    // Every scene window shows the program's icon, from its own resources.
    type.hIcon = ProgramIcon(instance, GetSystemMetrics(SM_CXICON));
    type.hIconSm = ProgramIcon(instance, GetSystemMetrics(SM_CXSMICON));
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = kSceneWindowClass;
    if (RegisterClassExW(&type) == 0)
        return Status::Failed(LastErrorText("RegisterClassExW"));
    return RegisterPictureBoxClass(instance);
}

SceneWindow::SceneWindow(const Scene& scene, GdiResources& gdi, ClickHandler onClick,
                         std::function<void()> onClose)
    : scene_(scene), gdi_(gdi), onClick_(std::move(onClick)), onClose_(std::move(onClose)),
      dpi_(gdi.Dpi()) {
    for (const SceneItem& item : scene.items)
        if (item.kind == ItemKind::Label)
            captions_[item.name] = Widen(item.caption);
}

SceneWindow::~SceneWindow() {
    if (accessible_ != nullptr)
        accessible_->Disconnect();
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

Status SceneWindow::Create(const Scene& scene, GdiResources& gdi, ClickHandler onClick,
                           std::function<void()> onClose, std::unique_ptr<SceneWindow>& window) {
    std::unique_ptr<SceneWindow> built(
        new SceneWindow(scene, gdi, std::move(onClick), std::move(onClose)));
    const int dpi = built->dpi_;
    const DWORD style = FrameStyle(scene);
    // The frame around a client area of the scene's size.
    RECT outer{0, 0, TwipsToPixels(scene.clientWidth, dpi), TwipsToPixels(scene.clientHeight, dpi)};
    if (!AdjustWindowRectEx(&outer, style, FALSE, 0))
        return Status::Failed(LastErrorText("AdjustWindowRectEx"));
    // Built hidden; where the system puts a new window is its default placement.
    HWND handle =
        CreateWindowExW(0, kSceneWindowClass, Widen(scene.caption).c_str(), style, CW_USEDEFAULT,
                        CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                        nullptr, GetModuleHandleW(nullptr), built.get());
    if (handle == nullptr)
        return Status::Failed(LastErrorText("CreateWindowExW"));
    Status controls = built->BuildControls();
    if (!controls.ok)
        return controls;
    window = std::move(built);
    return Status::Ok();
}

std::wstring SceneWindow::Caption(std::string_view label) const {
    auto found = captions_.find(label);
    return found == captions_.end() ? std::wstring() : found->second;
}

Status SceneWindow::SetCaption(std::string_view label, std::wstring caption) {
    auto found = captions_.find(label);
    if (found == captions_.end())
        return Status::Failed("no label named " + std::string(label));
    if (found->second == caption)
        return Status::Ok();
    found->second = std::move(caption);
    const SceneItem* item = scene_.FindItem(label);
    const RECT area = ToRect(ToPixels(item->rect, dpi_));
    if (!InvalidateRect(window_, &area, FALSE))
        return Status::Failed(LastErrorText("InvalidateRect"));
    AnnounceNameChange(window_, scene_, *item);
    return Status::Ok();
}

void SceneWindow::SetFocusCues(bool shown) {
    if (focusCues_ == shown)
        return;
    focusCues_ = shown;
    HWND focus = GetFocus();
    if (focus != nullptr && controls_.contains(focus))
        InvalidateRect(focus, nullptr, FALSE);
}

void SceneWindow::FocusFirstItem() {
    if (!tabOrder_.empty())
        SetFocus(tabOrder_.front());
}

LRESULT CALLBACK SceneWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SceneWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    }
    auto* self = reinterpret_cast<SceneWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT SceneWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint fills everything, off screen first
    case WM_COMMAND:
        // An owner-drawn button reports the second click of a quick pair as
        // a double click; a push button counts it as one more click.
        if ((HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED) && lParam != 0)
            if (const SceneItem* item = ItemOfControl(LOWORD(wParam)))
                onClick_(scene_.id, item->action);
        return 0;
    case WM_DRAWITEM: {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (const SceneItem* item = ItemOfControl(int(draw.CtlID))) {
            PaintButton(draw, *item, Widen(item->caption), gdi_.Font(item->font, dpi_), focusCues_);
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORSTATIC: // what a read-only edit box asks
    case WM_CTLCOLOREDIT:
        return TextBoxColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetCursorOver(reinterpret_cast<HWND>(wParam)))
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
        pressedLabel_ = LabelAt(scene_, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), dpi_);
        if (pressedLabel_ != nullptr)
            SetCapture(window_); // the release is seen wherever it happens
        return 0;
    case WM_LBUTTONUP:
        Release(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        pressedLabel_ = nullptr;
        return 0;
    case WM_NEXTDLGCTL: {
        // A multi-line edit box asks its parent to move on when Tab is pressed.
        HWND next = LOWORD(lParam) != 0
                        ? reinterpret_cast<HWND>(wParam)
                        : GetNextDlgTabItem(window_, GetFocus(), wParam != 0 ? TRUE : FALSE);
        if (next != nullptr)
            SetFocus(next);
        return 0;
    }
    case WM_ACTIVATE:
        // The focus comes back to where it was when the window was left.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus))
                lastFocus_ = focus;
            break;
        }
        if (lastFocus_ != nullptr)
            SetFocus(lastFocus_);
        else
            FocusFirstItem();
        return 0;
    case WM_GETOBJECT:
        return AccessibleObject(wParam, lParam);
    case kPressMessage:
        if (const SceneItem* item = ItemOfControl(int(wParam)))
            Press(*item);
        return 0;
    case WM_DPICHANGED:
        // Dragged onto a monitor of another resolution (or that monitor's
        // resolution changed): drawn anew at it, in the frame suggested.
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
        // Every colour the scene does not name is the system's: repaint all.
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    case WM_CLOSE:
        // Closing the visible scene ends the tour; the window stays until then.
        onClose_();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void SceneWindow::Release(int x, int y) {
    const SceneItem* pressed = std::exchange(pressedLabel_, nullptr);
    if (pressed == nullptr)
        return;
    ReleaseCapture();
    // A label is clicked when the left button goes down and up over it.
    if (LabelAt(scene_, x, y, dpi_) == pressed)
        onClick_(scene_.id, pressed->action);
}

bool SceneWindow::SetCursorOver(HWND control) {
    auto found = controls_.find(control);
    if (found == controls_.end() || found->second->mousePointer != MousePointer::SizeAll)
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
    return true;
}

LRESULT SceneWindow::TextBoxColours(HDC dc, HWND control) {
    auto found = controls_.find(control);
    if (found == controls_.end() || found->second->kind != ItemKind::TextBox)
        return DefWindowProcW(window_, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(control));
    // The window colours, read-only or not; a named colour is the text's.
    const SceneItem& item = *found->second;
    SetTextColor(dc, item.foreColor ? item.foreColor->bgr : GetSysColor(COLOR_WINDOWTEXT));
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
    PaintBackground(dc, area, scene_.backColor);
    for (const SceneItem& item : scene_.items) {
        const RECT painted = ToRect(PaintedArea(item, dpi));
        RECT overlap;
        if (!IntersectRect(&overlap, &painted, &area))
            continue; // a small repaint (a marker) leaves the rest alone
        switch (item.kind) {
        case ItemKind::Label:
            PaintLabel(dc, item, captions_.at(item.name), gdi_.Font(item.font, dpi), dpi);
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
