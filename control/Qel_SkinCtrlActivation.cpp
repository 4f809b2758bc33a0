// Putting the skin on the host form and taking it off: slicing the current
// sheet into the renderer's pictures and settings, attaching the renderer,
// resizing the host so that its client area keeps its size, and the form icon.
#include "base/LateBound.h"
#include "base/MessagePump.h"
#include "base/PictureFile.h"
#include "base/ReentryGuard.h"
#include "base/Twips.h"
#include "control/Qel_SkinCtrl.h"
#include "sheet/win32/SheetPicture.h"
#include "hooking/RoundRegion.h"
#include "renderer/Qel_SkinClass.h"
#include "renderer/Qel_SkinConfig.h"

namespace qel {
namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255); // the renderer's icon key colour

std::optional<double> Number(IDispatch* object, const wchar_t* name) {
    std::optional<double> r;
    if (std::optional<Variant> v = GetProperty(object, name, VT_R8)) r = V_R8(&v->get());
    return r;
}

void PutLong(IDispatch* object, const wchar_t* name, LONG value) {
    PutProperty(object, name, Variant(value).get());
}

// Moves the host to its own position with a new size (twips).
void MoveHost(IDispatch* host, double width, double height) {
    std::optional<double> left = Number(host, L"Left"), top = Number(host, L"Top");
    if (left && top)
        CallMethod(host, L"Move",
                   {Variant(*left).get(), Variant(*top).get(), Variant(width).get(),
                    Variant(height).get()});
}

// The host's ScaleMode, set to twips for as long as the guard lives.
class TwipsScale {
public:
    explicit TwipsScale(IDispatch* host) : host_(host), saved_(Number(host, L"ScaleMode")) {
        PutLong(host_, L"ScaleMode", 1);
    }
    ~TwipsScale() {
        if (saved_) PutLong(host_, L"ScaleMode", static_cast<LONG>(*saved_));
    }
    TwipsScale(const TwipsScale&) = delete;
    TwipsScale& operator=(const TwipsScale&) = delete;

private:
    IDispatch* host_;
    std::optional<double> saved_;
};

// A 16 x 16 picture of what `draw` paints on a magenta ground.
template <class Draw> ComPtr<IPictureDisp> IconPicture(Draw draw) {
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 16, 16));
    UniqueDC dc(CreateCompatibleDC(screen.get()));
    if (!bitmap || !dc) return nullptr;
    bool drawn;
    {
        Selection sel(dc.get(), bitmap.get());
        UniqueBrush ground(CreateSolidBrush(kTransparent));
        RECT all{0, 0, 16, 16};
        FillRect(dc.get(), &all, ground.get());
        drawn = draw(dc.get());
    }
    return drawn ? PictureFromBitmap(std::move(bitmap)) : nullptr;
}

} // namespace

bool Qel_SkinCtrl::HostAlive() const {
    return m_hWndHost && IsWindow(m_hWndHost);
}

bool Qel_SkinCtrl::HostHasIcon(IDispatch* host) const {
    ComPtr<IPicture> picture = GetObjectProperty(host, L"Icon").as<IPicture>();
    OLE_HANDLE handle = 0;
    return picture && SUCCEEDED(picture->get_Handle(&handle)) && handle != 0;
}

// Draws the host window's small icon (or its big icon, scaled) at 16 x 16.
bool Qel_SkinCtrl::DrawFormIcon(HWND hWnd, HDC hDC) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
    UniqueIcon copy; // a scaled copy of the big icon is freed after drawing
    if (!icon) {
        auto big = reinterpret_cast<HICON>(SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0));
        if (!big) return false;
        copy.reset(static_cast<HICON>(CopyImage(big, IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE)));
        if (!copy) return false;
        icon = copy.get();
    }
    return DrawIconEx(hDC, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL) != FALSE;
}

// The host's icon as a 16 x 16 picture.
ComPtr<IPictureDisp> Qel_SkinCtrl::FormIconPicture(HWND host) {
    ComPtr<IPictureDisp> icon = IconPicture([&](HDC dc) { return DrawFormIcon(host, dc); });
    if (icon) return icon;
    // The window's small icon itself; the picture must not own it.
    auto small = reinterpret_cast<HICON>(SendMessageA(host, WM_GETICON, ICON_SMALL, 0));
    if (!small) return nullptr;
    return IconPicture([&](HDC dc) {
        return DrawIconEx(dc, 0, 0, small, 16, 16, 0, nullptr, DI_NORMAL) != FALSE;
    });
}

