// A picture box: a container with its own scale and colours, a picture drawn at
// its top-left corner, an optional persistent drawing surface (AutoRedraw), a
// sunken border unless turned off, and alignment to the top or left edge of its
// form (it then spans that edge and keeps its height or width). With AutoSize it
// takes the size of a picture loaded into it. It raises the mouse events, with
// positions in its own scale.
#pragma once
#include "forms/ContainerControl.h"
#include "forms/DrawingSurface.h"
#include "forms/MouseEvents.h"
#include "forms/Picture.h"
#include "forms/WindowControl.h"

namespace qel::forms {

class PictureBox final : public ContainerControl<WindowControl, DrawingSurface>,
                         public MouseEvents {
public:
    PictureBox(Container& container, std::string name)
        : ContainerControl(container, std::move(name)) {}

    Align AlignMode() const override { return align_; }
    void AlignMode(Align align);
    const forms::Picture& Picture() const { return picture_; }
    void Picture(forms::Picture picture);
    bool Bordered() const { return bordered_; }
    void Bordered(bool bordered);
    // What the box keeps (with AutoRedraw what was drawn, else the back colour and
    // picture) as a new bitmap picture of the client area's current size; also
    // while hidden.
    forms::Picture Image();
    bool AutoSize() const { return autoSize_; }
    void AutoSize(bool autoSize);

protected:
    const char* ClassName() const override;
    DWORD ExStyle() const override;
    IPictureDisp* BackgroundPicture() const override { return picture_.get(); }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const IID& DispatchIid() const override { return DIID__PictureBox; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    Align align_ = Align::None;
    forms::Picture picture_;
    bool bordered_ = true;
    bool autoSize_ = false;

    void FitToPicture();
};

} // namespace qel::forms
