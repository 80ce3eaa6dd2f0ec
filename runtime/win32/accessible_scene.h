// A scene window's client area as Microsoft Active Accessibility offers it to
// screen readers (Narrator, NVDA): one object whose children are the scene's
// items in listing order, each a simple element named by its child id (its
// place among them, from 1). The painted labels, which are no windows, are
// reached only this way. The window makes it when a screen reader first asks
// and disconnects it when the window goes: from then on every call answers
// RPC_E_DISCONNECTED and nothing of the window is touched, however long a
// screen reader keeps its reference. A button or message box, a window of its
// own that the focus lands on, answers with one too, the same element standing
// alone: what a screen reader reads when it gets there (the marker's state,
// the message's name) is what it reads among the scene's children.
#pragma once

#include "runtime/scene.h"
#include "runtime/win32/windows_api.h"

#include <oleacc.h>

#include <vector>

namespace varn::win32 {

class SceneWindow;

class AccessibleScene final : public IAccessible, public IEnumVARIANT {
  public:
    // Null when the thread's COM apartment cannot be entered. With an item,
    // the object of that item's control alone; without, the client area's.
    static AccessibleScene* Make(SceneWindow& window, const SceneItem* item = nullptr);
    // The answer to WM_GETOBJECT for the client area.
    LRESULT Answer(WPARAM flags);
    // The window is going: drops every outside reference and its own.
    void Disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; screen readers call the interface itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;
    // IEnumVARIANT: the children's ids, in listing order.
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* ids, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override;

  private:
    AccessibleScene(SceneWindow& window, const SceneItem* item);
    ~AccessibleScene() = default;
    // Reads the child id; false for an id that names nothing here. The
    // object's own id (CHILDID_SELF) gives its item, null for the client area.
    bool ItemOf(const VARIANT& child, const SceneItem*& item) const;
    LONG IdOf(const SceneItem* item) const;
    // The shared frame of the calls that take a child id.
    template <typename Reply> HRESULT ForChild(const VARIANT& child, Reply reply) {
        if (window_ == nullptr)
            return RPC_E_DISCONNECTED;
        const SceneItem* item = nullptr;
        if (!ItemOf(child, item))
            return E_INVALIDARG;
        return reply(*window_, item);
    }
    HRESULT Text(const VARIANT& child, BSTR* out,
                 std::wstring (*read)(const SceneWindow&, const SceneItem*));

    LONG references_ = 1;
    SceneWindow* window_;                 // null once disconnected
    const SceneItem* self_;               // a control's item, or null for the client area
    HWND handle_;                         // the window answering for this object
    std::vector<const SceneItem*> items_; // the children, none for a control
    ULONG cursor_ = 0;                    // the enumeration's next child
};

// Tells screen readers that a label now shows other words, and that the
// marker showing or hiding them is now checked or not (among the scene's
// children and as its own control).
void AnnounceCaptionChange(const SceneWindow& window, const SceneItem& label);

} // namespace varn::win32
