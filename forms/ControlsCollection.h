// A form's Controls collection as an automation object: Count, Item (by index from
// 0 or by name) and enumeration, each item the automation object of a control or
// menu (the extender of a hosted ActiveX control).
#pragma once
#include "forms/Automated.h"

namespace qel::forms {

class Form;

class ControlsCollection final : public Automated {
public:
    explicit ControlsCollection(Form& form) : form_(form) {}

protected:
    const IID& DispatchIid() const override { return DIID__Controls; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    Form& form_;
};

} // namespace qel::forms
