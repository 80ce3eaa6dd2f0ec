// The windowed items of a scene window: built as controls in tab order,
// placed and given their fonts at the window's resolution (again whenever
// that changes), pressed on a screen reader's behalf, and the accessible
// objects that describe them: the client area's, holding them all, and each
// button's and message box's own.
#include "runtime/win32/scene_window.h"

#include "runtime/accessible_text.h"
#include "runtime/geometry.h"
#include "runtime/win32/accessible_scene.h"
#include "runtime/win32/item_painter.h"
#include "runtime/win32/text.h"

namespace varn::win32 {

HWND SceneWindow::CreateControl(const SceneItem& item, int id) {
    const RECT r = ToRect(ToPixels(item.rect, dpi_));
    const auto menu = reinterpret_cast<HMENU>(INT_PTR(id));
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND control = nullptr;
    switch (item.kind) {
    case ItemKind::CommandButton: {
        // A button that shows no words carries its name for screen readers as
        // its window text, which the drawing below never shows.
        const std::string_view text =
            item.caption.empty() ? AccessibleTextOf(item).name : item.caption;
        // The system's push button, drawn here (PaintButton) so that every
        // caption wraps between words the same way and a graphical one
        // shows its face colour; pressing, focus and Space are the system's.
        control = CreateWindowExW(
            0, L"BUTTON", Widen(text).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
            r.left, r.top, r.right - r.left, r.bottom - r.top, window_, menu, instance, nullptr);
        break;
    }
    case ItemKind::TextBox:
        // Read-only: the message can be selected and copied, not changed.
        control = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Widen(item.text).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_READONLY,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, window_, menu,
                                  instance, nullptr);
        break;
    case ItemKind::PictureBox:
        pictures_.push_back({&gdi_.Picture(item.picture), dpi_});
        control =
            CreatePictureBox(window_, id, r, pictures_.back(), Widen(AccessibleTextOf(item).name));
        break;
    case ItemKind::Label:
    case ItemKind::Shape:
    case ItemKind::Line:
        break;
    }
    HFONT font = ControlFont(item);
    if (control != nullptr && font != nullptr)
        SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
    if (control != nullptr && item.kind != ItemKind::PictureBox)
        SetWindowLongPtrW(control, GWLP_WNDPROC, LONG_PTR(&ControlProcedure));
    return control;
}

Status SceneWindow::BuildControls() {
    // The dialog manager walks the controls in the order they were made, so
    // the focusable ones are made in tab order, then the rest.
    std::vector<const SceneItem*> order = TabOrder(scene_);
    for (const SceneItem& item : scene_.items)
        if (item.kind == ItemKind::PictureBox)
            order.push_back(&item);
    for (const SceneItem* item : order) {
        const int id = kFirstControlId + int(item - scene_.items.data());
        HWND control = nullptr;
        try {
            control = CreateControl(*item, id);
        } catch (const BitmapError& e) {
            return Status::Failed(e.what());
        }
        if (control == nullptr)
            return Status::Failed(LastErrorText("CreateWindowExW") + " for " +
                                  std::string(item->name));
        controls_[control] = item;
        if (item->kind != ItemKind::PictureBox)
            tabOrder_.push_back(control);
    }
    return Status::Ok();
}

const SceneItem* SceneWindow::ItemOfControl(int id) const {
    const int index = id - kFirstControlId;
    if (index < 0 || std::size_t(index) >= scene_.items.size())
        return nullptr;
    return &scene_.items[std::size_t(index)];
}

HWND SceneWindow::ControlOf(const SceneItem& item) const {
    for (const auto& [control, shown] : controls_)
        if (shown == &item)
            return control;
    return nullptr;
}

HFONT SceneWindow::ControlFont(const SceneItem& item) {
    switch (item.kind) {
    case ItemKind::CommandButton:
        return gdi_.Font(item.font, dpi_);
    case ItemKind::TextBox:
        return gdi_.Font(std::nullopt, dpi_);
    default:
        return nullptr;
    }
}

void SceneWindow::ChangeDpi(int dpi, const RECT& frame) {
    dpi_ = dpi;
    for (PictureView& view : pictures_)
        view.dpi = dpi;
    // Every control where its twips put it at the new resolution, with its
    // font made for it; the painted items follow at the next paint.
    for (const auto& [control, item] : controls_) {
        const RECT r = ToRect(ToPixels(item->rect, dpi));
        SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (HFONT font = ControlFont(*item))
            SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
    }
    SetWindowPos(window_, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void SceneWindow::PressLater(const SceneItem& item) {
    PostMessageW(window_, kPressMessage, WPARAM(kFirstControlId + (&item - scene_.items.data())),
                 0);
}

void SceneWindow::Press(const SceneItem& item) {
    // A scene hidden since the press was asked for takes no clicks.
    if (!IsWindowVisible(window_))
        return;
    if (HWND control = ControlOf(item))
        SendMessageW(control, BM_CLICK, 0, 0); // pressed as the mouse presses it
    else
        onClick_(scene_.id, item.action); // a label, clicked as the mouse clicks it
}

LRESULT CALLBACK SceneWindow::ControlProcedure(HWND control, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    // The class's own procedure, which the control had before this one.
    const auto system = reinterpret_cast<WNDPROC>(GetClassLongPtrW(control, GCLP_WNDPROC));
    auto* self =
        reinterpret_cast<SceneWindow*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA));
    if (message == WM_GETOBJECT && self != nullptr &&
        LONG(DWORD(lParam)) == OBJID_CLIENT) // the frame stays the system's
        if (LRESULT answer = self->AccessibleObject(control, wParam, lParam))
            return answer;
    return CallWindowProcW(system, control, message, wParam, lParam);
}

LRESULT SceneWindow::AccessibleObject(HWND asked, WPARAM flags, LPARAM objectId) {
    // Only the client area is the scene's own; the frame stays the system's.
    if (LONG(DWORD(objectId)) != OBJID_CLIENT)
        return DefWindowProcW(window_, WM_GETOBJECT, flags, objectId);
    AccessibleScene*& object = accessible_[asked];
    if (object == nullptr) {
        auto control = controls_.find(asked);
        object =
            AccessibleScene::Make(*this, control != controls_.end() ? control->second : nullptr);
    }
    if (object == nullptr) {
        accessible_.erase(asked);
        return asked == window_ ? DefWindowProcW(window_, WM_GETOBJECT, flags, objectId) : 0;
    }
    return object->Answer(flags);
}

} // namespace varn::win32