// Reads and slices `picture` and cuts the renderer's pictures from it; nothing
// when it is not a sheet that slices. Nothing of the control changes here.
std::optional<Qel_SkinCtrl::PreparedSkin> Qel_SkinCtrl::PrepareSkin(IPictureDisp* picture,
                                                                    HWND hwnd, IDispatch* host) {
    HMENU menu = GetMenu(hwnd);
    const bool hasMenu = m_HasMenu || (menu && GetMenuItemCount(menu) > 0);
    std::optional<SheetImage> sheet = SheetFromPicture(picture);
    if (!sheet) return std::nullopt;
    // The host's icon is looked at again at every activation.
    const bool hostIcon = HostHasIcon(host);
    SkinSliceResult result = SliceSkinSheet(*sheet, {hasMenu, m_ShowIcon, hostIcon});
    if (!result.slice) return std::nullopt;
    PreparedSkin p{std::move(*result.slice), hasMenu, {}, {}, {}, {}};
    p.caption = PictureFromSheet(CutPicture(*sheet, p.slice.caption));
    p.borders = PictureFromSheet(CutPicture(*sheet, p.slice.borders));
    p.buttons = PictureFromSheet(CutPicture(*sheet, p.slice.buttons));
    // Taken afresh when the caption shows it; a host without one has none.
    if (hostIcon) p.icon = p.slice.config.ShowIcon ? FormIconPicture(hwnd) : frmIcon_;
    return p;
}

void Qel_SkinCtrl::LoadSkinParts(const PreparedSkin& prepared) {
    const SkinSlice& slice = prepared.slice;
    m_HasMenu = prepared.hasMenu;
    m_RoundAngle = slice.RoundAngle;
    m_RoundTop = slice.RoundTop;
    m_RoundBottom = slice.RoundBottom;
    m_ActiveBackColor = slice.ActiveBackColor;
    m_InactiveBackColor = slice.InactiveBackColor;
    m_ControlForeColor = slice.ControlForeColor;
    m_SkinAllowsIcon = slice.SkinAllowsIcon;
    m_ShiftCaption = slice.ShiftCaption;
    m_FrameWidth = slice.FrameWidthTwips(TwipsPerPixelX());
    m_FrameHeight = slice.FrameHeightTwips(TwipsPerPixelY());
    frmIcon_ = prepared.icon;

    if (!m_Config) {
        m_Config = Qel_SkinConfig::Create();
        m_Config->Settings().Name = L"Qel Skin Control";
    }
    SkinSettings& c = m_Config->Settings();
    const SkinConfigValues& v = slice.config;
#define QEL_SLICED_SETTING(Name, Kind, Copied, Returned, Sliced, ...)                              \
    QEL_SETTING_IF(Sliced, c.Name = SettingCast<decltype(c.Name)>(v.Name);)
    QEL_SKIN_SETTINGS(QEL_SLICED_SETTING)
#undef QEL_SLICED_SETTING
    c.Caption = prepared.caption;
    c.Borders = prepared.borders;
    c.Buttons = prepared.buttons;
    c.FrmIcon = frmIcon_;
}

// After a failed activation: the skin comes off quietly, the control takes its
// state back, and a skin that was on before goes on again.
void Qel_SkinCtrl::Restore(const SkinCtrlState& before, bool activated) {
    TakeOff();
    static_cast<SkinCtrlState&>(*this) = before;
    if (activated) Activate(0);
}

STDMETHODIMP Qel_SkinCtrl::ActivateSkin(LONG SkinNumber) {
    return Guard([&] { return Activate(SkinNumber); });
}

HRESULT Qel_SkinCtrl::Activate(long SkinNumber) {
    // Activation asked for while the skin is being taken off is refused.
    if (deactivating_) return S_OK;
    ComPtr<IDispatch> keep(this);
    ComPtr<IDispatch> host = HostForm();
    const std::optional<OLE_COLOR> activationBack = GetColourProperty(host.get(), L"BackColor");
    const SkinChoice choice = ChoiceByNumber(SkinNumber);
    const HWND hwnd = WindowOfForm(host.get());

    // A picture that is not a skin sheet changes nothing: the control keeps its
    // skin and state, and the host is neither resized nor recoloured.
    std::optional<PreparedSkin> prepared = PrepareSkin(choice.picture.get(), hwnd, host.get());
    if (!prepared) return S_OK;

    const SkinCtrlState before = *this;
    const bool activated = m_Activated;
    const unsigned call = ++skinCalls_;
    HRESULT hr;
    try {
        hr = PutOn(*prepared, choice, activationBack, host.get(), hwnd, call);
    } catch (...) {
        if (call == skinCalls_) Restore(before, activated);
        throw;
    }
    if (FAILED(hr) && call == skinCalls_) Restore(before, activated);
    return hr;
}

