// A windowed control that shows a caption: label, command button, check box,
// option button, frame.
#pragma once
#include "forms/WindowControl.h"

namespace qel::forms {

class CaptionedControl : public WindowControl {
public:
    std::string Caption() const;
    void Caption(const std::string& caption);

protected:
    using WindowControl::WindowControl;
    // Caption, then the members of every windowed control.
    HRESULT Invoke(DispatchCall& call) override;
};

} // namespace qel::forms
