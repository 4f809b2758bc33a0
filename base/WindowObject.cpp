#include "base/WindowObject.h"
#include "base/NamedMembers.h"

namespace qel {
namespace {
constexpr DISPID kHwndId = 1;
constexpr NamedMember kMembers[] = {{L"hWnd", kHwndId}};
} // namespace

STDMETHODIMP WindowObject::GetTypeInfoCount(UINT* n) {
    return NoTypeInfoCount(n);
}

STDMETHODIMP WindowObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    return NoTypeInfo(info);
}

STDMETHODIMP WindowObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return IdsOfNamedMembers(kMembers, names, count, ids);
}

STDMETHODIMP WindowObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO*, UINT*) {
    if (id != kHwndId) return DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    if (!result) return E_POINTER;
    VariantInit(result);
    V_VT(result) = VT_I4;
    V_I4(result) = HandleToLong(hwnd_);
    return S_OK;
}

} // namespace qel
