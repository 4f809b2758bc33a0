// One page of a tab control: a borderless container in the tab control's colours
// over its page area. Its children measure in the form's scale, from the page's
// top-left corner.
#pragma once
#include "forms/Container.h"
#include "forms/Window.h"

namespace qel::forms {

class TabControl;

class TabPage final : public Window, public Container {
public:
    // A hidden page, a child window of `parent` (the tab control's window).
    TabPage(TabControl& owner, HWND parent);

    Scale ScaleMode() const override;
    HWND ClientWindow() const override { return hWnd(); }
    Form& OwnerForm() override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    TabControl& owner_;
};

} // namespace qel::forms
