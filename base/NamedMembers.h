// The IDispatch plumbing of small objects that have no type information and
// name their few members from a fixed table.
#pragma once
#include <oaidl.h>
#include <wchar.h>

namespace qel {

struct NamedMember {
    const wchar_t* name;
    DISPID id;
};

inline HRESULT NoTypeInfoCount(UINT* n) {
    if (!n) return E_POINTER;
    *n = 0;
    return S_OK;
}

inline HRESULT NoTypeInfo(ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

// GetIDsOfNames over `table` (names compared without case); argument names are unknown.
template <size_t N>
HRESULT IdsOfNamedMembers(const NamedMember (&table)[N], LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (i == 0)
            for (const NamedMember& m : table)
                if (_wcsicmp(names[0], m.name) == 0) ids[0] = m.id;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

} // namespace qel
