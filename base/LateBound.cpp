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

std::optional<Variant> GetProperty(IDispatch* object, const wchar_t* name) {
    DISPID id;
    if (!Id(object, name, &id)) return std::nullopt;
    Variant value;
    DISPPARAMS none{};
    if (FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                              value.ptr(), nullptr, nullptr)))
        return std::nullopt;
    return value;
}

bool GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value) {
    if (!value) return false;
    VariantInit(value);
    std::optional<Variant> read = GetProperty(object, name);
    if (read) *value = read->detach();
    return read.has_value();
}

std::optional<Variant> GetProperty(IDispatch* object, const wchar_t* name, VARTYPE type) {
    std::optional<Variant> read = GetProperty(object, name);
    Variant converted;
    if (!read || FAILED(read->ChangeType(type, converted))) return std::nullopt;
    return converted;
}

ComPtr<IDispatch> GetObjectProperty(IDispatch* object, const wchar_t* name) {
    std::optional<Variant> read = GetProperty(object, name);
    if (!read || read->type() != VT_DISPATCH) return nullptr;
    return V_DISPATCH(&read->get());
}

std::optional<OLE_COLOR> GetColourProperty(IDispatch* object, const wchar_t* name) {
    std::optional<Variant> v = GetProperty(object, name, VT_I8);
    if (!v || V_I8(&v->get()) < INT32_MIN || V_I8(&v->get()) > UINT32_MAX) return std::nullopt;
    return static_cast<OLE_COLOR>(V_I8(&v->get()));
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
    auto add = [&items](const Variant& v) {
        if (v.type() == VT_DISPATCH && V_DISPATCH(&v.get()))
            items.emplace_back(V_DISPATCH(&v.get()));
    };
    ComPtr<IEnumVARIANT> items_enum;
    {
        Variant e;
        DISPPARAMS none{};
        if (SUCCEEDED(collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                         DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, e.ptr(),
                                         nullptr, nullptr)) &&
            (e.type() == VT_UNKNOWN || e.type() == VT_DISPATCH) && V_UNKNOWN(&e.get()))
            V_UNKNOWN(&e.get())->QueryInterface(IID_IEnumVARIANT, items_enum.put_void());
    }
    if (items_enum) {
        Variant item;
        while (items_enum->Next(1, item.put(), nullptr) == S_OK)
            add(item);
        return items;
    }
    std::optional<Variant> count = GetProperty(collection, L"Count", VT_I4);
    if (!count) return items;
    for (LONG i = 1; i <= V_I4(&count->get()); ++i) {
        Variant item;
        if (CallMethod(collection, L"Item", {Variant(i).get()}, item.put())) add(item);
    }
    return items;
}

HWND WindowOfForm(IDispatch* form) {
    std::optional<Variant> v = GetProperty(form, L"hWnd", VT_I4);
    return v ? static_cast<HWND>(LongToHandle(V_I4(&v->get()))) : nullptr;
}

} // namespace qel
