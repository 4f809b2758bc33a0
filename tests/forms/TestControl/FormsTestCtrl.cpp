// The test control: a windowless ActiveX control that keeps three stored
// properties, reads its ambient properties and its extender, raises two events,
// and counts how many instances live and how many were closed.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <initguid.h>
#include "FormsTestControl_h.h"

#include "base/ComError.h"
#include "base/ComObject.h"
#include "base/Events.h"
#include "base/LateBound.h"
#include "base/TypeName.h"
#include "base/Variant.h"

#include <string>

namespace qel {
namespace {

LONG g_alive = 0, g_closed = 0;

BSTR Copy(const std::wstring& s) {
    return SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
}

// The one property-notification sink a container advises.
class NotifyPoint final : public ComObject<NotifyPoint, IConnectionPoint> {
public:
    explicit NotifyPoint(IConnectionPointContainer* owner) : owner_(owner) {}
    void OwnerGone() { owner_ = nullptr; }
    void Changed(DISPID id) {
        if (sink_) sink_->OnChanged(id);
    }

    STDMETHODIMP GetConnectionInterface(IID* iid) override {
        *iid = IID_IPropertyNotifySink;
        return S_OK;
    }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** c) override {
        return CopyTo(ComPtr<IConnectionPointContainer>(owner_), c);
    }
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override {
        if (sink_) return CONNECT_E_ADVISELIMIT;
        if (FAILED(sink->QueryInterface(IID_IPropertyNotifySink, sink_.put_void())))
            return CONNECT_E_CANNOTCONNECT;
        *cookie = 1;
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD cookie) override {
        if (cookie != 1 || !sink_) return CONNECT_E_NOCONNECTION;
        sink_.reset();
        return S_OK;
    }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

private:
    IConnectionPointContainer* owner_;
    ComPtr<IPropertyNotifySink> sink_;
};

class FormsTestCtrl final
    : public ComObject<FormsTestCtrl, _FormsTestCtrl, IOleObject, IOleControl, IPersistPropertyBag,
                       IConnectionPointContainer, IProvideClassInfo2> {
public:
    FormsTestCtrl() { InterlockedIncrement(&g_alive); }
    ~FormsTestCtrl() override {
        notify_->OwnerGone();
        InterlockedDecrement(&g_alive);
    }

    // ---- _FormsTestCtrl ----
    STDMETHODIMP get_Caption(BSTR* r) override { return *r = Copy(caption_), S_OK; }
    STDMETHODIMP put_Caption(BSTR v) override {
        caption_ = v ? v : L"";
        notify_->Changed(1);
        return S_OK;
    }
    STDMETHODIMP get_Number(LONG* r) override { return *r = number_, S_OK; }
    STDMETHODIMP put_Number(LONG v) override {
        number_ = v;
        notify_->Changed(2);
        return S_OK;
    }
    STDMETHODIMP get_Picture(IDispatch** r) override { return CopyTo(picture_, r); }
    STDMETHODIMP putref_Picture(IDispatch* v) override {
        picture_ = v;
        notify_->Changed(3);
        return S_OK;
    }
    STDMETHODIMP UserMode(VARIANT_BOOL* r) override {
        Variant mode;
        *r = VARIANT_FALSE;
        auto ambient = site_.as<IDispatch>();
        DISPPARAMS none{};
        if (ambient &&
            SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET,
                                      &none, mode.put(), nullptr, nullptr)) &&
            mode.type() == VT_BOOL)
            *r = V_BOOL(mode.ptr());
        return S_OK;
    }
    STDMETHODIMP ParentCaption(BSTR* r) override {
        Variant parent, caption;
        if (!GetProperty(Extender().get(), L"Parent", parent.put()) ||
            !GetProperty(V_DISPATCH(parent.ptr()), L"Caption", caption.put()))
            return E_FAIL;
        *r = SysAllocString(V_BSTR(caption.ptr()));
        return S_OK;
    }
    STDMETHODIMP ExtenderName(BSTR* r) override {
        Variant name;
        if (!GetProperty(Extender().get(), L"Name", name.put())) return E_FAIL;
        *r = SysAllocString(V_BSTR(name.ptr()));
        return S_OK;
    }
    // "Name:Kind;" for each of the parent form's controls, walked late-bound.
    STDMETHODIMP ParentControls(BSTR* r) override {
        Variant parent, controls, count;
        if (!GetProperty(Extender().get(), L"Parent", parent.put()) ||
            !GetProperty(V_DISPATCH(parent.ptr()), L"Controls", controls.put()) ||
            !GetProperty(V_DISPATCH(controls.ptr()), L"Count", count.put()))
            return E_FAIL;
        IDispatch* list = V_DISPATCH(controls.ptr());
        std::wstring text;
        for (LONG i = 0; i < V_I4(count.ptr()); ++i) {
            Variant index(static_cast<long>(i)), item, name;
            DISPPARAMS params{index.ptr(), nullptr, 1, 0};
            if (FAILED(list->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &params,
                                    item.put(), nullptr, nullptr)))
                return E_FAIL;
            GetProperty(V_DISPATCH(item.ptr()), L"Name", name.put());
            text +=
                std::wstring(V_BSTR(name.ptr())) + L":" + TypeName(V_DISPATCH(item.ptr())) + L";";
        }
        *r = Copy(text);
        return S_OK;
    }
    STDMETHODIMP PaintParent(LONG colour) override {
        Variant parent;
        if (!GetProperty(Extender().get(), L"Parent", parent.put())) return E_FAIL;
        return PutProperty(V_DISPATCH(parent.ptr()), L"BackColor", Variant(colour).get()) ? S_OK
                                                                                          : E_FAIL;
    }
    STDMETHODIMP Raise(LONG value, VARIANT_BOOL* cancelled) override {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        VARIANTARG byRef;
        V_VT(&byRef) = VT_BOOL | VT_BYREF;
        V_BOOLREF(&byRef) = &cancel;
        events_.Fire(1, {byRef});
        events_.Fire(2, {Variant(static_cast<long>(value)).get()});
        *cancelled = cancel;
        return S_OK;
    }
    STDMETHODIMP Add(LONG a, VARIANT b, LONG* r) override {
        *r = a;
        if (V_VT(&b) != VT_ERROR) {
            Variant n;
            if (FAILED(Variant(b).ChangeType(VT_I4, n))) return DISP_E_TYPEMISMATCH;
            *r += V_I4(n.ptr());
        }
        return S_OK;
    }
    STDMETHODIMP Fail() override { return RaiseError(1234, L"FormsTestCtrl", L"Test failure"); }
    STDMETHODIMP ParentColourAtLoad(LONG* r) override { return *r = parentColour_, S_OK; }
    STDMETHODIMP PictureWidth(LONG* r) override {
        *r = 0;
        auto picture = picture_.as<IPicture>();
        OLE_XSIZE_HIMETRIC w = 0;
        if (picture && SUCCEEDED(picture->get_Width(&w))) *r = MulDiv(w, 96, 2540);
        return S_OK;
    }

    // ---- IOleObject ----
    STDMETHODIMP SetClientSite(IOleClientSite* site) override {
        site_ = site;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** site) override { return CopyTo(site_, site); }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override {
        InterlockedIncrement(&g_closed);
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override {
        return *clsid = CLSID_FormsTestCtrl, S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
        *status = OLEMISC_INVISIBLEATRUNTIME;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // ---- IOleControl: the ambient UserMode is read again when the host changes it ----
    STDMETHODIMP GetControlInfo(CONTROLINFO*) override { return E_NOTIMPL; }
    STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
    STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

    // ---- IPersistPropertyBag ----
    STDMETHODIMP GetClassID(CLSID* clsid) override { return *clsid = CLSID_FormsTestCtrl, S_OK; }
    STDMETHODIMP InitNew() override {
        caption_ = L"New";
        number_ = 7;
        return S_OK;
    }
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override {
        Variant caption, number, picture;
        V_VT(caption.ptr()) = VT_BSTR;
        if (SUCCEEDED(bag->Read(L"Caption", caption.ptr(), log))) caption_ = V_BSTR(caption.ptr());
        V_VT(number.ptr()) = VT_I4;
        if (SUCCEEDED(bag->Read(L"Number", number.ptr(), log))) number_ = V_I4(number.ptr());
        if (SUCCEEDED(bag->Read(L"Picture", picture.put(), log)) && picture.type() == VT_DISPATCH)
            picture_ = V_DISPATCH(picture.ptr());
        // The form as it stands while its controls load.
        Variant parent, colour;
        if (GetProperty(Extender().get(), L"Parent", parent.put()) &&
            GetProperty(V_DISPATCH(parent.ptr()), L"BackColor", colour.put()))
            parentColour_ = V_I4(colour.ptr());
        return S_OK;
    }
    STDMETHODIMP Save(IPropertyBag* bag, BOOL, BOOL) override {
        Variant caption(caption_), number(static_cast<long>(number_));
        if (caption_ != L"New") bag->Write(L"Caption", caption.ptr());
        if (number_ != 7) bag->Write(L"Number", number.ptr());
        return S_OK;
    }

    // ---- Connection points ----
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override {
        if (iid == IID_IPropertyNotifySink)
            return CopyTo(ComPtr<IConnectionPoint>(notify_.get()), cp);
        return events_.Find(iid, cp);
    }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override {
        return events_.Enum(e);
    }

    // ---- IProvideClassInfo2 ----
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override {
        return CopyTo(ComPtr<ITypeInfo>(LibraryTypeInfo(CLSID_FormsTestCtrl)), info);
    }
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override {
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
        *guid = DIID___FormsTestCtrl;
        return S_OK;
    }

private:
    void* FindOther(REFIID iid) override {
        if (iid == IID_IProvideClassInfo) return static_cast<IProvideClassInfo2*>(this);
        if (iid == IID_IPersist) return static_cast<IPersistPropertyBag*>(this);
        return nullptr;
    }

    ComPtr<IDispatch> Extender() {
        ComPtr<IDispatch> extender;
        if (auto site = site_.as<IOleControlSite>()) site->GetExtendedControl(extender.put());
        return extender;
    }

    std::wstring caption_;
    LONG number_ = 0;
    LONG parentColour_ = -1;
    ComPtr<IDispatch> picture_;
    ComPtr<IOleClientSite> site_;
    EventSource events_{this, DIID___FormsTestCtrl};
    ComPtr<NotifyPoint> notify_ = NotifyPoint::Create(this);
};

class Factory final : public ComObject<Factory, IClassFactory> {
public:
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        return FormsTestCtrl::Create()->QueryInterface(iid, out);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

} // namespace
} // namespace qel

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (clsid != CLSID_FormsTestCtrl) return CLASS_E_CLASSNOTAVAILABLE;
    return qel::Factory::Create()->QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() {
    return qel::g_alive == 0 ? S_OK : S_FALSE;
}

extern "C" void FormsTestCounters(LONG* alive, LONG* closed) {
    *alive = qel::g_alive;
    *closed = qel::g_closed;
}
