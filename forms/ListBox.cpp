#include "forms/ListBox.h"
#include "forms/RuntimeError.h"

namespace qel::forms {

void ListBox::AddItem(const std::string& text, long index) {
    if (index < -1 || index > ListCount())
        throw RuntimeError(kInvalidCall, "Invalid procedure call or argument");
    SendMessageA(hWnd(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
}

long ListBox::ItemData(long index) const {
    CheckIndex(index);
    return static_cast<long>(SendMessageA(hWnd(), LB_GETITEMDATA, index, 0));
}

void ListBox::ItemData(long index, long data) {
    CheckIndex(index);
    SendMessageA(hWnd(), LB_SETITEMDATA, index, data);
}

void ListBox::Clear() {
    SendMessageA(hWnd(), LB_RESETCONTENT, 0, 0);
}

void ListBox::Command(WORD code) {
    if (code == LBN_DBLCLK)
        Raise(OnDblClick);
    else
        ListControl::Command(code);
}

HRESULT ListBox::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_ITEMDATA:
        return call.Property<long>([&] { return ItemData(call.Arg<long>(0)); },
                                   [&](long v) { ItemData(call.Arg<long>(0), v); });
    case DISPID_FORMS_ADDITEM:
        return call.Method(
            [&] { AddItem(call.Arg<std::string>(0), call.Has(1) ? call.Arg<long>(1) : -1); });
    case DISPID_FORMS_CLEAR:
        return call.Method([&] { Clear(); });
    }
    return ListControl::Invoke(call);
}

} // namespace qel::forms
