#include "forms/Control.h"
#include "forms/Form.h"

namespace qel::forms {

bool Control::Building() const {
    return form_.Building();
}

HRESULT Control::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_NAME:
        return call.ReadOnly<std::string>([&] { return name_; });
    case DISPID_FORMS_TAG:
        return call.Property<std::string>([&] { return tag_; }, [&](std::string t) { Tag(t); });
    case DISPID_FORMS_VISIBLE:
        return call.Property<bool>([&] { return Visible(); }, [&](bool v) { Visible(v); });
    case DISPID_FORMS_PARENT:
        return call.ReadOnly<ComPtr<IDispatch>>([&] { return ComPtr<IDispatch>(form_.Object()); });
    }
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace qel::forms
