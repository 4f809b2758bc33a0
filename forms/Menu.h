// A menu of a form as a real menu: a top-level menu on the form's menu bar, or an
// item of another menu. A menu that has items opens a popup; one without is a
// command. The caption "-" makes a separator. Visible really adds the item to or
// removes it from its menu (a form shows no menu bar when no top-level menu is
// visible); Checked and Enabled are the item's state.
#pragma once
#include "forms/Control.h"

#include "base/Handle.h"

#include <functional>
#include <vector>

namespace qel::forms {

class Menu final : public Control {
public:
    // Made by Form::AddMenu and Menu::Add.
    Menu(Form& form, Menu* parent, std::string name, std::string caption, UINT id);
    ~Menu() override;

    // A new item at the end of this menu.
    Menu* Add(std::string name, std::string caption);

    const std::string& Caption() const { return caption_; }
    void Caption(std::string caption);
    bool Visible() const override { return visible_; }
    void Visible(bool visible) override;
    bool Checked() const { return checked_; }
    void Checked(bool checked);
    bool Enabled() const { return enabled_; }
    void Enabled(bool enabled);

    // Raised when the item is chosen.
    std::function<void()> OnClick;

    UINT Id() const { return id_; }
    // The popup of the menu's items; null for a command.
    HMENU Popup() const { return popup_.get(); }
    // Raises OnClick (the form calls it for the item's command).
    void Clicked() { Raise(OnClick); }

protected:
    const IID& DispatchIid() const override { return DIID__Menu; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    std::vector<Menu*>& Siblings() const;
    HMENU Holder() const;
    UINT Position() const;
    MENUITEMINFOA Info() const;
    void Insert();
    void Remove();
    void Update();

    Menu* parent_;
    std::string caption_;
    UINT id_;
    bool visible_ = true, checked_ = false, enabled_ = true, inserted_ = false;
    UniqueMenu popup_;
    std::vector<Menu*> items_;
};

} // namespace qel::forms
