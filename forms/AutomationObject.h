// The COM object behind Automated::Object: IDispatch through the layer's type
// library (names and dispatch identifiers) with the C++ object's own Invoke, and
// IProvideClassInfo naming the kind's class.
#pragma once
#include "base/ComObject.h"
#include "forms/Automated.h"

#include <ocidl.h>

namespace qel::forms {

class AutomationObject final : public ComObject<AutomationObject, IDispatch, IProvideClassInfo> {
public:
    explicit AutomationObject(Automated* target) : target_(target), iid_(target->DispatchIid()) {}

    // The C++ object is going: later calls fail.
    void CutOff() { target_ = nullptr; }

    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override;
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;

private:
    Automated* target_;
    IID iid_;
};

} // namespace qel::forms
