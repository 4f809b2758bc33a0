// The stored properties of a hosted control: values by name (case-insensitive),
// pictures included, handed to the control's IPersistPropertyBag::Load; a control
// that saves writes into one.
#pragma once
#include "base/ComObject.h"
#include "base/Variant.h"

#include <initializer_list>
#include <map>
#include <string>
#include <utility>

namespace qel::forms {

class PropertyBag final : public ComObject<PropertyBag, IPropertyBag> {
public:
    // A bag holding these values, e.g. {{L"FormMaxWidth", 10000}, {L"AlwaysOnTop", true}}.
    static ComPtr<PropertyBag> With(std::initializer_list<std::pair<std::wstring, Variant>> values);

    bool Has(const std::wstring& name) const { return values_.count(name) != 0; }
    // The value stored under `name`; empty when there is none.
    Variant Value(const std::wstring& name) const;
    void Value(const std::wstring& name, Variant value) { values_[name] = std::move(value); }
    size_t Count() const { return values_.size(); }

    // The value under the name, converted to the type the reader asks for (when
    // it asks for one); E_INVALIDARG when there is none.
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

private:
    struct NoCase {
        bool operator()(const std::wstring& a, const std::wstring& b) const {
            return _wcsicmp(a.c_str(), b.c_str()) < 0;
        }
    };
    std::map<std::wstring, Variant, NoCase> values_;
};

} // namespace qel::forms
