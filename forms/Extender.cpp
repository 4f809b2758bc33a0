#include "forms/Extender.h"
#include "base/ComGuard.h"
#include "base/Variant.h"
#include "forms/ActiveXControl.h"
#include "forms/Form.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"

namespace qel::forms {
namespace {

// The extender's members, numbered apart from any control's.
enum : DISPID {
    kName = static_cast<DISPID>(0x80010000),
    kParent,
    kObject,
    kVisible,
    kTag,
};

struct Member {
    const wchar_t* name;
    DISPID id;
};

constexpr Member kMembers[] = {
    {L"Name", kName},       {L"Parent", kParent}, {L"Object", kObject},
    {L"Visible", kVisible}, {L"Tag", kTag},
};

DISPID OwnId(const wchar_t* name) {
    for (const Member& m : kMembers)
        if (_wcsicmp(name, m.name) == 0) return m.id;
    return DISPID_UNKNOWN;
}

bool IsOwn(DISPID id) {
    return id >= kName && id <= kTag;
}

} // namespace

void Extender::CutOff() {
    control_ = nullptr;
    inner_.reset();
}

STDMETHODIMP Extender::GetTypeInfoCount(UINT* n) {
    if (!n) return E_POINTER;
    *n = 0;
    return inner_ ? inner_->GetTypeInfoCount(n) : S_OK;
}

STDMETHODIMP Extender::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
    if (info) *info = nullptr;
    return inner_ ? inner_->GetTypeInfo(index, lcid, info) : DISP_E_BADINDEX;
}

STDMETHODIMP Extender::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                     DISPID* ids) {
    if (!names || !ids || count == 0) return E_POINTER;
    if (DISPID own = OwnId(names[0]); own != DISPID_UNKNOWN) {
        ids[0] = own;
        for (UINT i = 1; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    return inner_ ? inner_->GetIDsOfNames(iid, names, count, lcid, ids) : DISP_E_UNKNOWNNAME;
}

STDMETHODIMP Extender::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (IsOwn(id)) return ComGuard(L"", [&] { return InvokeOwn(id, flags, params, result); });
    return inner_ ? inner_->Invoke(id, iid, lcid, flags, params, result, excep, argErr)
                  : DISP_E_MEMBERNOTFOUND;
}

HRESULT Extender::InvokeOwn(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result) {
    if (!control_) return E_UNEXPECTED;
    try {
        DispatchCall call(id, flags, params, result);
        switch (id) {
        case kName:
            return call.ReadOnly<std::string>([&] { return control_->Name(); });
        case kParent:
            return call.ReadOnly<ComPtr<IDispatch>>(
                [&] { return ComPtr<IDispatch>(control_->Parent().Object()); });
        case kObject:
            return call.ReadOnly<ComPtr<IDispatch>>([&] { return inner_; });
        case kVisible:
            return call.Property<bool>([&] { return control_->Visible(); },
                                       [&](bool v) { control_->Visible(v); });
        case kTag:
            return call.Property<std::string>([&] { return control_->Tag(); },
                                              [&](std::string t) { control_->Tag(t); });
        }
    } catch (const RuntimeError&) {
        return DISP_E_TYPEMISMATCH;
    }
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP Extender::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    auto provider = inner_.as<IProvideClassInfo>();
    return provider ? provider->GetClassInfo(info) : E_NOTIMPL;
}

} // namespace qel::forms
