// The messages a scene window answers: the mouse on its labels, its buttons'
// clicks, the keyboard's moves between controls, activation, a change of
// resolution or colours, a screen reader's request and closing.
#include "runtime/win32/scene_window.h"

#include "runtime/geometry.h"
#include "runtime/win32/item_painter.h"
#include "runtime/win32/text.h"

#include <windowsx.h>

#include <utility>

namespace varn::win32 {

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
            PaintButton(draw, *item, Widen(item->caption), gdi_.Font(item->font, dpi_), focusCues_,
                        highContrast_);
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
        return AccessibleObject(window_, wParam, lParam);
    case kPressMessage:
        if (const SceneItem* item = ItemOfControl(int(wParam)))
            Press(*item);
        return 0;
    case WM_DPICHANGED:
        // Dragged onto a monitor of another resolution (or that monitor's
        // resolution changed): drawn anew at it, in the frame suggested.
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam != SPI_SETHIGHCONTRAST)
            break;
        [[fallthrough]]; // High Contrast on or off: drawn anew in the colours it gives
    case WM_SYSCOLORCHANGE:
        // Every colour the scene does not name is the system's: repaint all.
        highContrast_ = HighContrastOn();
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

} // namespace varn::win32
