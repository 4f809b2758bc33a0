#include "forms/DispatchCall.h"
#include "base/Variant.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"

namespace qel::forms {
namespace {

// The value converted to `type`, by-reference values followed; error 13 otherwise.
Variant Coerce(const VARIANT& v, VARTYPE type) {
    Variant out;
    if (FAILED(VariantChangeType(out.put(), const_cast<VARIANT*>(&v), 0, type)))
        throw RuntimeError(kTypeMismatch, "Type mismatch");
    return out;
}

bool Omitted(const VARIANT& v) {
    return V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND;
}

} // namespace

UINT DispatchCall::Count() const {
    if (!params_) return 0;
    return params_->cArgs - (IsPut() && params_->cArgs > 0 ? 1 : 0);
}

bool DispatchCall::Has(UINT i) const {
    return i < Count() && !Omitted(params_->rgvarg[params_->cArgs - 1 - i]);
}

const VARIANT& DispatchCall::Positional(UINT i) const {
    if (!Has(i)) throw RuntimeError(kInvalidCall, "Argument not optional");
    return params_->rgvarg[params_->cArgs - 1 - i];
}

const VARIANT& DispatchCall::Assigned() const {
    if (!params_ || params_->cArgs == 0) throw RuntimeError(kInvalidCall, "Argument not optional");
    return params_->rgvarg[0];
}

template <> bool DispatchCall::Convert<bool>(const VARIANT& v) {
    return V_BOOL(Coerce(v, VT_BOOL).ptr()) != VARIANT_FALSE;
}

template <> short DispatchCall::Convert<short>(const VARIANT& v) {
    return V_I2(Coerce(v, VT_I2).ptr());
}

template <> long DispatchCall::Convert<long>(const VARIANT& v) {
    return V_I4(Coerce(v, VT_I4).ptr());
}

template <> float DispatchCall::Convert<float>(const VARIANT& v) {
    return V_R4(Coerce(v, VT_R4).ptr());
}

// Colours come as Longs, system colours negative; unsigned values are taken too.
template <> OleColor DispatchCall::Convert<OleColor>(const VARIANT& v) {
    LONGLONG value = V_I8(Coerce(v, VT_I8).ptr());
    if (value < INT32_MIN || value > UINT32_MAX)
        throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
    return static_cast<OleColor>(value);
}

template <> std::string DispatchCall::Convert<std::string>(const VARIANT& v) {
    Variant s = Coerce(v, VT_BSTR);
    BSTR b = V_BSTR(s.ptr());
    return Narrow(b, SysStringLen(b));
}

template <> ComPtr<IDispatch> DispatchCall::Convert<ComPtr<IDispatch>>(const VARIANT& v) {
    Variant d = Coerce(v, VT_DISPATCH);
    return ComPtr<IDispatch>(V_DISPATCH(d.ptr()));
}

template <> ComPtr<IPictureDisp> DispatchCall::Convert<ComPtr<IPictureDisp>>(const VARIANT& v) {
    ComPtr<IDispatch> d = Convert<ComPtr<IDispatch>>(v);
    if (!d) return {};
    auto picture = d.as<IPictureDisp>();
    if (!picture) throw RuntimeError(kTypeMismatch, "Type mismatch");
    return picture;
}

template <> HRESULT DispatchCall::Return<bool>(const bool& value) {
    if (result_) *result_ = Variant(value).detach();
    return S_OK;
}

template <> HRESULT DispatchCall::Return<short>(const short& value) {
    if (result_) {
        VariantInit(result_);
        V_VT(result_) = VT_I2;
        V_I2(result_) = value;
    }
    return S_OK;
}

template <> HRESULT DispatchCall::Return<long>(const long& value) {
    if (result_) *result_ = Variant(value).detach();
    return S_OK;
}

template <> HRESULT DispatchCall::Return<float>(const float& value) {
    if (result_) {
        VariantInit(result_);
        V_VT(result_) = VT_R4;
        V_R4(result_) = value;
    }
    return S_OK;
}

template <> HRESULT DispatchCall::Return<OleColor>(const OleColor& value) {
    return Return<long>(static_cast<long>(value));
}

template <> HRESULT DispatchCall::Return<std::string>(const std::string& value) {
    if (result_) *result_ = Variant(Widen(value)).detach();
    return S_OK;
}

template <> HRESULT DispatchCall::Return<ComPtr<IDispatch>>(const ComPtr<IDispatch>& value) {
    if (result_) *result_ = Variant(value.get()).detach();
    return S_OK;
}

template <> HRESULT DispatchCall::Return<ComPtr<IPictureDisp>>(const ComPtr<IPictureDisp>& value) {
    return Return<ComPtr<IDispatch>>(ComPtr<IDispatch>(value.get()));
}

template <> HRESULT DispatchCall::Return<ComPtr<IUnknown>>(const ComPtr<IUnknown>& value) {
    if (result_) {
        VariantInit(result_);
        V_VT(result_) = VT_UNKNOWN;
        V_UNKNOWN(result_) = value.get();
        if (value) value->AddRef();
    }
    return S_OK;
}

} // namespace qel::forms
