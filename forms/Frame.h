// A frame: a container with an etched border and a caption in its top edge. Its
// children measure in the form's scale.
#pragma once
#include "forms/CaptionedControl.h"
#include "forms/Container.h"
#include "forms/ContainerControl.h"

namespace qel::forms {

class Frame final : public ContainerControl<CaptionedControl, Container> {
public:
    Frame(Container& container, std::string name) : ContainerControl(container, std::move(name)) {}

    Scale ScaleMode() const override;

protected:
    const char* ClassName() const override;
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
    void PaintClient(HDC dc, const RECT& area) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const IID& DispatchIid() const override { return DIID__Frame; }
};

} // namespace qel::forms
