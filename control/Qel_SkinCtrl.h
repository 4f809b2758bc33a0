// The skin control: an ActiveX control a developer places on a form. At run
// time the host calls ActivateSkin and the form's frame is drawn from a skin
// sheet: one of six built-in sheets, a custom picture, or the thread's skin
// cache file. The control persists its properties with the host form, slices
// the sheet for the renderer, resizes and recolours the host, and passes the
// renderer's reports on as its own events.
#pragma once
#include "base/ComGuard.h"
#include "base/Events.h"
#include "typelib/QelTypeLib.h"
#include "sheet/SkinSlice.h"
#include "renderer/Qel_SkinClass.h"
#include "renderer/Qel_SkinConfig.h"

#include <map>
#include <optional>
#include <string>

namespace qel {

// The skin control's state that a failed activation gives back, listed once:
// the control holds it as a base, so taking and restoring it are one copy each.
struct SkinCtrlState {
    Skins m_Skin = Light_Blue_Bubble; // persisted
    // The current skin sheet (the control's Picture1).
    ComPtr<IPictureDisp> picture1_;
    // The host's icon as a 16 x 16 picture, taken at each activation.
    ComPtr<IPictureDisp> frmIcon_;
    SHORT m_RoundAngle = 0;
    bool m_RoundTop = false, m_RoundBottom = false;
    OLE_COLOR m_ActiveBackColor = 0, m_InactiveBackColor = 0, m_ControlForeColor = 0;
    OLE_COLOR m_ActivationBackColor = 0;
    bool m_SkinAllowsIcon = false, m_ShiftCaption = false, m_HasMenu = false;
};

class Qel_SkinCtrl final
    : public ComObject<Qel_SkinCtrl, _Qel_SkinCtrl, IOleObject, IOleControl, IPersistPropertyBag,
                       IProvideClassInfo2, IConnectionPointContainer, IViewObject2>,
      private SkinCtrlState {
public:
    Qel_SkinCtrl();
    ~Qel_SkinCtrl() override;

    // _Qel_SkinCtrl
    STDMETHODIMP ActivateSkin(LONG SkinNumber) override;
    STDMETHODIMP DeactivateSkin() override;
    STDMETHODIMP get_SkinPicture(IPictureDisp** ret) override;
    STDMETHODIMP putref_SkinPicture(IPictureDisp* New_SkinPicture) override;
    STDMETHODIMP get_ChangeControlColor(VARIANT_BOOL* ret) override;
    STDMETHODIMP put_ChangeControlColor(VARIANT_BOOL value) override;
    STDMETHODIMP get_FormMaxWidth(LONG* ret) override;
    STDMETHODIMP put_FormMaxWidth(LONG value) override;
    STDMETHODIMP get_FormMinWidth(LONG* ret) override;
    STDMETHODIMP put_FormMinWidth(LONG value) override;
    STDMETHODIMP get_FormMaxHeight(LONG* ret) override;
    STDMETHODIMP put_FormMaxHeight(LONG value) override;
    STDMETHODIMP get_FormMinHeight(LONG* ret) override;
    STDMETHODIMP put_FormMinHeight(LONG value) override;
    STDMETHODIMP get_Skin(Skins* ret) override;
    STDMETHODIMP put_Skin(Skins New_Skin) override;
    STDMETHODIMP SaveSkinPicture(BSTR SkinPath) override;
    STDMETHODIMP get_SaveSkinToRegistry(VARIANT_BOOL* ret) override;
    STDMETHODIMP put_SaveSkinToRegistry(VARIANT_BOOL value) override;
    STDMETHODIMP get_LoadSkinFromRegistry(VARIANT_BOOL* ret) override;
    STDMETHODIMP put_LoadSkinFromRegistry(VARIANT_BOOL value) override;
    STDMETHODIMP get_AlwaysOnTop(VARIANT_BOOL* ret) override;
    STDMETHODIMP put_AlwaysOnTop(VARIANT_BOOL value) override;
    STDMETHODIMP get_ShowIcon(VARIANT_BOOL* ret) override;
    STDMETHODIMP put_ShowIcon(VARIANT_BOOL value) override;
    STDMETHODIMP SkinAllowsIcon(VARIANT_BOOL* ret) override;
    STDMETHODIMP IsSkinActive(VARIANT_BOOL* ret) override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return S_OK; }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** e) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleControl: ambient changes need no action.
    STDMETHODIMP GetControlInfo(CONTROLINFO*) override { return E_NOTIMPL; }
    STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
    STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

    // IPersistPropertyBag
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer: the events and property notifications.
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override;
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override {
        return EnumPoints({&events_, &notifications_}, e);
    }

    // IViewObject2: the control's face on a form being designed.
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                      HDC targetDC, HDC dc, LPCRECTL bounds, LPCRECTL window,
                      BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR contArg) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE*, LPSIZEL size) override;

