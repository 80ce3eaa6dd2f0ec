// The children of an accessible object as IEnumVARIANT hands them out: their
// ids, 1 to the number of children, in order, from a cursor. What
// AccessibleChildren reads.
#pragma once

#include "runtime/win32/windows_api.h"

#include <oaidl.h>

namespace varn::win32 {

HRESULT NextChildIds(ULONG total, ULONG& cursor, ULONG count, VARIANT* ids, ULONG* fetched);
HRESULT SkipChildIds(ULONG total, ULONG& cursor, ULONG count);
// A second enumeration of the same children from the same place, needing
// nothing but how many there are.
HRESULT CloneChildIds(ULONG total, ULONG cursor, IEnumVARIANT** copy);

// A child id as a VARIANT.
inline void GiveId(VARIANT* out, LONG id) {
    out->vt = VT_I4;
    out->lVal = id;
}
inline VARIANT ChildId(LONG id) {
    VARIANT v;
    VariantInit(&v);
    GiveId(&v, id);
    return v;
}

} // namespace varn::win32
