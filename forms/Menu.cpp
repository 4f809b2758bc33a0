#include "forms/Menu.h"
#include "forms/Form.h"

#include <algorithm>

namespace qel::forms {

Menu::Menu(Form& form, Menu* parent, std::string name, std::string caption, UINT id)
    : Control(form, std::move(name)), parent_(parent), caption_(std::move(caption)), id_(id) {
    Siblings().push_back(this);
    Insert();
}

Menu::~Menu() {
    // Items go before their menu, so the menu's popup is empty here and destroying
    // it frees nothing twice.
    Remove();
    auto& siblings = Siblings();
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
}

Menu* Menu::Add(std::string name, std::string caption) {
    if (!popup_) {
        popup_.reset(CreatePopupMenu());
        Update();
    }
    return Parent().AdoptMenu(this, std::move(name), std::move(caption));
}

std::vector<Menu*>& Menu::Siblings() const {
    return parent_ ? parent_->items_ : Parent().TopMenus();
}

HMENU Menu::Holder() const {
    return parent_ ? parent_->Popup() : Parent().MenuBar();
}

UINT Menu::Position() const {
    UINT position = 0;
    for (Menu* sibling : Siblings()) {
        if (sibling == this) break;
        if (sibling->inserted_) ++position;
    }
    return position;
}

MENUITEMINFOA Menu::Info() const {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.fType = caption_ == "-" ? MFT_SEPARATOR : MFT_STRING;
    info.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED);
    info.wID = id_;
    info.hSubMenu = popup_.get();
    info.dwTypeData = const_cast<char*>(caption_.c_str());
    return info;
}

void Menu::Insert() {
    if (inserted_ || !visible_) return;
    MENUITEMINFOA info = Info();
    InsertMenuItemA(Holder(), Position(), TRUE, &info);
    inserted_ = true;
    if (!parent_) Parent().UpdateMenuBar();
}

void Menu::Remove() {
    if (!inserted_) return;
    RemoveMenu(Holder(), Position(), MF_BYPOSITION);
    inserted_ = false;
    if (!parent_) Parent().UpdateMenuBar();
}

void Menu::Update() {
    if (!inserted_) return;
    MENUITEMINFOA info = Info();
    SetMenuItemInfoA(Holder(), Position(), TRUE, &info);
    if (!parent_) Parent().UpdateMenuBar();
}

void Menu::Caption(std::string caption) {
    caption_ = std::move(caption);
    Update();
}

void Menu::Visible(bool visible) {
    visible_ = visible;
    visible ? Insert() : Remove();
}

void Menu::Checked(bool checked) {
    checked_ = checked;
    Update();
}

void Menu::Enabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

HRESULT Menu::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_CAPTION:
        return call.Property<std::string>([&] { return caption_; },
                                          [&](std::string c) { Caption(std::move(c)); });
    case DISPID_FORMS_CHECKED:
        return call.Property<bool>([&] { return checked_; }, [&](bool v) { Checked(v); });
    case DISPID_FORMS_ENABLED:
        return call.Property<bool>([&] { return enabled_; }, [&](bool v) { Enabled(v); });
    }
    return Control::Invoke(call);
}

} // namespace qel::forms
