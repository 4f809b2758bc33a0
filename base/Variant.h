// An owned VARIANT: cleared when it goes, copied with VariantCopy.
#pragma once
#include "base/ComPtr.h"

#include <oaidl.h>
#include <oleauto.h>
#include <string>
#include <utility>

namespace qel {

class Variant {
public:
    Variant() { VariantInit(&v_); }
    Variant(bool b) : Variant() {
        V_VT(&v_) = VT_BOOL;
        V_BOOL(&v_) = b ? VARIANT_TRUE : VARIANT_FALSE;
    }
    Variant(int i) : Variant(static_cast<long>(i)) {}
    Variant(long i) : Variant() {
        V_VT(&v_) = VT_I4;
        V_I4(&v_) = i;
    }
    Variant(double d) : Variant() {
        V_VT(&v_) = VT_R8;
        V_R8(&v_) = d;
    }
    Variant(const wchar_t* s) : Variant() {
        V_VT(&v_) = VT_BSTR;
        V_BSTR(&v_) = SysAllocString(s);
    }
    Variant(const std::wstring& s) : Variant(s.c_str()) {}
    // An object reference (VT_DISPATCH), counted.
    Variant(IDispatch* d) : Variant() {
        V_VT(&v_) = VT_DISPATCH;
        V_DISPATCH(&v_) = d;
        if (d) d->AddRef();
    }
    template <class T> Variant(const ComPtr<T>& p) : Variant(static_cast<IDispatch*>(p.get())) {}
    // A copy of any VARIANT (by-reference values are copied as they are).
    explicit Variant(const VARIANT& v) : Variant() { VariantCopy(&v_, const_cast<VARIANT*>(&v)); }

    Variant(const Variant& o) : Variant(o.v_) {}
    Variant(Variant&& o) noexcept : v_(o.v_) { VariantInit(&o.v_); }
    Variant& operator=(Variant o) noexcept {
        std::swap(v_, o.v_);
        return *this;
    }
    ~Variant() { VariantClear(&v_); }

    const VARIANT& get() const { return v_; }
    VARIANT* ptr() { return &v_; }
    VARTYPE type() const { return V_VT(&v_); }
    bool empty() const { return V_VT(&v_) == VT_EMPTY; }
    // For out-parameters: clears the value and exposes it.
    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }
    // Hands the value to the caller (for VARIANT out-parameters of COM methods).
    VARIANT detach() {
        VARIANT v = v_;
        VariantInit(&v_);
        return v;
    }

    // The value converted to `type`; S_OK or the conversion's error (out is then empty).
    HRESULT ChangeType(VARTYPE type, Variant& out) const {
        return VariantChangeType(out.put(), const_cast<VARIANT*>(&v_), 0, type);
    }

private:
    VARIANT v_;
};

} // namespace qel