private:
    void* FindOther(REFIID iid) override;

    // The container.
    bool UserMode() const;
    ComPtr<IDispatch> HostForm() const;
    void PropertyChanged(DISPID id);
    void DefaultPointerAndDoEvents();
    void RememberHostBackColor();

    // Skin selection and the cache file.
    void InitialiseCacheFolder();
    ComPtr<IPictureDisp> BuiltInPicture(long skin);
    void TakeBuiltInPicture(long skin);
    std::string CacheFile() const;
    std::string CacheFileToRead() const;
    void SaveSkinCache();
    bool LoadSkinCache();
    void ChooseAtLoad();
    // The skin and picture an activation with `skinNumber` would take;
    // `chosen` when the number made a choice (the cache file follows it).
    struct SkinChoice {
        Skins skin;
        ComPtr<IPictureDisp> picture;
        bool chosen;
    };
    SkinChoice ChoiceByNumber(long skinNumber);
    void RaiseSkinChanged();

    // Activation. Everything a skin needs is made before anything changes.
    struct PreparedSkin {
        SkinSlice slice;
        bool hasMenu;
        ComPtr<IPictureDisp> caption, borders, buttons, icon;
    };
    std::optional<PreparedSkin> PrepareSkin(IPictureDisp* picture, HWND hwnd, IDispatch* host);
    void LoadSkinParts(const PreparedSkin& prepared);
    HRESULT Activate(long SkinNumber);
    HRESULT PutOn(const PreparedSkin& prepared, const SkinChoice& choice,
                  std::optional<OLE_COLOR> activationBack, IDispatch* host, HWND hwnd,
                  unsigned call);
    void TakeOff();
    void RaiseSkinActive(bool on);
    bool DrawFormIcon(HWND hWnd, HDC hDC);
    ComPtr<IPictureDisp> FormIconPicture(HWND host);
    bool HostHasIcon(IDispatch* host) const;
    bool HostAlive() const;

    // Gives back the state before a failed activation; a skin that was on
    // (`activated`) goes on again.
    void Restore(const SkinCtrlState& before, bool activated);

    // A COM method's body: an exception becomes an HRESULT and error information.
    template <class Body> HRESULT Guard(Body&& body) noexcept {
        return ComGuard(L"Qel_SkinControl.Qel_SkinCtrl", std::forward<Body>(body));
    }

    // Host events and colours.
    void OnRendererEvent(DISPID id, DISPPARAMS& params);
    void ApplyStacking();
    void ApplyFormColors();
    void ColorHostControls(bool SkinOn, bool IsActive);

    // The design-time size menu.
    void ShowSizeMenu();

    VARIANT_BOOL Flag(bool b) const { return b ? VARIANT_TRUE : VARIANT_FALSE; }

    // Persisted properties (and m_Skin).
    ComPtr<IPictureDisp> m_SkinPicture;
    bool m_ChangeControlColor = true;
    bool m_SaveSkinToRegistry = false;
    bool m_LoadSkinFromRegistry = true;
    bool m_AlwaysOnTop = false;
    bool m_ShowIcon = true;
    LONG m_FormMaxWidth = 0, m_FormMinWidth = 0, m_FormMaxHeight = 0, m_FormMinHeight = 0;

    // Skin state.
    ComPtr<Qel_SkinClass> m_cN;
    EventConnection cnEvents_;
    ComPtr<Qel_SkinConfig> m_Config;
    bool deactivating_ = false;
    unsigned skinCalls_ = 0; // counts activations and deactivations, for re-entry
    bool m_Activated = false;
    bool hostFramed_ = false; // activation has sized the host for the skin's frame
    bool m_SkinActive = false;
    bool m_Loading = false;
    OLE_COLOR m_OriginalBackColor = 0;
    HWND m_hWndHost = nullptr;
    double m_FrameWidth = 0, m_FrameHeight = 0;
    LONG m_HostFrameWidth = 0, m_HostFrameHeight = 0;
    DWORD m_CacheId = 0;
    std::string m_WinDir, m_CacheFolder;

    // The built-in sheets.
    ComPtr<IPictureDisp> builtIn_[6];

    // The colours each recoloured host control had before the skin came, given
    // back when it goes.
    struct OwnColours {
        std::optional<OLE_COLOR> back, fore;
    };
    std::map<ComPtr<IUnknown>, OwnColours> ownColours_;

    ComPtr<IOleClientSite> site_;
    ComPtr<IOleAdviseHolder> adviseHolder_;
    SIZEL extent_{}; // HIMETRIC
    ComPtr<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0, viewFlags_ = 0;

    EventSource events_{this, DIID___Qel_SkinCtrl};
    EventSource notifications_{this, IID_IPropertyNotifySink};
};

} // namespace qel
