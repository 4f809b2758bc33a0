#include "forms/ListControl.h"
#include "forms/RuntimeError.h"

namespace qel::forms {

long ListControl::ListCount() const {
    return static_cast<long>(SendMessageA(hWnd(), LB_GETCOUNT, 0, 0));
}

void ListControl::CheckIndex(long index) const {
    if (index < 0 || index >= ListCount())
        throw RuntimeError(kInvalidArrayIndex, "Invalid property array index");
}

std::string ListControl::List(long index) const {
    CheckIndex(index);
    std::string text(SendMessageA(hWnd(), LB_GETTEXTLEN, index, 0) + 1, '\0');
    text.resize(SendMessageA(hWnd(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data())));
    return text;
}

long ListControl::ListIndex() const {
    return static_cast<long>(SendMessageA(hWnd(), LB_GETCURSEL, 0, 0));
}

void ListControl::ListIndex(long index) {
    if (index < -1 || index >= ListCount())
        throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
    if (index == ListIndex()) return;
    SendMessageA(hWnd(), LB_SETCURSEL, index, 0);
    Raise(OnClick);
}

std::string ListControl::Text() const {
    long index = ListIndex();
    return index < 0 ? std::string() : List(index);
}

void ListControl::Command(WORD code) {
    if (code == LBN_SELCHANGE) Raise(OnClick);
}

HRESULT ListControl::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_LISTCOUNT:
        return call.ReadOnly<long>([&] { return ListCount(); });
    case DISPID_FORMS_LIST:
        return call.ReadOnly<std::string>([&] { return List(call.Arg<long>(0)); });
    case DISPID_FORMS_LISTINDEX:
        return call.Property<long>([&] { return ListIndex(); }, [&](long i) { ListIndex(i); });
    case DISPID_FORMS_TEXT:
        return call.ReadOnly<std::string>([&] { return Text(); });
    }
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
