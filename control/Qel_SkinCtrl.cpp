#include "control/Qel_SkinCtrl.h"
#include "base/LateBound.h"
#include "base/MessagePump.h"
#include "base/TypeLib.h"
#include "sheet/win32/SheetPicture.h"

#include <olectl.h>

namespace qel {
namespace {

// The control keeps 630 x 540 twips (its 42 x 36 pixel face) on a form.
constexpr SIZEL kExtentHimetric{1111, 953};

// The value stored under `name`, as it is stored; nothing when there is none.
std::optional<Variant> ReadBag(IPropertyBag* bag, const wchar_t* name) {
    Variant value;
    if (FAILED(bag->Read(name, value.ptr(), nullptr))) return std::nullopt;
    return value;
}

// A stored value converted to `type`; nothing when it is missing or does not convert.
std::optional<Variant> ReadBag(IPropertyBag* bag, const wchar_t* name, VARTYPE type) {
    std::optional<Variant> value = ReadBag(bag, name);
    Variant converted;
    if (!value || FAILED(value->ChangeType(type, converted))) return std::nullopt;
    return converted;
}

LONG ReadLong(IPropertyBag* bag, const wchar_t* name, LONG fallback) {
    std::optional<Variant> v = ReadBag(bag, name, VT_I4);
    return v ? V_I4(&v->get()) : fallback;
}

bool ReadBool(IPropertyBag* bag, const wchar_t* name, bool fallback) {
    std::optional<Variant> v = ReadBag(bag, name, VT_BOOL);
    return v ? V_BOOL(&v->get()) != VARIANT_FALSE : fallback;
}

void WriteLong(IPropertyBag* bag, const wchar_t* name, LONG value, LONG fallback) {
    if (value != fallback) bag->Write(name, Variant(value).ptr());
}

void WriteBool(IPropertyBag* bag, const wchar_t* name, bool value, bool fallback) {
    if (value != fallback) bag->Write(name, Variant(value).ptr());
}

template <class T> HRESULT Out(T* ret, T value) {
    if (!ret) return E_POINTER;
    *ret = value;
    return S_OK;
}

} // namespace

Qel_SkinCtrl::Qel_SkinCtrl() {
    extent_ = kExtentHimetric;
    InitialiseCacheFolder();
    m_CacheId = GetCurrentThreadId();
    TakeBuiltInPicture(1);     // Picture1 starts with the skin 1 sheet
    m_SkinPicture = picture1_; // as for a newly placed control, until properties arrive
}

Qel_SkinCtrl::~Qel_SkinCtrl() {
    DeactivateSkin();
}

void* Qel_SkinCtrl::FindOther(REFIID iid) {
    if (iid == IID_IPersist) return static_cast<IPersistPropertyBag*>(this);
    if (iid == IID_IProvideClassInfo) return static_cast<IProvideClassInfo2*>(this);
    if (iid == IID_IViewObject) return static_cast<IViewObject2*>(this);
    return nullptr;
}

// ---- The container ----------------------------------------------------------

bool Qel_SkinCtrl::UserMode() const {
    ComPtr<IDispatch> ambient = site_.as<IDispatch>();
    if (!ambient) return true; // a container without ambient properties is at run time
    Variant v, mode;
    DISPPARAMS none{};
    if (FAILED(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT,
                               DISPATCH_PROPERTYGET, &none, v.ptr(), nullptr, nullptr)) ||
        FAILED(v.ChangeType(VT_BOOL, mode)))
        return true;
    return V_BOOL(&mode.get()) != VARIANT_FALSE;
}

ComPtr<IDispatch> Qel_SkinCtrl::HostForm() const {
    ComPtr<IOleControlSite> site = site_.as<IOleControlSite>();
    ComPtr<IDispatch> extender;
    if (!site || FAILED(site->GetExtendedControl(extender.put()))) return nullptr;
    return GetObjectProperty(extender.get(), L"Parent");
}

