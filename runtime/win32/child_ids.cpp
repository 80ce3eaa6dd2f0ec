#include "runtime/win32/child_ids.h"

#include <algorithm>
#include <new>

namespace varn::win32 {

namespace {

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
        return NextChildIds(total_, cursor_, count, ids, fetched);
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        return SkipChildIds(total_, cursor_, count);
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        cursor_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (copy == nullptr)
            return E_POINTER;
        return CloneChildIds(total_, cursor_, copy);
    }

  private:
    ~ChildIds() = default;
    LONG references_ = 1;
    ULONG total_, cursor_;
};

} // namespace

HRESULT NextChildIds(ULONG total, ULONG& cursor, ULONG count, VARIANT* ids, ULONG* fetched) {
    if (ids == nullptr || (count > 1 && fetched == nullptr))
        return E_INVALIDARG;
    ULONG given = 0;
    for (; given < count && cursor < total; ++given, ++cursor) {
        ids[given] = ChildId(LONG(cursor + 1));
    }
    if (fetched != nullptr)
        *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT SkipChildIds(ULONG total, ULONG& cursor, ULONG count) {
    cursor = count < total - std::min(cursor, total) ? cursor + count : total;
    return cursor < total ? S_OK : S_FALSE;
}

HRESULT CloneChildIds(ULONG total, ULONG cursor, IEnumVARIANT** copy) {
    if (copy == nullptr)
        return E_POINTER;
    *copy = new (std::nothrow) ChildIds(total, cursor);
    return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace varn::win32
