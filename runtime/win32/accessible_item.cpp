#include "runtime/win32/accessible_item.h"

#include "runtime/accessible_text.h"
#include "runtime/geometry.h"
#include "runtime/win32/item_painter.h"
#include "runtime/win32/scene_window.h"
#include "runtime/win32/text.h"

#include <oleacc.h>

namespace varn::win32 {

namespace {

bool HasFocus(HWND window) {
    return window != nullptr && GetFocus() == window;
}

bool IsMarker(const SceneItem& item) {
    return item.action.kind == ClickAction::Kind::ToggleMarker;
}

} // namespace

LONG AccessibleRole(const Scene& scene, const SceneItem* item) {
    if (item == nullptr)
        return scene.ending ? ROLE_SYSTEM_ALERT : ROLE_SYSTEM_DIALOG;
    switch (item->kind) {
    case ItemKind::CommandButton:
        // A check box: its state is spoken by every Windows screen reader,
        // "checked" and "not checked" alike, where a push button's pressed
        // state is told only while it is set.
        return IsMarker(*item) ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON;
    case ItemKind::Label:
        return IsPressableLabel(*item) ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT;
    case ItemKind::TextBox:
        return ROLE_SYSTEM_TEXT;
    case ItemKind::PictureBox:
        return ROLE_SYSTEM_GRAPHIC;
    case ItemKind::Shape:
    case ItemKind::Line:
        break;
    }
    return ROLE_SYSTEM_CLIENT;
}

std::wstring AccessibleName(const SceneWindow& window, const SceneItem* item) {
    if (item == nullptr)
        return Widen(window.Record().caption);
    if (item->kind == ItemKind::Label)
        return window.Caption(item->name); // what it shows now
    if (item->kind == ItemKind::TextBox)
        return Widen(kMessageBoxAccessibleName); // the value is the message
    const std::string_view given = AccessibleTextOf(*item).name;
    return Widen(given.empty() ? item->caption : given);
}

std::wstring AccessibleDescription(const Scene& scene, const SceneItem* item) {
    if (item == nullptr)
        return Widen(WindowDescription(scene));
    return Widen(AccessibleTextOf(*item).description);
}

std::wstring AccessibleValue(const SceneItem* item) {
    return item != nullptr && item->kind == ItemKind::TextBox ? Widen(item->text) : std::wstring();
}

LONG AccessibleState(const SceneWindow& window, const SceneItem* item) {
    LONG state = IsWindowVisible(window.Handle()) ? 0 : STATE_SYSTEM_INVISIBLE;
    if (item == nullptr)
        return state | STATE_SYSTEM_FOCUSABLE |
               (HasFocus(window.Handle()) ? STATE_SYSTEM_FOCUSED : 0);
    const HWND control = window.ControlOf(*item);
    switch (item->kind) {
    case ItemKind::CommandButton:
        if (IsMarker(*item) && !window.Caption(item->action.markerLabel).empty())
            state |= STATE_SYSTEM_CHECKED;
        return state | STATE_SYSTEM_FOCUSABLE | (HasFocus(control) ? STATE_SYSTEM_FOCUSED : 0);
    case ItemKind::TextBox:
        return state | STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE |
               (HasFocus(control) ? STATE_SYSTEM_FOCUSED : 0);
    case ItemKind::Label:
        // Labels never take the keyboard focus.
        return state | (IsPressableLabel(*item) ? 0 : STATE_SYSTEM_READONLY);
    case ItemKind::PictureBox:
        return state | STATE_SYSTEM_READONLY;
    case ItemKind::Shape:
    case ItemKind::Line:
        break;
    }
    return state;
}

std::wstring DefaultAction(const SceneItem* item) {
    if (item != nullptr && (item->kind == ItemKind::CommandButton || IsPressableLabel(*item)))
        return L"Press";
    return {};
}

bool ScreenRect(const SceneWindow& window, const SceneItem* item, RECT& rect) {
    if (item != nullptr) {
        if (HWND control = window.ControlOf(*item))
            return GetWindowRect(control, &rect) != FALSE;
    }
    // The client area, or a painted item's rectangle in it.
    if (item == nullptr) {
        if (!GetClientRect(window.Handle(), &rect))
            return false;
    } else {
        rect = ToRect(ToPixels(item->rect, window.Dpi()));
    }
    POINT origin{0, 0};
    if (!ClientToScreen(window.Handle(), &origin))
        return false;
    OffsetRect(&rect, origin.x, origin.y);
    return true;
}

} // namespace varn::win32
