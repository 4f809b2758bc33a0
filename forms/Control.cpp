#include "forms/Control.h"
#include "forms/CommonMembers.h"
#include "forms/Form.h"
#include "forms/RuntimeError.h"

namespace qel::forms {

bool Control::Building() const {
    return form_.Building();
}

void Control::Retire() {
    retired_ = true;
    CutOffObject();
}

void Control::RequireLive() const {
    if (retired_) throw RuntimeError(kObjectUnloaded, "Object was unloaded");
}

HRESULT Control::Invoke(DispatchCall& call) {
    if (call.Id() == DISPID_FORMS_PARENT)
        return call.ReadOnly<ComPtr<IDispatch>>([&] { return ComPtr<IDispatch>(form_.Object()); });
    return InvokeNamed(*this, call);
}

} // namespace qel::forms
