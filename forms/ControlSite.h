// The site of a hosted ActiveX control: its client site and control site (with
// the extender as its extended control), its ambient properties (UserMode,
// DisplayName, BackColor, ForeColor, LocaleID, UIDead) and the sink of its
// property change notifications.
#pragma once
#include "base/ComObject.h"

#include <ocidl.h>
#include <oleidl.h>

namespace qel::forms {

class ActiveXControl;

class ControlSite final : public ComObject<ControlSite, IOleClientSite, IOleControlSite, IDispatch,
                                           IPropertyNotifySink> {
public:
    explicit ControlSite(ActiveXControl* control) : control_(control) {}
    // The control is going: the site answers nothing more about it.
    void CutOff() { control_ = nullptr; }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** extender) override;
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: the ambient properties.
    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

    // IPropertyNotifySink
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

private:
    ActiveXControl* control_;
};

// A sink advised on one connection point of a source, unadvised when it goes.
class Advice {
public:
    Advice() = default;
    Advice(IUnknown* source, REFIID iid, IUnknown* sink);
    Advice(Advice&& o) noexcept;
    Advice& operator=(Advice&& o) noexcept;
    Advice(const Advice&) = delete;
    Advice& operator=(const Advice&) = delete;
    ~Advice() { reset(); }
    void reset();

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

} // namespace qel::forms
