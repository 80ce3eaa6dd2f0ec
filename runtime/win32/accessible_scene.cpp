#include "runtime/win32/accessible_scene.h"

#include "runtime/accessible_text.h"
#include "runtime/geometry.h"
#include "runtime/win32/accessible_item.h"
#include "runtime/win32/child_ids.h"
#include "runtime/win32/scene_window.h"

#include <algorithm>
#include <new>

namespace varn::win32 {

namespace {

HRESULT GiveText(const std::wstring& text, BSTR* out) {
    *out = nullptr;
    if (text.empty())
        return S_FALSE; // the item has none
    *out = SysAllocStringLen(text.data(), UINT(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace

AccessibleScene* AccessibleScene::Make(SceneWindow& window, const SceneItem* item) {
    // The answer is marshalled to the screen reader's process, which needs
    // COM on this thread, the interface thread. Only a screen reader's
    // request enters it; the apartment then lasts as long as the program.
    static const bool entered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return entered ? new (std::nothrow) AccessibleScene(window, item) : nullptr;
}

AccessibleScene::AccessibleScene(SceneWindow& window, const SceneItem* item)
    : window_(&window), self_(item),
      handle_(item != nullptr ? window.ControlOf(*item) : window.Handle()) {
    if (item != nullptr)
        return;
    for (const SceneItem& child : window.Record().items)
        if (IsAccessible(child))
            items_.push_back(&child);
}

LRESULT AccessibleScene::Answer(WPARAM flags) {
    // __uuidof rather than IID_IAccessible: in one of the toolchain's import
    // libraries that name resolves to code, not to the interface's id.
    return LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(this));
}

void AccessibleScene::Disconnect() {
    window_ = nullptr;
    CoDisconnectObject(static_cast<IAccessible*>(this), 0);
    Release();
}

HRESULT AccessibleScene::QueryInterface(REFIID id, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible))
        *object = static_cast<IAccessible*>(this);
    else if (id == __uuidof(IEnumVARIANT))
        *object = static_cast<IEnumVARIANT*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG AccessibleScene::AddRef() {
    return ULONG(InterlockedIncrement(&references_));
}

ULONG AccessibleScene::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return ULONG(left);
}

HRESULT AccessibleScene::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT AccessibleScene::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}
HRESULT AccessibleScene::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
HRESULT AccessibleScene::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*) {
    return E_NOTIMPL;
}

bool AccessibleScene::ItemOf(const VARIANT& child, const SceneItem*& item) const {
    if (child.vt != VT_I4 || child.lVal < 0 || std::size_t(child.lVal) > items_.size())
        return false;
    item = child.lVal == CHILDID_SELF ? self_ : items_[std::size_t(child.lVal) - 1];
    return true;
}

LONG AccessibleScene::IdOf(const SceneItem* item) const {
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? CHILDID_SELF : LONG(found - items_.begin()) + 1;
}

HRESULT AccessibleScene::Text(const VARIANT& child, BSTR* out,
                              std::wstring (*read)(const SceneWindow&, const SceneItem*)) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    return ForChild(child, [&](const SceneWindow& window, const SceneItem* item) {
        return GiveText(read(window, item), out);
    });
}

HRESULT AccessibleScene::get_accParent(IDispatch** parent) {
    if (parent == nullptr)
        return E_POINTER;
    *parent = nullptr;
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    // The window's standard object: title bar, frame and this client area.
    return CreateStdAccessibleObject(handle_, OBJID_WINDOW, __uuidof(IDispatch),
                                     reinterpret_cast<void**>(parent));
}

HRESULT AccessibleScene::get_accChildCount(LONG* count) {
    if (count == nullptr)
        return E_POINTER;
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    *count = LONG(items_.size());
    return S_OK;
}

HRESULT AccessibleScene::get_accChild(VARIANT child, IDispatch** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    // Every child is a simple element, answered for by this object.
    return ForChild(child, [&](const SceneWindow&, const SceneItem* item) {
        return item != nullptr && item != self_ ? S_FALSE : E_INVALIDARG;
    });
}

HRESULT AccessibleScene::get_accName(VARIANT child, BSTR* name) {
    return Text(child, name, AccessibleName);
}

HRESULT AccessibleScene::get_accValue(VARIANT child, BSTR* value) {
    return Text(child, value,
                [](const SceneWindow&, const SceneItem* item) { return AccessibleValue(item); });
}

HRESULT AccessibleScene::get_accDescription(VARIANT child, BSTR* description) {
    return Text(child, description, [](const SceneWindow& window, const SceneItem* item) {
        return AccessibleDescription(window.Record(), item);
    });
}

HRESULT AccessibleScene::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Text(child, action,
                [](const SceneWindow&, const SceneItem* item) { return DefaultAction(item); });
}

HRESULT AccessibleScene::get_accHelp(VARIANT child, BSTR* help) {
    return Text(child, help, [](const SceneWindow&, const SceneItem*) { return std::wstring(); });
}

HRESULT AccessibleScene::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return Text(child, shortcut,
                [](const SceneWindow&, const SceneItem*) { return std::wstring(); });
}

HRESULT AccessibleScene::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
    if (file != nullptr)
        *file = nullptr;
    if (topic != nullptr)
        *topic = 0;
    return window_ == nullptr ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleScene::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr)
        return E_POINTER;
    VariantInit(role);
    return ForChild(child, [&](const SceneWindow& window, const SceneItem* item) {
        GiveId(role, AccessibleRole(window.Record(), item));
        return S_OK;
    });
}

HRESULT AccessibleScene::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr)
        return E_POINTER;
    VariantInit(state);
    return ForChild(child, [&](const SceneWindow& window, const SceneItem* item) {
        GiveId(state, AccessibleState(window, item));
        return S_OK;
    });
}

HRESULT AccessibleScene::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}
HRESULT AccessibleScene::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT AccessibleScene::Next(ULONG count, VARIANT* ids, ULONG* fetched) {
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    return NextChildIds(ULONG(items_.size()), cursor_, count, ids, fetched);
}

HRESULT AccessibleScene::Skip(ULONG count) {
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    return SkipChildIds(ULONG(items_.size()), cursor_, count);
}

HRESULT AccessibleScene::Reset() {
    cursor_ = 0;
    return window_ == nullptr ? RPC_E_DISCONNECTED : S_OK;
}

HRESULT AccessibleScene::Clone(IEnumVARIANT** copy) {
    if (copy != nullptr)
        *copy = nullptr;
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    return CloneChildIds(ULONG(items_.size()), cursor_, copy);
}

void AnnounceCaptionChange(const SceneWindow& window, const SceneItem& label) {
    LONG id = 0;
    for (const SceneItem& item : window.Record().items) {
        if (!IsAccessible(item))
            continue;
        ++id;
        if (&item == &label) {
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window.Handle(), OBJID_CLIENT, id);
        } else if (item.action.kind == ClickAction::Kind::ToggleMarker &&
                   item.action.markerLabel == label.name) {
            NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window.Handle(), OBJID_CLIENT, id);
            if (HWND control = window.ControlOf(item))
                NotifyWinEvent(EVENT_OBJECT_STATECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
        }
    }
}

} // namespace varn::win32
