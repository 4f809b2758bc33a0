#include "forms/PropertyBag.h"
#include "base/ComGuard.h"

namespace qel::forms {

ComPtr<PropertyBag>
PropertyBag::With(std::initializer_list<std::pair<std::wstring, Variant>> values) {
    ComPtr<PropertyBag> bag = Create();
    for (const auto& [name, value] : values)
        bag->Value(name, value);
    return bag;
}

Variant PropertyBag::Value(const std::wstring& name) const {
    auto found = values_.find(name);
    return found == values_.end() ? Variant() : found->second;
}

STDMETHODIMP PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    return ComGuard(L"", [&] {
        auto found = values_.find(name);
        if (found == values_.end()) return E_INVALIDARG;
        const VARTYPE wanted = V_VT(value);
        VariantInit(value);
        if (wanted == VT_EMPTY)
            return VariantCopy(value, const_cast<VARIANT*>(&found->second.get()));
        return VariantChangeType(value, const_cast<VARIANT*>(&found->second.get()), 0, wanted);
    });
}

STDMETHODIMP PropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    return ComGuard(L"", [&] {
        values_[name] = Variant(*value);
        return S_OK;
    });
}

} // namespace qel::forms
