// A control that is also a container (a frame, a picture box): its colours serve
// both its own container (as a control's) and its children (as their
// background), and its window passes its children's messages on.
#pragma once
#include "forms/ColorBrush.h"
#include "forms/Form.h"

#include <string>

namespace qel::forms {

template <class ControlBase, class Surface>
class ContainerControl : public ControlBase, public Surface {
public:
    HWND ClientWindow() const override { return this->hWnd(); }
    Form& OwnerForm() override { return this->Parent(); }

    using ControlBase::BackColor;
    using ControlBase::ForeColor;
    void BackColor(OleColor colour) override {
        ControlBase::back_.Set(colour);
        Surface::BackColor(colour);
    }
    void ForeColor(OleColor colour) override {
        ControlBase::fore_ = colour;
        Surface::ForeColor(colour);
        this->Invalidate();
    }

    // Repaints the control now, with the children that show it through.
    void Refresh() override {
        RedrawWindow(this->hWnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

protected:
    ContainerControl(Container& container, std::string name)
        : ControlBase(container, std::move(name), kButtonFace, kButtonText),
          Surface(kButtonFace, kButtonText) {}

    DWORD Style() const override { return WS_CLIPCHILDREN; }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (this->HandleContainerMessage(msg, wParam, lParam, result)) return result;
        return ControlBase::HandleMessage(msg, wParam, lParam);
    }
};

} // namespace qel::forms
