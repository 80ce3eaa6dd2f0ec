// What a screen reader asks of a scene beyond its children's words: the
// focus, where things are and what lies at a point, the way from one child to
// the next, and pressing.
#include "runtime/win32/accessible_scene.h"

#include "runtime/geometry.h"
#include "runtime/win32/accessible_item.h"
#include "runtime/win32/child_ids.h"
#include "runtime/win32/scene_window.h"

namespace varn::win32 {

HRESULT AccessibleScene::get_accFocus(VARIANT* child) {
    if (child == nullptr)
        return E_POINTER;
    VariantInit(child);
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    const HWND focus = GetFocus();
    if (focus == handle_) {
        GiveId(child, CHILDID_SELF);
        return S_OK;
    }
    for (const SceneItem* item : items_)
        if (focus != nullptr && window_->ControlOf(*item) == focus) {
            GiveId(child, IdOf(item));
            return S_OK;
        }
    return S_FALSE; // the focus is elsewhere
}

HRESULT AccessibleScene::get_accSelection(VARIANT* children) {
    if (children == nullptr)
        return E_POINTER;
    VariantInit(children);
    return window_ == nullptr ? RPC_E_DISCONNECTED : S_FALSE; // nothing is ever selected
}

HRESULT AccessibleScene::accSelect(LONG flags, VARIANT child) {
    return ForChild(child, [&](const SceneWindow& window, const SceneItem* item) {
        // Only the focus can be given, and only to what Tab reaches.
        const HWND control = item != nullptr ? window.ControlOf(*item) : nullptr;
        if (flags != SELFLAG_TAKEFOCUS || control == nullptr ||
            (AccessibleState(window, item) & STATE_SYSTEM_FOCUSABLE) == 0)
            return DISP_E_MEMBERNOTFOUND;
        return SetFocus(control) != nullptr || GetFocus() == control ? S_OK : E_FAIL;
    });
}

HRESULT AccessibleScene::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    return ForChild(child, [&](const SceneWindow& window, const SceneItem* item) {
        RECT r;
        if (!ScreenRect(window, item, r))
            return E_FAIL;
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    });
}

HRESULT AccessibleScene::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (end == nullptr)
        return E_POINTER;
    VariantInit(end);
    return ForChild(start, [&](const SceneWindow&, const SceneItem* item) {
        const LONG id = IdOf(item), last = LONG(items_.size());
        LONG to = CHILDID_SELF;
        if (item == nullptr && direction == NAVDIR_FIRSTCHILD)
            to = last > 0 ? 1 : CHILDID_SELF;
        else if (item == nullptr && direction == NAVDIR_LASTCHILD)
            to = last;
        else if (item != nullptr && direction == NAVDIR_NEXT && id < last)
            to = id + 1;
        else if (item != nullptr && direction == NAVDIR_PREVIOUS && id > 1)
            to = id - 1;
        if (to == CHILDID_SELF)
            return S_FALSE; // nothing that way, within this object
        GiveId(end, to);
        return S_OK;
    });
}

HRESULT AccessibleScene::accHitTest(LONG x, LONG y, VARIANT* child) {
    if (child == nullptr)
        return E_POINTER;
    VariantInit(child);
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    const HWND window = handle_;
    POINT at{x, y};
    RECT client;
    if (!ScreenToClient(window, &at) || !GetClientRect(window, &client) || !PtInRect(&client, at))
        return S_FALSE; // outside this object
    if (self_ != nullptr) {
        GiveId(child, CHILDID_SELF); // a control has no children
        return S_OK;
    }
    // The controls lie above everything painted.
    const HWND under = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE);
    const SceneItem* item = nullptr;
    for (const SceneItem* candidate : items_)
        if (under != nullptr && under != window && window_->ControlOf(*candidate) == under)
            item = candidate;
    if (item == nullptr)
        item = LabelAt(window_->Record(), at.x, at.y, window_->Dpi());
    GiveId(child, IdOf(item));
    return S_OK;
}

HRESULT AccessibleScene::accDoDefaultAction(VARIANT child) {
    return ForChild(child, [](SceneWindow& window, const SceneItem* item) {
        if (DefaultAction(item).empty())
            return DISP_E_MEMBERNOTFOUND;
        if (!IsWindowVisible(window.Handle()))
            return E_FAIL; // a hidden scene takes no clicks
        // Pressed once this call has been answered, as a click is run from the
        // event loop: a move to another scene never holds up the screen reader.
        window.PressLater(*item);
        return S_OK;
    });
}

} // namespace varn::win32
