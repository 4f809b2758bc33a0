// The automation side of a form, a control, a menu or a collection: a C++ object
// of the layer answers late-bound calls through an automation object of its kind
// (a class of the layer's type library). The automation object may outlive the
// C++ object in a client's hands; it then answers run-time error 364.
#pragma once
#include "base/ComPtr.h"
#include "forms/DispatchCall.h"
#include "forms/FormsTypeLib.h"

#include <oaidl.h>

namespace qel::forms {

class AutomationObject;

class Automated {
public:
    // The automation object (made on first use); valid while this object lives,
    // and as long as a client holds a reference to it.
    virtual IDispatch* Object();

    Automated(const Automated&) = delete;
    Automated& operator=(const Automated&) = delete;

protected:
    Automated();
    virtual ~Automated();
    // From now on the automation object answers run-time error 364.
    void CutOffObject();

    // The dispatch interface of the kind in the layer's type library.
    virtual const IID& DispatchIid() const = 0;
    // Runs a call on a member that the kind's interface lists; DISP_E_MEMBERNOTFOUND
    // for one that this object does not implement.
    virtual HRESULT Invoke(DispatchCall& call) = 0;

private:
    friend class AutomationObject;
    ComPtr<AutomationObject> object_;
};

} // namespace qel::forms
