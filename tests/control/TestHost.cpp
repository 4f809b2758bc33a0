#include "tests/control/TestHost.h"
#include "base/ComGuard.h"
#include "base/Rounding.h"
#include "base/Twips.h"
#include "typelib/QelTypeLib.h"
#include "tests/support/AllocationFaults.h"
#include "tests/support/TestWindow.h"

#include <olectl.h>

namespace qel::test {
namespace {

// Type information that only knows its name (what TypeName asks of it).
class NameTypeInfo final : public ComObject<NameTypeInfo, ITypeInfo> {
public:
    explicit NameTypeInfo(std::wstring name) : name_(std::move(name)) {}
    STDMETHODIMP GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* context,
                                  BSTR* help) override {
        if (id != MEMBERID_NIL) return TYPE_E_ELEMENTNOTFOUND;
        if (name) *name = SysAllocString(name_.c_str());
        if (doc) *doc = nullptr;
        if (context) *context = 0;
        if (help) *help = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetTypeAttr(TYPEATTR**) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeComp(ITypeComp**) override { return E_NOTIMPL; }
    STDMETHODIMP GetFuncDesc(UINT, FUNCDESC**) override { return E_NOTIMPL; }
    STDMETHODIMP GetVarDesc(UINT, VARDESC**) override { return E_NOTIMPL; }
    STDMETHODIMP GetNames(MEMBERID, BSTR*, UINT, UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetRefTypeOfImplType(UINT, HREFTYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP GetImplTypeFlags(UINT, INT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetRefTypeInfo(HREFTYPE, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP AddressOfMember(MEMBERID, INVOKEKIND, PVOID*) override { return E_NOTIMPL; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID, PVOID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMops(MEMBERID, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainingTypeLib(ITypeLib**, UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP_(void) ReleaseTypeAttr(TYPEATTR*) override {}
    STDMETHODIMP_(void) ReleaseFuncDesc(FUNCDESC*) override {}
    STDMETHODIMP_(void) ReleaseVarDesc(VARDESC*) override {}

private:
    std::wstring name_;
};

VARIANT Copy(const VARIANT& v) {
    VARIANT r;
    VariantInit(&r);
    VariantCopyInd(&r, const_cast<VARIANT*>(&v));
    return r;
}

} // namespace

VARIANT Long(LONG v) {
    VARIANT r;
    V_VT(&r) = VT_I4;
    V_I4(&r) = v;
    return r;
}
VARIANT Double(double v) {
    VARIANT r;
    V_VT(&r) = VT_R8;
    V_R8(&r) = v;
    return r;
}
VARIANT Text(const wchar_t* s) {
    VARIANT r;
    V_VT(&r) = VT_BSTR;
    V_BSTR(&r) = SysAllocString(s);
    return r;
}
VARIANT Object(IDispatch* d) {
    VARIANT r;
    V_VT(&r) = VT_DISPATCH;
    V_DISPATCH(&r) = d;
    if (d) d->AddRef();
    return r;
}
LONG AsLong(const VARIANT& v) {
    VARIANT c;
    VariantInit(&c);
    return SUCCEEDED(VariantChangeType(&c, const_cast<VARIANT*>(&v), 0, VT_I4)) ? V_I4(&c) : 0;
}

// ---- ScriptObject ---------------------------------------------------------------

void ScriptObject::Property(const std::wstring& name, Getter get, Setter set) {
    members_.push_back({name, std::move(get), std::move(set), nullptr});
}
void ScriptObject::Function(const std::wstring& name, Method method) {
    members_.push_back({name, nullptr, nullptr, std::move(method)});
}
void ScriptObject::Field(const std::wstring& name, VARIANT initial) {
    fields_[name] = initial;
    Property(
        name, [this, name] { return Copy(fields_[name]); },
        [this, name](const VARIANT& v) {
            VariantClear(&fields_[name]);
            fields_[name] = Copy(v);
        });
}
VARIANT ScriptObject::FieldValue(const std::wstring& name) const {
    auto it = fields_.find(name);
    return it == fields_.end() ? VARIANT{} : Copy(it->second);
}

void ScriptObject::SetField(const std::wstring& name, const VARIANT& value) {
    VariantClear(&fields_[name]);
    fields_[name] = Copy(value);
}

ScriptObject::Member* ScriptObject::Find(const std::wstring& name) {
    for (Member& m : members_)
        if (_wcsicmp(m.name.c_str(), name.c_str()) == 0) return &m;
    return nullptr;
}

STDMETHODIMP ScriptObject::GetTypeInfoCount(UINT* n) {
    *n = 1;
    return S_OK;
}
STDMETHODIMP ScriptObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    AllocationsSpared spared;
    *info = NameTypeInfo::Create(typeName_).detach();
    return S_OK;
}
STDMETHODIMP ScriptObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    AllocationsSpared spared;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    Member* m = count ? Find(names[0]) : nullptr;
    if (!m) return DISP_E_UNKNOWNNAME;
    ids[0] = static_cast<DISPID>(m - members_.data()) + 1;
    return S_OK;
}
STDMETHODIMP ScriptObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO*, UINT*) {
    // The host's own allocations are not among those a test makes fail.
    AllocationsSpared spared;
    return ComGuard([&]() -> HRESULT {
        if (id < 1 || id > static_cast<DISPID>(members_.size())) return DISP_E_MEMBERNOTFOUND;
        Member& m = members_[id - 1];
        std::vector<VARIANT> args;
        for (UINT i = params ? params->cArgs : 0; i > 0; --i)
            args.push_back(Copy(params->rgvarg[i - 1]));
        VARIANT r;
        VariantInit(&r);
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (!m.set || args.empty()) return DISP_E_MEMBERNOTFOUND;
            m.set(args.back());
        } else if (m.call) {
            r = m.call(args);
        } else if (m.get) {
            r = m.get();
        } else {
            return DISP_E_MEMBERNOTFOUND;
        }
        for (VARIANT& a : args)
            VariantClear(&a);
        if (result)
            *result = r;
        else
            VariantClear(&r);
        return S_OK;
    });
}

// ---- The site, the bag and the notification sink ---------------------------------

class TestHost::Site final
    : public ComObject<Site, IOleClientSite, IOleControlSite, IDispatch, IOleWindow> {
public:
    Site(TestHost& host, ComPtr<ScriptObject> extender) : host_(host), extender_(extender) {}

    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override {
        *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return S_OK; }

    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** d) override {
        return CopyTo(ComPtr<IDispatch>(extender_.get()), d);
    }
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    STDMETHODIMP GetWindow(HWND* hwnd) override {
        *hwnd = host_.Window();
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // Ambient properties: UserMode.
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        if (id != DISPID_AMBIENT_USERMODE) return DISP_E_MEMBERNOTFOUND;
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = host_.userMode_ ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

private:
    TestHost& host_;
    ComPtr<ScriptObject> extender_;
};

class TestHost::Bag final : public ComObject<Bag, IPropertyBag> {
public:
    explicit Bag(std::map<std::wstring, VARIANT> values) : values_(std::move(values)) {}
    ~Bag() override {
        for (auto& [name, v] : values_)
            VariantClear(&v);
    }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        auto it = values_.find(name);
        if (it == values_.end()) return E_INVALIDARG;
        return VariantCopy(value, &it->second);
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
        values_[name] = Copy(*value);
        return S_OK;
    }
    std::map<std::wstring, VARIANT> Take() { return std::exchange(values_, {}); }

private:
    std::map<std::wstring, VARIANT> values_;
};

class TestHost::Notify final : public ComObject<Notify, IPropertyNotifySink> {
public:
    explicit Notify(std::vector<DISPID>& sink) : sink_(sink) {}
    STDMETHODIMP OnChanged(DISPID id) override {
        sink_.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

private:
    std::vector<DISPID>& sink_;
};

// ---- The host ----------------------------------------------------------------------

// The form's procedure records the commands its menu sends.
LRESULT CALLBACK TestHost::FormProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_COMMAND)
        if (auto* host = reinterpret_cast<TestHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
            host->commands.push_back(LOWORD(w));
    return DefWindowProcA(hwnd, msg, w, l);
}

TestHost::TestHost(int x, int y, int clientW, int clientH, bool visible, bool userMode)
    : userMode_(userMode) {
    RECT r{0, 0, clientW, clientH};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    window_.reset(CreateWindowExA(0, TestWindowClass("QelTestHostForm", FormProc, COLOR_BTNFACE),
                                  "Skinned test form", WS_OVERLAPPEDWINDOW, x, y, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                                  nullptr));
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    BuildForm();
    if (visible) {
        ShowWindow(window_.get(), SW_SHOW);
        SetForegroundWindow(window_.get());
    }
}

TestHost::~TestHost() {
    eventConnection_.reset();
    if (notifyPoint_ && notifyCookie_) notifyPoint_->Unadvise(notifyCookie_);
    if (ComPtr<IOleObject> ole = control_.as<IOleObject>()) {
        ole->Close(OLECLOSE_NOSAVE);
        ole->SetClientSite(nullptr);
    }
    control_.reset();
}

void TestHost::BuildForm() {
    form_ = ScriptObject::Create(L"Form");
    HWND hwnd = window_.get();
    auto tx = [] { return TwipsPerPixelX(); };
    auto ty = [] { return TwipsPerPixelY(); };
    auto rect = [hwnd] {
        RECT r;
        GetWindowRect(hwnd, &r);
        return r;
    };
    auto client = [hwnd] {
        RECT r;
        GetClientRect(hwnd, &r);
        return r;
    };
    auto move = [hwnd, tx, ty](double l, double t, double w, double h) {
        MoveWindow(hwnd, RoundHalfEven(l / tx()), RoundHalfEven(t / ty()), RoundHalfEven(w / tx()),
                   RoundHalfEven(h / ty()), TRUE);
    };
    form_->Property(L"hWnd", [hwnd] { return Long(HandleToLong(hwnd)); });
    form_->Property(
        L"BackColor",
        [this] {
            VARIANT v = Long(static_cast<LONG>(back_));
            if (unsignedBack_) V_VT(&v) = VT_UI4;
            return v;
        },
        [this](const VARIANT& v) { back_ = static_cast<OLE_COLOR>(AsLong(v)); });
    form_->Property(
        L"ScaleMode", [this] { return Long(scaleMode_); },
        [this](const VARIANT& v) { scaleMode_ = AsLong(v); });
    form_->Property(L"ScaleWidth", [this, client, tx] {
        return Double(client().right * (scaleMode_ == 1 ? tx() : 1.0));
    });
    form_->Property(L"ScaleHeight", [this, client, ty] {
        return Double(client().bottom * (scaleMode_ == 1 ? ty() : 1.0));
    });
    form_->Property(L"Left", [rect, tx] { return Double(rect().left * tx()); });
    form_->Property(L"Top", [rect, ty] { return Double(rect().top * ty()); });
    form_->Property(L"Width", [rect, tx] { return Double((rect().right - rect().left) * tx()); });
    form_->Property(L"Height", [rect, ty] { return Double((rect().bottom - rect().top) * ty()); });
    form_->Function(L"Move", [move](const std::vector<VARIANT>& a) {
        auto d = [&](size_t i) {
            VARIANT c;
            VariantInit(&c);
            VariantChangeType(&c, const_cast<VARIANT*>(&a[i]), 0, VT_R8);
            return V_R8(&c);
        };
        if (a.size() == 4) move(d(0), d(1), d(2), d(3));
        return VARIANT{};
    });
    form_->Function(L"Refresh", [this, hwnd](const std::vector<VARIANT>&) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (onRefresh) onRefresh();
        return VARIANT{};
    });
    form_->Field(L"Icon", Object(nullptr));
    form_->Property(L"Controls", [this] {
        auto collection = ScriptObject::Create(L"Object");
        collection->Property(L"Count",
                             [this] { return Long(static_cast<LONG>(controls_.size())); });
        collection->Function(L"Item", [this](const std::vector<VARIANT>& a) {
            LONG i = a.empty() ? 0 : AsLong(a[0]);
            return i >= 1 && i <= static_cast<LONG>(controls_.size())
                       ? Object(controls_[i - 1].object.get())
                       : VARIANT{};
        });
        return Object(collection.get());
    });
}

HostControl& TestHost::AddControl(const std::wstring& name, const std::wstring& kind,
                                  OLE_COLOR back, OLE_COLOR fore, bool hasForeColor) {
    controls_.reserve(32); // the objects below refer to their entries
    controls_.push_back({name, kind, back, fore, hasForeColor, ScriptObject::Create(kind)});
    const size_t i = controls_.size() - 1;
    ScriptObject& o = *controls_[i].object;
    o.Property(L"Name", [this, i] { return Text(controls_[i].name.c_str()); });
    o.Property(
        L"BackColor", [this, i] { return Long(static_cast<LONG>(controls_[i].back)); },
        [this, i](const VARIANT& v) { controls_[i].back = AsLong(v); });
    if (hasForeColor)
        o.Property(
            L"ForeColor", [this, i] { return Long(static_cast<LONG>(controls_[i].fore)); },
            [this, i](const VARIANT& v) { controls_[i].fore = AsLong(v); });
    return controls_[i];
}

HostControl& TestHost::Control(const std::wstring& name) {
    for (HostControl& c : controls_)
        if (c.name == name) return c;
    throw std::out_of_range("no such control");
}

void TestHost::SetMenu(HMENU menu) {
    ::SetMenu(window_.get(), menu);
}

void TestHost::SetIcon(IPictureDisp* icon) {
    VARIANT v = Object(icon);
    form_->SetField(L"Icon", v);
    VariantClear(&v);
}

void TestHost::SetFormIcon(HICON icon, bool big) {
    SendMessageA(window_.get(), WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                 reinterpret_cast<LPARAM>(icon));
    ComPtr<IPictureDisp> picture;
    if (icon) {
        PICTDESC desc{sizeof desc, PICTYPE_ICON, {}};
        desc.icon.hicon = icon;
        OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE, picture.put_void());
    }
    SetIcon(picture.get());
}

ComPtr<IDispatch> TestHost::Place(IUnknown* control, const std::map<std::wstring, VARIANT>& bag,
                                  bool initNew) {
    control_ = control;
    auto extender = ScriptObject::Create(L"Qel_SkinCtrl");
    extender->Property(L"Parent", [this] { return Object(form_.get()); });
    extender->Field(L"Name", Text(L"Qel_SkinCtrl1"));
    site_ = ComPtr<IUnknown>(Site::Create(*this, extender)->Unknown());
    if (ComPtr<IOleObject> ole = control_.as<IOleObject>())
        ole->SetClientSite(site_.as<IOleClientSite>().get());
    eventConnection_ =
        EventConnection(control_.get(), DIID___Qel_SkinCtrl, [this](DISPID id, DISPPARAMS& p) {
            std::vector<VARIANT> args;
            for (UINT i = p.cArgs; i > 0; --i)
                args.push_back(Copy(p.rgvarg[i - 1]));
            events.emplace_back(id, args);
            if (onEvent) onEvent(id, p);
        });
    if (ComPtr<IConnectionPointContainer> cpc = control_.as<IConnectionPointContainer>()) {
        if (SUCCEEDED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, notifyPoint_.put()))) {
            notifySink_ = ComPtr<IUnknown>(Notify::Create(notifications)->Unknown());
            notifyPoint_->Advise(notifySink_.get(), &notifyCookie_);
        }
    }
    if (ComPtr<IPersistPropertyBag> persist = control_.as<IPersistPropertyBag>()) {
        if (initNew) {
            persist->InitNew();
        } else {
            std::map<std::wstring, VARIANT> copy;
            for (auto& [k, v] : bag)
                copy[k] = Copy(v);
            auto b = Bag::Create(std::move(copy));
            persist->Load(b.get(), nullptr);
        }
    }
    return control_.as<IDispatch>();
}

std::map<std::wstring, VARIANT> TestHost::SaveBag() {
    auto b = Bag::Create(std::map<std::wstring, VARIANT>{});
    if (ComPtr<IPersistPropertyBag> persist = control_.as<IPersistPropertyBag>())
        persist->Save(b.get(), TRUE, FALSE);
    return b->Take();
}

} // namespace qel::test