// The accepted skin goes on. A host handler may take the skin off or put
// another on (from Resize, RePainting, FocusChange or SkinActive): this call
// then stops where the other one took over.
HRESULT Qel_SkinCtrl::PutOn(const PreparedSkin& prepared, const SkinChoice& choice,
                            std::optional<OLE_COLOR> activationBack, IDispatch* host, HWND hwnd,
                            unsigned call) {
    auto superseded = [&] { return call != skinCalls_; };
    if (activationBack) m_ActivationBackColor = *activationBack;
    m_Skin = choice.skin;
    picture1_ = choice.picture;
    m_hWndHost = hwnd;

    std::optional<TwipsScale> twips;
    if (host) twips.emplace(host);

    // The host's own frame, measured while it has it (an activation started
    // from a handler of this one finds the frame already changed).
    if (!m_Activated) {
        std::optional<double> w = Number(host, L"Width"), h = Number(host, L"Height");
        std::optional<double> sw = Number(host, L"ScaleWidth");
        std::optional<double> sh = Number(host, L"ScaleHeight");
        if (w && h && sw && sh) {
            m_HostFrameHeight = static_cast<LONG>(*h - *sh);
            m_HostFrameWidth = static_cast<LONG>(*w - *sw + 5);
        }
    }
    m_Activated = true;
    LoadSkinParts(prepared);
    if (!m_cN) {
        ComPtr<Qel_SkinClass> created = Qel_SkinClass::Create();
        cnEvents_ = EventConnection(created->Unknown(), DIID___Qel_SkinClass,
                                    [this](DISPID id, DISPPARAMS& p) { OnRendererEvent(id, p); });
        m_cN = created;
    }
    // The renderer lives through this call even if a handler releases it.
    const ComPtr<Qel_SkinClass> renderer = m_cN;
    ColorHostControls(true, true);

    std::optional<double> sw = Number(host, L"ScaleWidth");
    std::optional<double> sh = Number(host, L"ScaleHeight");
    std::optional<double> w = Number(host, L"Width"), h = Number(host, L"Height");
    if (sw && sh && w && h) {
        const double width = *sw + m_FrameWidth - 5, height = *sh + m_FrameHeight;
        if (*w != width || *h != height) MoveHost(host, width, height);
    }
    hostFramed_ = true;
    if (superseded()) return S_OK;
    renderer->SetRoundAngle(m_RoundAngle, Flag(m_RoundTop), Flag(m_RoundBottom));
    renderer->SetFrmMimMax(m_FormMinWidth, m_FormMaxWidth, m_FormMinHeight, m_FormMaxHeight);
    const HRESULT attached = renderer->Attach2(host, m_Config.get());
    if (superseded()) return S_OK;
    if (FAILED(attached)) return attached;
    ApplyFormColors();
    if (m_RoundAngle >= 1 && (m_RoundTop || m_RoundBottom))
        SetFormRoundRegion(m_hWndHost, m_RoundAngle, m_RoundTop, m_RoundBottom);
    else
        SetFormRoundRegion(m_hWndHost, 0, true, true);
    twips.reset();
    if (superseded()) return S_OK;
    m_SkinActive = true;
    if (m_hWndHost) SendMessageA(m_hWndHost, WM_NCACTIVATE, 1, 0);
    if (superseded()) return S_OK;
    // The cache file is written once the new skin is on.
    if (choice.chosen && picture1_ && m_SaveSkinToRegistry) SaveSkinCache();

    RaiseSkinActive(true);
    return S_OK;
}

void Qel_SkinCtrl::RaiseSkinActive(bool on) {
    VARIANT_BOOL enabled = Flag(on);
    VARIANTARG arg;
    V_VT(&arg) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&arg) = &enabled;
    events_.Fire(DISPID_SKINCTRL_SKINACTIVE, {arg});
}

STDMETHODIMP Qel_SkinCtrl::DeactivateSkin() {
    return Guard([&] {
        if (deactivating_) return S_OK;
        ComPtr<IDispatch> keep(this);
        TakeOff();
        RaiseSkinActive(false);
        return S_OK;
    });
}

// Gives the host its own frame, region, colours and size back.
void Qel_SkinCtrl::TakeOff() {
    ReentryGuard deactivating(deactivating_);
    ++skinCalls_; // an activation running further up the stack stops
    const bool applied = m_Config != nullptr;
    if (HostAlive()) SetFormRoundRegion(m_hWndHost, 0, true, true);
    if (ComPtr<Qel_SkinClass> renderer = m_cN) renderer->Detach();
    cnEvents_.reset();
    m_Config.reset();
    m_cN.reset();
    DoEvents();
    // Only a skin that was applied has colours to give back, and only to a host
    // that is still there.
    if (applied && HostAlive()) ApplyFormColors();
    // The host is given its size back only once activation has given it the
    // skin's (an activation that failed before has nothing to undo).
    if (hostFramed_ && HostAlive()) {
        ComPtr<IDispatch> host = HostForm();
        {
            TwipsScale twips(host.get());
            std::optional<double> w = Number(host.get(), L"Width");
            std::optional<double> h = Number(host.get(), L"Height");
            if (w && h)
                MoveHost(host.get(), *w - m_FrameWidth + m_HostFrameWidth,
                         *h - m_FrameHeight + m_HostFrameHeight);
        }
        CallMethod(host.get(), L"Refresh");
        DoEvents();
    }
    m_FrameHeight = m_FrameWidth = 0;
    hostFramed_ = false;
    m_SkinActive = false;
    m_Activated = false;
}

} // namespace qel
