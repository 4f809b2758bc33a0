// A frame: a container with an etched border and a caption in its top edge. Its
// children measure in the form's scale.
#pragma once
#include "forms/Container.h"
#include "forms/WindowControl.h"

namespace qel::forms {

class Frame final : public WindowControl, public Container {
public:
    Frame(Container& container, std::string name);

    std::string Caption() const;
    void Caption(const std::string& caption);

    Scale ScaleMode() const override;
    HWND ClientWindow() const override { return hWnd(); }
    Form& OwnerForm() override { return Parent(); }

    void BackColor(OleColor colour) override;
    void ForeColor(OleColor colour) override;
    using WindowControl::BackColor;
    using WindowControl::ForeColor;

protected:
    const char* ClassName() const override;
    DWORD Style() const override { return WS_CLIPCHILDREN; }
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
    void PaintClient(HDC dc, const RECT& area) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const IID& DispatchIid() const override { return DIID__Frame; }
    HRESULT Invoke(DispatchCall& call) override;
};

} // namespace qel::forms
