// The extender of a hosted ActiveX control: what the form adds to the control
// (Name, Parent: the form's automation object, Object: the control itself,
// Visible, Tag), in front of the control's own members, which it passes on. Its
// type information and class are the control's.
#pragma once
#include "base/ComObject.h"

#include <ocidl.h>

namespace qel::forms {

class ActiveXControl;

class Extender final : public ComObject<Extender, IDispatch, IProvideClassInfo> {
public:
    Extender(ActiveXControl* control, IDispatch* inner) : control_(control), inner_(inner) {}
    // The control is going: the extender lets it go and answers no more.
    void CutOff();

    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;

private:
    HRESULT InvokeOwn(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result);

    ActiveXControl* control_;
    ComPtr<IDispatch> inner_;
};

} // namespace qel::forms
