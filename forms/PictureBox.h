// A picture box: a container with its own scale and colours, a picture drawn at
// its top-left corner, an optional persistent drawing surface (AutoRedraw), a
// sunken border unless turned off, and alignment to the top or left edge of its
// form (it then spans that edge and keeps its height or width).
#pragma once
#include "forms/DrawingSurface.h"
#include "forms/Picture.h"
#include "forms/WindowControl.h"

namespace qel::forms {

class PictureBox final : public WindowControl, public DrawingSurface {
public:
    PictureBox(Container& container, std::string name);

    Align AlignMode() const override { return align_; }
    void AlignMode(Align align);
    const forms::Picture& Picture() const { return picture_; }
    void Picture(forms::Picture picture);
    bool Bordered() const { return bordered_; }
    void Bordered(bool bordered);

    HWND ClientWindow() const override { return hWnd(); }
    Form& OwnerForm() override { return Parent(); }

    void BackColor(OleColor colour) override;
    void ForeColor(OleColor colour) override;
    using WindowControl::BackColor;
    using WindowControl::ForeColor;

protected:
    const char* ClassName() const override;
    DWORD Style() const override { return WS_CLIPCHILDREN; }
    DWORD ExStyle() const override;
    IPictureDisp* BackgroundPicture() const override { return picture_.get(); }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const IID& DispatchIid() const override { return DIID__PictureBox; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    Align align_ = Align::None;
    forms::Picture picture_;
    bool bordered_ = true;
};

} // namespace qel::forms