void Qel_SkinCtrl::PropertyChanged(DISPID id) {
    notifications_.NotifyChanged(id);
}

void Qel_SkinCtrl::DefaultPointerAndDoEvents() {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    DoEvents();
}

// ---- Properties ---------------------------------------------------------------

STDMETHODIMP Qel_SkinCtrl::get_ChangeControlColor(VARIANT_BOOL* ret) {
    return Out(ret, Flag(m_ChangeControlColor));
}
STDMETHODIMP Qel_SkinCtrl::put_ChangeControlColor(VARIANT_BOOL value) {
    m_ChangeControlColor = value != VARIANT_FALSE;
    PropertyChanged(DISPID_SKINCTRL_CHANGECONTROLCOLOR);
    return S_OK;
}

STDMETHODIMP Qel_SkinCtrl::get_FormMaxWidth(LONG* ret) {
    return Out(ret, m_FormMaxWidth);
}
STDMETHODIMP Qel_SkinCtrl::put_FormMaxWidth(LONG value) {
    m_FormMaxWidth = value;
    PropertyChanged(DISPID_SKINCTRL_FORMMAXWIDTH);
    return S_OK;
}
STDMETHODIMP Qel_SkinCtrl::get_FormMinWidth(LONG* ret) {
    return Out(ret, m_FormMinWidth);
}
STDMETHODIMP Qel_SkinCtrl::put_FormMinWidth(LONG value) {
    m_FormMinWidth = value;
    PropertyChanged(DISPID_SKINCTRL_FORMMINWIDTH);
    return S_OK;
}
STDMETHODIMP Qel_SkinCtrl::get_FormMaxHeight(LONG* ret) {
    return Out(ret, m_FormMaxHeight);
}
STDMETHODIMP Qel_SkinCtrl::put_FormMaxHeight(LONG value) {
    m_FormMaxHeight = value;
    PropertyChanged(DISPID_SKINCTRL_FORMMAXHEIGHT);
    return S_OK;
}
STDMETHODIMP Qel_SkinCtrl::get_FormMinHeight(LONG* ret) {
    return Out(ret, m_FormMinHeight);
}
STDMETHODIMP Qel_SkinCtrl::put_FormMinHeight(LONG value) {
    m_FormMinHeight = value;
    PropertyChanged(DISPID_SKINCTRL_FORMMINHEIGHT);
    return S_OK;
}

