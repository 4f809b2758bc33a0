// What list boxes and file lists share: a platform list box with one selection,
// its entries, and the selected index. Setting ListIndex in code to another entry
// (or to -1, no selection) raises OnClick, as a click does.
#pragma once
#include "forms/WindowControl.h"

#include <functional>

namespace qel::forms {

class ListControl : public WindowControl {
public:
    long ListCount() const;
    // The text of entry `index`; run-time error 381 outside 0 to ListCount - 1.
    std::string List(long index) const;
    long ListIndex() const;
    void ListIndex(long index);
    // The selected entry's text; empty without a selection.
    std::string Text() const;

    std::function<void()> OnClick;

protected:
    ListControl(Container& container, std::string name)
        : WindowControl(container, std::move(name), kWindowBackground, kWindowText) {}

    const char* ClassName() const override { return "LISTBOX"; }
    DWORD Style() const override {
        return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
    }
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void Command(WORD code) override;
    // Checks an entry index; run-time error 381 when there is no such entry.
    void CheckIndex(long index) const;
    // List members shared by the kinds.
    HRESULT Invoke(DispatchCall& call) override;
};

} // namespace qel::forms
