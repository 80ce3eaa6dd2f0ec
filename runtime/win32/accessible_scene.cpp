#include "runtime/win32/accessible_scene.h"

#include "runtime/accessible_text.h"
#include "runtime/geometry.h"
#include "runtime/win32/accessible_item.h"
#include "runtime/win32/scene_window.h"

#include <algorithm>
#include <new>

namespace varn::win32 {

namespace {

// Child ids first to last, handed out from a cursor: what AccessibleChildren
// reads through IEnumVARIANT.
HRESULT NextIds(ULONG total, ULONG& cursor, ULONG count, VARIANT* ids, ULONG* fetched) {
    if (ids == nullptr || (count > 1 && fetched == nullptr))
        return E_INVALIDARG;
    ULONG given = 0;
    for (; given < count && cursor < total; ++given, ++cursor) {
        VariantInit(&ids[given]);
        ids[given].vt = VT_I4;
        ids[given].lVal = LONG(cursor + 1);
    }
    if (fetched != nullptr)
        *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

// A second enumeration of the same children, as IEnumVARIANT::Clone makes:
// it needs nothing of the window, only how many children there are.
class ChildIds final : public IEnumVARIANT {
  public:
    ChildIds(ULONG total, ULONG cursor) : total_(total), cursor_(cursor) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (id != __uuidof(IUnknown) && id != __uuidof(IEnumVARIANT))
            return E_NOINTERFACE;
        *object = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return ULONG(left);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* ids, ULONG* fetched) override {
        return NextIds(total_, cursor_, count, ids, fetched);
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        cursor_ = std::min(total_, cursor_ + count);
        return cursor_ < total_ ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        cursor_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (copy == nullptr)
            return E_POINTER;
        *copy = new (std::nothrow) ChildIds(total_, cursor_);
        return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
    }

  private:
    ~ChildIds() = default;
    LONG references_ = 1;
    ULONG total_, cursor_;
};

HRESULT GiveText(const std::wstring& text, BSTR* out) {
    *out = nullptr;
    if (text.empty())
        return S_FALSE; // the item has none
    *out = SysAllocStringLen(text.data(), UINT(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void GiveId(VARIANT* out, LONG id) {
    out->vt = VT_I4;
    out->lVal = id;
}

} // namespace

AccessibleScene* AccessibleScene::Make(SceneWindow& window) {
    // The answer is marshalled to the screen reader's process, which needs
    // COM on this thread, the interface thread. Only a screen reader's
    // request enters it; the apartment then lasts as long as the program.
    static const bool entered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return entered ? new (std::nothrow) AccessibleScene(window) : nullptr;
}

AccessibleScene::AccessibleScene(SceneWindow& window) : window_(&window) {
    for (const SceneItem& item : window.Record().items)
        if (IsAccessible(item))
            items_.push_back(&item);
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
    item = child.lVal == CHILDID_SELF ? nullptr : items_[std::size_t(child.lVal) - 1];
    return true;
}

LONG AccessibleScene::IdOf(const SceneItem* item) const {
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? CHILDID_SELF : LONG(found - items_.begin()) + 1;
}

template <typename Reply> HRESULT AccessibleScene::ForChild(const VARIANT& child, Reply reply) {
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    const SceneItem* item = nullptr;
    if (!ItemOf(child, item))
        return E_INVALIDARG;
    return reply(*window_, item);
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
    return CreateStdAccessibleObject(window_->Handle(), OBJID_WINDOW, __uuidof(IDispatch),
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
    return ForChild(child, [](const SceneWindow&, const SceneItem* item) {
        return item != nullptr ? S_FALSE : E_INVALIDARG;
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
    return Text(child, description, [](const SceneWindow&, const SceneItem* item) {
        return AccessibleDescription(item);
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
    return ForChild(child, [&](const SceneWindow&, const SceneItem* item) {
        GiveId(role, AccessibleRole(item));
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

HRESULT AccessibleScene::get_accFocus(VARIANT* child) {
    if (child == nullptr)
        return E_POINTER;
    VariantInit(child);
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    const HWND focus = GetFocus();
    if (focus == window_->Handle()) {
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
    const HWND window = window_->Handle();
    POINT at{x, y};
    RECT client;
    if (!ScreenToClient(window, &at) || !GetClientRect(window, &client) || !PtInRect(&client, at))
        return S_FALSE; // outside this object
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

HRESULT AccessibleScene::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}
HRESULT AccessibleScene::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT AccessibleScene::Next(ULONG count, VARIANT* ids, ULONG* fetched) {
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    return NextIds(ULONG(items_.size()), cursor_, count, ids, fetched);
}

HRESULT AccessibleScene::Skip(ULONG count) {
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    cursor_ = std::min<ULONG>(ULONG(items_.size()), cursor_ + count);
    return cursor_ < items_.size() ? S_OK : S_FALSE;
}

HRESULT AccessibleScene::Reset() {
    cursor_ = 0;
    return window_ == nullptr ? RPC_E_DISCONNECTED : S_OK;
}

HRESULT AccessibleScene::Clone(IEnumVARIANT** copy) {
    if (copy == nullptr)
        return E_POINTER;
    *copy = nullptr;
    if (window_ == nullptr)
        return RPC_E_DISCONNECTED;
    *copy = new (std::nothrow) ChildIds(ULONG(items_.size()), cursor_);
    return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
}

void AnnounceNameChange(HWND window, const Scene& scene, const SceneItem& label) {
    LONG id = 0;
    for (const SceneItem& item : scene.items) {
        if (IsAccessible(item))
            ++id;
        if (&item == &label)
            break;
    }
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, id);
}

} // namespace varn::win32
