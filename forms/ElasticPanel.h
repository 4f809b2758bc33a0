// An elastic panel: a borderless container in its own colours that holds
// controls where the form places them; its children measure in the form's scale.
#pragma once
#include "forms/Container.h"
#include "forms/ContainerControl.h"
#include "forms/WindowControl.h"

namespace qel::forms {

class ElasticPanel final : public ContainerControl<WindowControl, Container> {
public:
    ElasticPanel(Container& container, std::string name)
        : ContainerControl(container, std::move(name)) {}

    Scale ScaleMode() const override { return Parent().ScaleMode(); }

protected:
    const char* ClassName() const override { return OwnClass("QelElasticPanel", CS_DBLCLKS); }
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
    const IID& DispatchIid() const override { return DIID__ElasticPanel; }
};

} // namespace qel::forms