STDMETHODIMP Qel_SkinCtrl::get_SaveSkinToRegistry(VARIANT_BOOL* ret) {
    return Out(ret, Flag(m_SaveSkinToRegistry));
}
STDMETHODIMP Qel_SkinCtrl::put_SaveSkinToRegistry(VARIANT_BOOL value) {
    return Guard([&] {
        m_SaveSkinToRegistry = value != VARIANT_FALSE;
        PropertyChanged(DISPID_SKINCTRL_SAVESKINTOREGISTRY);
        if (picture1_ && m_SaveSkinToRegistry) SaveSkinCache();
        DefaultPointerAndDoEvents();
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinCtrl::get_LoadSkinFromRegistry(VARIANT_BOOL* ret) {
    return Out(ret, Flag(m_LoadSkinFromRegistry));
}
STDMETHODIMP Qel_SkinCtrl::put_LoadSkinFromRegistry(VARIANT_BOOL value) {
    return Guard([&] {
        m_LoadSkinFromRegistry = value != VARIANT_FALSE;
        PropertyChanged(DISPID_SKINCTRL_LOADSKINFROMREGISTRY);
        if (m_LoadSkinFromRegistry && LoadSkinCache() && m_Activated) ActivateSkin(0);
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinCtrl::get_AlwaysOnTop(VARIANT_BOOL* ret) {
    return Out(ret, Flag(m_AlwaysOnTop));
}

STDMETHODIMP Qel_SkinCtrl::get_ShowIcon(VARIANT_BOOL* ret) {
    return Out(ret, Flag(m_ShowIcon));
}
STDMETHODIMP Qel_SkinCtrl::put_ShowIcon(VARIANT_BOOL value) {
    return Guard([&] {
        const bool show = value != VARIANT_FALSE;
        if (show == m_ShowIcon) return S_OK;
        m_ShowIcon = show;
        PropertyChanged(DISPID_SKINCTRL_SHOWICON);
        if (m_Activated) ActivateSkin(0);
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinCtrl::SkinAllowsIcon(VARIANT_BOOL* ret) {
    return Out(ret, Flag(m_SkinAllowsIcon));
}
STDMETHODIMP Qel_SkinCtrl::IsSkinActive(VARIANT_BOOL* ret) {
    return Out(ret, Flag(m_SkinActive));
}

// ---- IOleObject -----------------------------------------------------------------

STDMETHODIMP Qel_SkinCtrl::SetClientSite(IOleClientSite* site) {
    site_ = site;
    return S_OK;
}

STDMETHODIMP Qel_SkinCtrl::GetClientSite(IOleClientSite** site) {
    return CopyTo(site_, site);
}

STDMETHODIMP Qel_SkinCtrl::Close(DWORD) {
    return Guard([&] {
        DeactivateSkin();
        if (adviseHolder_) adviseHolder_->SendOnClose();
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinCtrl::GetUserClassID(CLSID* clsid) {
    return GetClassID(clsid);
}

STDMETHODIMP Qel_SkinCtrl::GetUserType(DWORD form, LPOLESTR* type) {
    return OleRegGetUserType(CLSID_Qel_SkinCtrl, form, type);
}

STDMETHODIMP Qel_SkinCtrl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return Out(size, extent_);
}

STDMETHODIMP Qel_SkinCtrl::Advise(IAdviseSink* sink, DWORD* cookie) {
    return Guard([&] {
        if (!adviseHolder_ && FAILED(CreateOleAdviseHolder(adviseHolder_.put())))
            return E_OUTOFMEMORY;
        return adviseHolder_->Advise(sink, cookie);
    });
}

STDMETHODIMP Qel_SkinCtrl::Unadvise(DWORD cookie) {
    return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP Qel_SkinCtrl::EnumAdvise(IEnumSTATDATA** e) {
    if (e) *e = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(e) : E_FAIL;
}

STDMETHODIMP Qel_SkinCtrl::GetMiscStatus(DWORD, DWORD* status) {
    return Out<DWORD>(status, OLEMISC_INVISIBLEATRUNTIME | OLEMISC_SETCLIENTSITEFIRST |
                                  OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_CANTLINKINSIDE |
                                  OLEMISC_RECOMPOSEONRESIZE);
}

// ---- Persistence ----------------------------------------------------------------

STDMETHODIMP Qel_SkinCtrl::GetClassID(CLSID* clsid) {
    return Out(clsid, CLSID_Qel_SkinCtrl);
}

STDMETHODIMP Qel_SkinCtrl::InitNew() {
    return Guard([&] {
        m_Loading = true;
        m_SkinPicture = picture1_;
        m_ChangeControlColor = true;
        m_FormMaxWidth = m_FormMinWidth = m_FormMaxHeight = m_FormMinHeight = 0;
        m_Skin = Light_Blue_Bubble;
        m_SaveSkinToRegistry = false;
        m_LoadSkinFromRegistry = true;
        m_AlwaysOnTop = false;
        m_ShowIcon = true;
        RememberHostBackColor();
        return S_OK;
    });
}

// The host's own BackColor, given back when the skin goes.
void Qel_SkinCtrl::RememberHostBackColor() {
    if (std::optional<OLE_COLOR> back = GetColourProperty(HostForm().get(), L"BackColor"))
        m_OriginalBackColor = *back;
}

STDMETHODIMP Qel_SkinCtrl::Load(IPropertyBag* bag, IErrorLog*) {
    return Guard([&] {
        if (!bag) return E_POINTER;
        m_Loading = true;
        m_Skin = static_cast<Skins>(ReadLong(bag, L"Skin", 1));
        m_SkinPicture.reset();
        // An object however it is stored (as IUnknown or IDispatch).
        std::optional<Variant> picture = ReadBag(bag, L"SkinPicture");
        if (picture && (picture->type() == VT_UNKNOWN || picture->type() == VT_DISPATCH) &&
            V_UNKNOWN(&picture->get()))
            V_UNKNOWN(&picture->get())->QueryInterface(IID_IPictureDisp, m_SkinPicture.put_void());
        // A stored picture that is no usable skin sheet is passed over as a missing one.
        if (m_SkinPicture && !IsUsableSheet(m_SkinPicture.get())) m_SkinPicture.reset();
        m_ChangeControlColor = ReadBool(bag, L"ChangeControlColor", true);
        m_FormMaxWidth = ReadLong(bag, L"FormMaxWidth", 0);
        m_FormMinWidth = ReadLong(bag, L"FormMinWidth", 0);
        m_FormMaxHeight = ReadLong(bag, L"FormMaxHeight", 0);
        m_FormMinHeight = ReadLong(bag, L"FormMinHeight", 0);
        m_SaveSkinToRegistry = ReadBool(bag, L"SaveSkinToRegistry", false);
        m_LoadSkinFromRegistry = ReadBool(bag, L"LoadSkinFromRegistry", true);
        m_AlwaysOnTop = ReadBool(bag, L"AlwaysOnTop", false);
        m_ShowIcon = ReadBool(bag, L"ShowIcon", true);
        if (!m_SkinPicture) m_SkinPicture = BuiltInPicture(1);
        RememberHostBackColor();
        ChooseAtLoad();
        DefaultPointerAndDoEvents();
        m_Loading = false;
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinCtrl::Save(IPropertyBag* bag, BOOL, BOOL) {
    return Guard([&] {
        if (!bag) return E_POINTER;
        if (m_SkinPicture) {
            bag->Write(L"SkinPicture", Variant(m_SkinPicture).ptr());
        }
        WriteBool(bag, L"ChangeControlColor", m_ChangeControlColor, true);
        WriteLong(bag, L"FormMaxWidth", m_FormMaxWidth, 0);
        WriteLong(bag, L"FormMinWidth", m_FormMinWidth, 0);
        WriteLong(bag, L"FormMaxHeight", m_FormMaxHeight, 0);
        WriteLong(bag, L"FormMinHeight", m_FormMinHeight, 0);
        WriteLong(bag, L"Skin", m_Skin, 1);
        WriteBool(bag, L"SaveSkinToRegistry", m_SaveSkinToRegistry, false);
        WriteBool(bag, L"LoadSkinFromRegistry", m_LoadSkinFromRegistry, true);
        WriteBool(bag, L"AlwaysOnTop", m_AlwaysOnTop, false);
        WriteBool(bag, L"ShowIcon", m_ShowIcon, true);
        return S_OK;
    });
}

// ---- Class information and connection points --------------------------------------

STDMETHODIMP Qel_SkinCtrl::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = LibraryTypeInfo(CLSID_Qel_SkinCtrl);
    if (!*info) return E_FAIL;
    (*info)->AddRef();
    return S_OK;
}

STDMETHODIMP Qel_SkinCtrl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = DIID___Qel_SkinCtrl;
    return S_OK;
}

STDMETHODIMP Qel_SkinCtrl::FindConnectionPoint(REFIID iid, IConnectionPoint** cp) {
    return Guard([&] {
        if (iid == IID_IPropertyNotifySink) return notifications_.Find(iid, cp);
        return events_.Find(iid, cp);
    });
}

} // namespace qel
