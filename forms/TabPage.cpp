#include "forms/TabPage.h"
#include "forms/Form.h"
#include "forms/TabControl.h"

namespace qel::forms {

TabPage::TabPage(TabControl& owner, HWND parent)
    : Container(owner.BackColor(), owner.ForeColor()), owner_(owner) {
    CreateWindowOf(OwnClass("QelTabPage", CS_DBLCLKS), "",
                   WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, parent,
                   {0, 0, 0, 0});
}

Scale TabPage::ScaleMode() const {
    return owner_.Parent().ScaleMode();
}

Form& TabPage::OwnerForm() {
    return owner_.Parent();
}

LRESULT TabPage::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleContainerMessage(msg, wParam, lParam, result)) return result;
    return Default(msg, wParam, lParam);
}

} // namespace qel::forms
