#include "base/LateBound.h"

#include <ocidl.h>
#include <oleauto.h>
#include <algorithm>
#include <cstdint>

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

std::optional<OLE_COLOR> GetColourProperty(IDispatch* object, const wchar_t* name) {
    VARIANT v;
    if (!GetProperty(object, name, &v)) return std::nullopt;
    std::optional<OLE_COLOR> colour;
    if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I8)) && V_I8(&v) >= INT32_MIN &&
        V_I8(&v) <= UINT32_MAX)
        colour = static_cast<OLE_COLOR>(V_I8(&v));
    VariantClear(&v);
    return colour;
}

bool PutColourProperty(IDispatch* object, const wchar_t* name, OLE_COLOR colour) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = static_cast<LONG>(colour);
    return PutProperty(object, name, v);
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

bool CallMethod(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANTARG> args,
                VARIANT* result) {
    DISPID id;
    if (!Id(object, name, &id)) return false;
    std::vector<VARIANTARG> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (result) VariantInit(result);
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, result,
                                    nullptr, nullptr));
}

std::vector<ComPtr<IDispatch>> CollectionItems(IDispatch* collection) {
    std::vector<ComPtr<IDispatch>> items;
    if (!collection) return items;
    auto add = [&items](VARIANT& v) {
        if (V_VT(&v) == VT_DISPATCH && V_DISPATCH(&v)) items.emplace_back(V_DISPATCH(&v));
        VariantClear(&v);
    };
    VARIANT e;
    VariantInit(&e);
    DISPPARAMS none{};
    if (SUCCEEDED(collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                     DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &e, nullptr,
                                     nullptr)) &&
        (V_VT(&e) == VT_UNKNOWN || V_VT(&e) == VT_DISPATCH) && V_UNKNOWN(&e)) {
        ComPtr<IEnumVARIANT> items_enum;
        V_UNKNOWN(&e)->QueryInterface(IID_IEnumVARIANT, items_enum.put_void());
        VariantClear(&e);
        if (items_enum) {
            VARIANT item;
            VariantInit(&item);
            while (items_enum->Next(1, &item, nullptr) == S_OK)
                add(item);
            return items;
        }
    }
    VariantClear(&e);
    VARIANT count;
    if (!GetProperty(collection, L"Count", &count) ||
        FAILED(VariantChangeType(&count, &count, 0, VT_I4)))
        return items;
    for (LONG i = 1; i <= V_I4(&count); ++i) {
        VARIANTARG index;
        V_VT(&index) = VT_I4;
        V_I4(&index) = i;
        VARIANT item;
        if (CallMethod(collection, L"Item", {index}, &item)) add(item);
    }
    return items;
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
