#include "base/LateBound.h"

#include <oleauto.h>

namespace qel {
namespace {

bool Id(IDispatch* object, const wchar_t* name, DISPID* id) {
    if (!object) return false;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    return SUCCEEDED(object->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, id));
}

} // namespace

bool GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value) {
    DISPID id;
    if (!value || !Id(object, name, &id)) return false;
    VariantInit(value);
    DISPPARAMS none{};
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                    value, nullptr, nullptr));
}

bool PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value) {
    DISPID id;
    if (!Id(object, name, &id)) return false;
    VARIANTARG arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                    &params, nullptr, nullptr, nullptr));
}

HWND WindowOfForm(IDispatch* form) {
    VARIANT v;
    if (!GetProperty(form, L"hWnd", &v)) return nullptr;
    HWND hwnd = nullptr;
    if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I4)))
        hwnd = static_cast<HWND>(LongToHandle(V_I4(&v)));
    VariantClear(&v);
    return hwnd;
}

} // namespace qel
