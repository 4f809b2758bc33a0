#include "forms/ActiveXControl.h"
#include "base/Bstr.h"
#include "forms/ActiveXSource.h"
#include "forms/Extender.h"
#include "forms/Form.h"
#include "forms/PropertyBag.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"

#include <olectl.h>
#include <utility>
#include <vector>

namespace qel::forms {
namespace {

std::string Describe(HRESULT hr, EXCEPINFO& ex) {
    if (ex.pfnDeferredFillIn) ex.pfnDeferredFillIn(&ex);
    // The strings are the caller's: taken over once they are all filled in.
    const Bstr description(std::exchange(ex.bstrDescription, nullptr));
    const Bstr source(std::exchange(ex.bstrSource, nullptr));
    const Bstr helpFile(std::exchange(ex.bstrHelpFile, nullptr));
    std::string text = Narrow(description.str());
    if (text.empty()) {
        char code[40];
        wsprintfA(code, "Automation error 0x%08lX", static_cast<unsigned long>(hr));
        text = code;
    }
    return text;
}

// The number of a failed call: a run-time error's own number, else the HRESULT.
long NumberOf(HRESULT hr) {
    const auto code = static_cast<unsigned long>(hr);
    return (code & 0xFFFF0000u) == 0x800A0000u ? static_cast<long>(code & 0xFFFF)
                                               : static_cast<long>(hr);
}

} // namespace

// ---- EventArgs ----

VARIANT& EventArgs::Raw(UINT i) const {
    if (i >= params_.cArgs) throw RuntimeError(kInvalidCall, "Invalid procedure call or argument");
    return params_.rgvarg[params_.cArgs - 1 - i];
}

Variant EventArgs::Value(UINT i) const {
    Variant value;
    VariantCopyInd(value.put(), &Raw(i));
    return value;
}

void EventArgs::Set(UINT i, const Variant& value) {
    VARIANT& target = Raw(i);
    if (!(V_VT(&target) & VT_BYREF))
        throw RuntimeError(kInvalidCall, "Invalid procedure call or argument");
    const VARTYPE type = V_VT(&target) & ~VT_BYREF;
    if (type == VT_VARIANT) {
        VariantCopy(V_VARIANTREF(&target), const_cast<VARIANT*>(&value.get()));
        return;
    }
    Variant converted;
    if (FAILED(value.ChangeType(type, converted)))
        throw RuntimeError(kTypeMismatch, "Type mismatch");
    VARIANT& v = *converted.ptr();
    switch (type) {
    case VT_BOOL:
        *V_BOOLREF(&target) = V_BOOL(&v);
        break;
    case VT_I2:
        *V_I2REF(&target) = V_I2(&v);
        break;
    case VT_I4:
        *V_I4REF(&target) = V_I4(&v);
        break;
    case VT_R4:
        *V_R4REF(&target) = V_R4(&v);
        break;
    case VT_R8:
        *V_R8REF(&target) = V_R8(&v);
        break;
    case VT_BSTR:
        // The new string takes the old one's place, and `converted` frees the old.
        std::swap(*V_BSTRREF(&target), V_BSTR(&v));
        break;
    default:
        throw RuntimeError(kTypeMismatch, "Type mismatch");
    }
}

// ---- ActiveXControl ----

ActiveXControl::ActiveXControl(Form& form, std::string name) : Control(form, std::move(name)) {}

ActiveXControl::~ActiveXControl() {
    Close();
}

void ActiveXControl::Create(const ActiveXSource& source, PropertyBag* properties) {
    unknown_ = source.CreateInstance();
    dispatch_ = unknown_.as<IDispatch>();
    ole_ = unknown_.as<IOleObject>();
    site_ = ControlSite::Create(this);
    extender_ = Extender::Create(this, dispatch_.get());

    // The site comes first, whatever the control's misc status asks: a control may
    // reach its form (through the extender) while it reads its properties.
    if (ole_) ole_->SetClientSite(site_.get());

    HRESULT hr = S_OK;
    if (auto bag = unknown_.as<IPersistPropertyBag>())
        hr = properties ? bag->Load(properties, nullptr) : bag->InitNew();
    else if (auto stream = unknown_.as<IPersistStreamInit>(); stream && !properties)
        hr = stream->InitNew();
    else if (properties)
        hr = E_NOINTERFACE;
    if (FAILED(hr)) {
        Close();
        throw RuntimeError(kCannotCreateObject,
                           "The control " + Name() + " did not load its properties");
    }

    notifyAdvice_ = Advice(unknown_.get(), IID_IPropertyNotifySink,
                           static_cast<IPropertyNotifySink*>(site_.get()));
    FindEvents();
    if (eventsIid_ != IID_NULL)
        eventConnection_ = EventConnection(unknown_.get(), eventsIid_,
                                           [this](DISPID id, DISPPARAMS& p) { Fire(id, p); });
}

void ActiveXControl::FindEvents() {
    ComPtr<ITypeInfo> klass;
    auto provider = unknown_.as<IProvideClassInfo>();
    TYPEATTR* attr = nullptr;
    if (provider && SUCCEEDED(provider->GetClassInfo(klass.put())) && klass &&
        SUCCEEDED(klass->GetTypeAttr(&attr))) {
        for (UINT i = 0; i < attr->cImplTypes && !events_; ++i) {
            INT flags = 0;
            HREFTYPE ref;
            if (SUCCEEDED(klass->GetImplTypeFlags(i, &flags)) && (flags & IMPLTYPEFLAG_FDEFAULT) &&
                (flags & IMPLTYPEFLAG_FSOURCE) && SUCCEEDED(klass->GetRefTypeOfImplType(i, &ref)))
                klass->GetRefTypeInfo(ref, events_.put());
        }
        klass->ReleaseTypeAttr(attr);
    }
    if (events_ && SUCCEEDED(events_->GetTypeAttr(&attr))) {
        eventsIid_ = attr->guid;
        events_->ReleaseTypeAttr(attr);
        return;
    }
    if (auto provider2 = unknown_.as<IProvideClassInfo2>())
        provider2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &eventsIid_);
}

