#include "forms/PictureBox.h"

namespace qel::forms {

const char* PictureBox::ClassName() const {
    return OwnClass("QelPictureBox", CS_DBLCLKS | CS_OWNDC);
}

DWORD PictureBox::ExStyle() const {
    return WS_EX_CONTROLPARENT | (bordered_ ? WS_EX_CLIENTEDGE : 0);
}

void PictureBox::AlignMode(Align align) {
    align_ = align;
    ParentContainer().LayOutAligned();
}

void PictureBox::Picture(forms::Picture picture) {
    picture_ = std::move(picture);
    Cls();
}

void PictureBox::Bordered(bool bordered) {
    bordered_ = bordered;
    SetWindowLongPtrA(hWnd(), GWL_EXSTYLE, ExStyle());
    SetWindowPos(hWnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE) FitImage();
    return ContainerControl::HandleMessage(msg, wParam, lParam);
}

HRESULT PictureBox::Invoke(DispatchCall& call) {
    bool handled = false;
    HRESULT hr = InvokeSurface(call, handled);
    if (handled) return hr;
    switch (call.Id()) {
    case DISPID_FORMS_ALIGN:
        return call.ReadOnly<short>([&] { return static_cast<short>(align_); });
    case DISPID_FORMS_PICTURE:
        return call.Property<ComPtr<IPictureDisp>>(
            [&] { return picture_; }, [&](forms::Picture p) { Picture(std::move(p)); });
    }
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
