#include "forms/ControlSite.h"
#include "base/NamedMembers.h"
#include "base/Variant.h"
#include "forms/ActiveXControl.h"
#include "forms/Form.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"

#include <olectl.h>
#include <utility>

namespace qel::forms {
namespace {

constexpr NamedMember kAmbients[] = {
    {L"UserMode", DISPID_AMBIENT_USERMODE},   {L"DisplayName", DISPID_AMBIENT_DISPLAYNAME},
    {L"BackColor", DISPID_AMBIENT_BACKCOLOR}, {L"ForeColor", DISPID_AMBIENT_FORECOLOR},
    {L"LocaleID", DISPID_AMBIENT_LOCALEID},   {L"UIDead", DISPID_AMBIENT_UIDEAD},
};

} // namespace

STDMETHODIMP ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ControlSite::GetExtendedControl(IDispatch** extender) {
    if (!extender) return E_POINTER;
    *extender = nullptr;
    if (!control_) return E_UNEXPECTED;
    return CopyTo(ComPtr<IDispatch>(control_->Object()), extender);
}

STDMETHODIMP ControlSite::GetTypeInfoCount(UINT* n) {
    return NoTypeInfoCount(n);
}

STDMETHODIMP ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    return NoTypeInfo(info);
}

STDMETHODIMP ControlSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return IdsOfNamedMembers(kAmbients, names, count, ids);
}

STDMETHODIMP ControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                 EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!control_) return E_UNEXPECTED;
    Variant value;
    Form& form = control_->Parent();
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
        value = Variant(control_->UserMode());
        break;
    case DISPID_AMBIENT_DISPLAYNAME:
        value = Variant(Widen(control_->Name()));
        break;
    case DISPID_AMBIENT_BACKCOLOR:
        value = Variant(static_cast<long>(form.BackColor()));
        break;
    case DISPID_AMBIENT_FORECOLOR:
        value = Variant(static_cast<long>(form.ForeColor()));
        break;
    case DISPID_AMBIENT_LOCALEID:
        value = Variant(static_cast<long>(GetUserDefaultLCID()));
        break;
    case DISPID_AMBIENT_UIDEAD:
        value = Variant(false);
        break;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    if (result) *result = value.detach();
    return S_OK;
}

STDMETHODIMP ControlSite::OnChanged(DISPID id) {
    if (control_ && control_->OnPropertyChanged) Guarded([&] { control_->OnPropertyChanged(id); });
    return S_OK;
}

Advice::Advice(IUnknown* source, REFIID iid, IUnknown* sink) {
    auto container = ComPtr<IUnknown>(source).as<IConnectionPointContainer>();
    if (!container || FAILED(container->FindConnectionPoint(iid, point_.put()))) return;
    if (FAILED(point_->Advise(sink, &cookie_))) {
        cookie_ = 0;
        point_.reset();
    }
}

Advice::Advice(Advice&& o) noexcept
    : point_(std::move(o.point_)), cookie_(std::exchange(o.cookie_, 0)) {}

Advice& Advice::operator=(Advice&& o) noexcept {
    if (this != &o) {
        reset();
        point_ = std::move(o.point_);
        cookie_ = std::exchange(o.cookie_, 0);
    }
    return *this;
}

void Advice::reset() {
    if (point_ && cookie_) point_->Unadvise(cookie_);
    cookie_ = 0;
    point_.reset();
}

} // namespace qel::forms