void ActiveXControl::Fire(DISPID id, DISPPARAMS& params) {
    auto found = handlers_.find(id);
    if (found == handlers_.end() || !found->second) return;
    EventHandler handler = found->second; // the handler may replace itself
    Guarded([&] {
        EventArgs args(params);
        handler(args);
    });
}

void ActiveXControl::Close() {
    eventConnection_.reset();
    notifyAdvice_.reset();
    handlers_.clear();
    if (ole_) {
        ole_->Close(OLECLOSE_NOSAVE);
        ole_->SetClientSite(nullptr);
    }
    if (site_) site_->CutOff();
    if (extender_) extender_->CutOff();
    ole_.reset();
    dispatch_.reset();
    unknown_.reset();
    events_.reset();
}

IDispatch* ActiveXControl::Object() {
    return extender_.get();
}

DISPID ActiveXControl::IdOf(const std::wstring& member) const {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(member.c_str());
    if (!dispatch_ ||
        FAILED(dispatch_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)))
        throw RuntimeError(kNotSupported,
                           "Object doesn't support this property or method: " + Narrow(member));
    return id;
}

Variant ActiveXControl::InvokeMember(DISPID id, WORD flags, std::initializer_list<Variant> args) {
    if (!dispatch_) throw RuntimeError(kObjectUnloaded, "Object was unloaded");
    // DISPPARAMS lists arguments last to first; the values stay owned by `args`.
    std::vector<VARIANTARG> reversed;
    for (auto it = args.end(); it != args.begin();)
        reversed.push_back((--it)->get());
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()),
                      put ? 1u : 0u};
    EXCEPINFO ex{};
    Variant result;
    HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                   put ? nullptr : result.put(), &ex, nullptr);
    if (FAILED(hr)) {
        HRESULT reported = hr == DISP_E_EXCEPTION && ex.scode ? ex.scode : hr;
        std::string text = Describe(reported, ex);
        throw RuntimeError(NumberOf(reported), text);
    }
    return result;
}

Variant ActiveXControl::Call(const std::wstring& member, std::initializer_list<Variant> args) {
    return InvokeMember(IdOf(member), DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Variant ActiveXControl::Call(DISPID id, std::initializer_list<Variant> args) {
    return InvokeMember(id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

void ActiveXControl::Let(const std::wstring& property, const Variant& value) {
    InvokeMember(IdOf(property), DISPATCH_PROPERTYPUT, {value});
}

void ActiveXControl::Set(const std::wstring& property, const Variant& object) {
    InvokeMember(IdOf(property), DISPATCH_PROPERTYPUTREF, {object});
}

void ActiveXControl::On(const std::wstring& event, EventHandler handler) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(event.c_str());
    if (!events_ || FAILED(events_->GetIDsOfNames(&name, 1, &id)))
        throw RuntimeError(kNotSupported,
                           "The control " + Name() + " has no event " + Narrow(event));
    On(id, std::move(handler));
}

void ActiveXControl::On(DISPID event, EventHandler handler) {
    handlers_[event] = std::move(handler);
}

void ActiveXControl::UserMode(bool userMode) {
    if (userMode == userMode_) return;
    userMode_ = userMode;
    if (auto control = unknown_.as<IOleControl>())
        control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
}

ComPtr<PropertyBag> ActiveXControl::SaveProperties() {
    ComPtr<PropertyBag> bag = PropertyBag::Create();
    auto persist = unknown_.as<IPersistPropertyBag>();
    if (!persist || FAILED(persist->Save(bag.get(), TRUE, TRUE)))
        throw RuntimeError(kNotSupported,
                           "The control " + Name() + " does not save its properties");
    return bag;
}

} // namespace qel::forms
