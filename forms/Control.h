// What every member of a form's Controls collection has: a name, the form it
// belongs to, a tag, visibility, and its automation object. Events are raised
// through Raise, which stays silent while the form builds its controls. When its
// form unloads, a control is retired: its window goes, and every member that
// needs it (and its automation object) answers run-time error 364 until the form
// loads again and makes new controls; pointers to it stay valid until then.
#pragma once
#include "forms/Automated.h"

#include <string>
#include <utility>

namespace qel::forms {

class Form;

class Control : public Automated {
public:
    ~Control() override = default;

    const std::string& Name() const { return name_; }
    Form& Parent() const { return form_; }
    const std::string& Tag() const { return tag_; }
    void Tag(std::string tag) { tag_ = std::move(tag); }
    virtual bool Visible() const = 0;
    virtual void Visible(bool visible) = 0;

    // The form unloads: the control lets go of its window and its automation object.
    virtual void Retire();

protected:
    Control(Form& form, std::string name) : form_(form), name_(std::move(name)) {}

    // Calls an event handler unless it is empty or the form is still being built.
    // The handler runs from a copy: it may unload the form, and this control with it.
    template <class Handler, class... Args> void Raise(const Handler& handler, Args&&... args) {
        if (!handler || Building()) return;
        Handler running = handler;
        running(std::forward<Args>(args)...);
    }

    // Throws "Object was unloaded" when the control is retired.
    void RequireLive() const;

    // Name, Tag, Visible and Parent.
    HRESULT Invoke(DispatchCall& call) override;

private:
    bool Building() const;

    Form& form_;
    std::string name_;
    std::string tag_;
    bool retired_ = false;
};

} // namespace qel::forms
