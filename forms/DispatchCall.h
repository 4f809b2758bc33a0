// One late-bound call on an object of the layer: which member, get or put, its
// arguments in declared order and its result. The objects' Invoke switch on Id()
// and answer with the helpers below; a value of the wrong type throws run-time
// error 13.
#pragma once
#include "base/ComPtr.h"
#include "forms/ColorBrush.h"

#include <oaidl.h>
#include <ocidl.h>
#include <string>

namespace qel::forms {

class DispatchCall {
public:
    DispatchCall(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result)
        : id_(id), flags_(flags), params_(params), result_(result) {}

    DISPID Id() const { return id_; }
    bool IsPut() const { return flags_ & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF); }
    bool IsGet() const { return !IsPut(); }

    // Positional arguments, without the value a put assigns.
    UINT Count() const;
    // True when argument i was given (not omitted).
    bool Has(UINT i) const;
    template <class T> T Arg(UINT i) const { return Convert<T>(Positional(i)); }
    // The type of argument i, by-reference marking left out.
    VARTYPE ArgType(UINT i) const { return static_cast<VARTYPE>(V_VT(&Positional(i)) & ~VT_BYREF); }
    // The value a put assigns.
    template <class T> T Value() const { return Convert<T>(Assigned()); }

    template <class T> HRESULT Return(const T& value);

    // A property: get returns get(), put calls set(value).
    template <class T, class Get, class Set> HRESULT Property(Get get, Set set) {
        if (IsPut()) {
            set(Value<T>());
            return S_OK;
        }
        return Return<T>(get());
    }
    template <class T, class Get> HRESULT ReadOnly(Get get) {
        if (IsPut()) return DISP_E_MEMBERNOTFOUND;
        return Return<T>(get());
    }
    template <class Body> HRESULT Method(Body body) {
        if (IsPut()) return DISP_E_MEMBERNOTFOUND;
        body();
        return S_OK;
    }

    template <class T> static T Convert(const VARIANT& v);

private:
    const VARIANT& Positional(UINT i) const;
    const VARIANT& Assigned() const;

    DISPID id_;
    WORD flags_;
    DISPPARAMS* params_;
    VARIANT* result_;
};

template <> bool DispatchCall::Convert<bool>(const VARIANT& v);
template <> short DispatchCall::Convert<short>(const VARIANT& v);
template <> long DispatchCall::Convert<long>(const VARIANT& v);
template <> float DispatchCall::Convert<float>(const VARIANT& v);
template <> OleColor DispatchCall::Convert<OleColor>(const VARIANT& v);
template <> std::string DispatchCall::Convert<std::string>(const VARIANT& v);
template <> ComPtr<IDispatch> DispatchCall::Convert<ComPtr<IDispatch>>(const VARIANT& v);
template <> ComPtr<IPictureDisp> DispatchCall::Convert<ComPtr<IPictureDisp>>(const VARIANT& v);

template <> HRESULT DispatchCall::Return<bool>(const bool& value);
template <> HRESULT DispatchCall::Return<short>(const short& value);
template <> HRESULT DispatchCall::Return<long>(const long& value);
template <> HRESULT DispatchCall::Return<float>(const float& value);
template <> HRESULT DispatchCall::Return<OleColor>(const OleColor& value);
template <> HRESULT DispatchCall::Return<std::string>(const std::string& value);
template <> HRESULT DispatchCall::Return<ComPtr<IDispatch>>(const ComPtr<IDispatch>& value);
template <> HRESULT DispatchCall::Return<ComPtr<IPictureDisp>>(const ComPtr<IPictureDisp>& value);
template <> HRESULT DispatchCall::Return<ComPtr<IUnknown>>(const ComPtr<IUnknown>& value);

} // namespace qel::forms
