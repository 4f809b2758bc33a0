// An ActiveX control hosted on a form: created from its source, given the form's
// stored properties (or initialised as newly placed), sited with ambient
// properties (UserMode True at run time) and an extender whose Parent is the
// form, its events routed to handlers registered by name, its members called
// late-bound by name or dispatch identifier, and closed and released when the
// form unloads.
#pragma once
#include "base/Events.h"
#include "base/Variant.h"
#include "forms/Control.h"
#include "forms/ControlSite.h"
#include "forms/DispatchCall.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <string>

namespace qel::forms {

class ActiveXSource;
class Extender;
class PropertyBag;

// The arguments of an event in their declared order; by-reference arguments can
// be changed for the control to see.
class EventArgs {
public:
    explicit EventArgs(DISPPARAMS& params) : params_(params) {}
    UINT Count() const { return params_.cArgs; }
    // Argument i as a value (a by-reference argument's current value).
    Variant Value(UINT i) const;
    // Sets by-reference argument i (run-time error 5 when it is not by reference).
    void Set(UINT i, const Variant& value);

private:
    VARIANT& Raw(UINT i) const;
    DISPPARAMS& params_;
};

// A late-bound result as a C++ value (run-time error 13 when it does not convert).
template <class T> T ValueOf(const Variant& v) {
    return DispatchCall::Convert<T>(v.get());
}

class ActiveXControl final : public Control {
public:
    using EventHandler = std::function<void(EventArgs&)>;

    ActiveXControl(Form& form, std::string name);
    ~ActiveXControl() override;

    // Made by Form::AddActiveX: creates the control and loads its properties.
    void Create(const ActiveXSource& source, PropertyBag* properties);
    // Unhooks the events, closes the control and lets it go (the form unloads).
    void Close();

    // The extender: the control as the form's Controls collection shows it.
    IDispatch* Object() override;
    // The control's own automation interface.
    IDispatch* ControlObject() const { return dispatch_.get(); }
    IUnknown* Unknown() const { return unknown_.get(); }

    // A method call or property read by name (or dispatch identifier) with the
    // arguments in declared order; a failure throws the control's error.
    Variant Call(const std::wstring& member, std::initializer_list<Variant> args = {});
    Variant Call(DISPID id, std::initializer_list<Variant> args = {});
    // A property assignment of a value (Let) or an object (Set).
    void Let(const std::wstring& property, const Variant& value);
    void Set(const std::wstring& property, const Variant& object);
    // The dispatch identifier of a member; run-time error 438 when there is none.
    DISPID IdOf(const std::wstring& member) const;

    // Routes an event of the control's default source interface to `handler`;
    // run-time error 438 for an event the control does not have.
    void On(const std::wstring& event, EventHandler handler);
    void On(DISPID event, EventHandler handler);

    // The ambient UserMode the control sees (True: run time).
    bool UserMode() const { return userMode_; }
    void UserMode(bool userMode);
    // Told of each property change the control reports (IPropertyNotifySink).
    std::function<void(DISPID)> OnPropertyChanged;

    // The control's stored properties, as it saves them now.
    ComPtr<PropertyBag> SaveProperties();

    bool Visible() const override { return visible_; }
    void Visible(bool visible) override { visible_ = visible; }

protected:
    // The extender answers automation calls; this object's own interface is unused.
    const IID& DispatchIid() const override { return IID_IDispatch; }
    HRESULT Invoke(DispatchCall&) override { return DISP_E_MEMBERNOTFOUND; }

private:
    friend class ControlSite;

    Variant InvokeMember(DISPID id, WORD flags, std::initializer_list<Variant> args);
    void FindEvents();
    void Fire(DISPID id, DISPPARAMS& params);

    ComPtr<IUnknown> unknown_;
    ComPtr<IDispatch> dispatch_;
    ComPtr<IOleObject> ole_;
    ComPtr<ControlSite> site_;
    ComPtr<Extender> extender_;
    ComPtr<ITypeInfo> events_;
    IID eventsIid_{};
    EventConnection eventConnection_;
    Advice notifyAdvice_;
    std::map<DISPID, EventHandler> handlers_;
    bool userMode_ = true;
    bool visible_ = true;
};

} // namespace qel::forms
