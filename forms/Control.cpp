#include "forms/Control.h"
#include "forms/CommonMembers.h"
#include "forms/Form.h"

namespace qel::forms {

bool Control::Building() const {
    return form_.Building();
}

HRESULT Control::Invoke(DispatchCall& call) {
    if (call.Id() == DISPID_FORMS_PARENT)
        return call.ReadOnly<ComPtr<IDispatch>>([&] { return ComPtr<IDispatch>(form_.Object()); });
    return InvokeNamed(*this, call);
}

} // namespace qel::forms
