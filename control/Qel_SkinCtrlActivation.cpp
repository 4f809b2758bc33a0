// Putting the skin on the host form and taking it off: slicing the current
// sheet into the renderer's pictures and settings, attaching the renderer,
// resizing the host so that its client area keeps its size, and the form icon.
#include "base/LateBound.h"
#include "base/MessagePump.h"
#include "base/PictureFile.h"
#include "base/Twips.h"
#include "control/Qel_SkinCtrl.h"
#include "control/SheetPicture.h"
#include "hooking/RoundRegion.h"
#include "renderer/Qel_SkinClass.h"
#include "renderer/Qel_SkinConfig.h"

namespace qel {
namespace {

constexpr DISPID kSkinActiveEvent = 4;
constexpr COLORREF kTransparent = RGB(255, 0, 255); // the renderer's icon key colour

std::optional<double> Number(IDispatch* object, const wchar_t* name) {
    VARIANT v;
    if (!GetProperty(object, name, &v)) return std::nullopt;
    std::optional<double> r;
    if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_R8))) r = V_R8(&v);
    VariantClear(&v);
    return r;
}

void PutLong(IDispatch* object, const wchar_t* name, LONG value) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    PutProperty(object, name, v);
}

VARIANTARG Real(double value) {
    VARIANTARG v;
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    return v;
}

// Moves the host to its own position with a new size (twips).
void MoveHost(IDispatch* host, double width, double height) {
    std::optional<double> left = Number(host, L"Left"), top = Number(host, L"Top");
    if (left && top)
        CallMethod(host, L"Move", {Real(*left), Real(*top), Real(width), Real(height)});
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
    VARIANT icon;
    if (!GetProperty(host, L"Icon", &icon)) return false;
    bool has = false;
    if (V_VT(&icon) == VT_DISPATCH && V_DISPATCH(&icon)) {
        ComPtr<IPicture> picture;
        V_DISPATCH(&icon)->QueryInterface(IID_IPicture, picture.put_void());
        OLE_HANDLE handle = 0;
        has = picture && SUCCEEDED(picture->get_Handle(&handle)) && handle != 0;
    }
    VariantClear(&icon);
    return has;
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

// The host's icon is taken once, at the first activation that finds one.
void Qel_SkinCtrl::TakeFormIcon(HWND host) {
    frmIconTaken_ = true;
    frmIcon_ = IconPicture([&](HDC dc) { return DrawFormIcon(host, dc); });
    if (!frmIcon_) {
        // The window's small icon itself; the picture must not own it.
        auto small = reinterpret_cast<HICON>(SendMessageA(host, WM_GETICON, ICON_SMALL, 0));
        if (small)
            frmIcon_ = IconPicture([&](HDC dc) {
                return DrawIconEx(dc, 0, 0, small, 16, 16, 0, nullptr, DI_NORMAL) != FALSE;
            });
    }
}

// Reads and slices the current sheet; nothing when it is not a sheet.
std::optional<Qel_SkinCtrl::SlicedSheet> Qel_SkinCtrl::SliceCurrentSheet(HWND host) {
    if (!m_HasMenu) {
        HMENU menu = GetMenu(host);
        m_HasMenu = menu && GetMenuItemCount(menu) > 0;
    }
    std::optional<SheetImage> sheet = SheetFromPicture(picture1_.get());
    if (!sheet) return std::nullopt;
    ComPtr<IDispatch> form = HostForm();
    SkinSliceResult result =
        SliceSkinSheet(*sheet, {m_HasMenu, m_ShowIcon, frmIconTaken_ || HostHasIcon(form.get())});
    if (!result.slice) return std::nullopt;
    return SlicedSheet{std::move(*sheet), std::move(*result.slice)};
}

void Qel_SkinCtrl::LoadSkinParts(const SlicedSheet& sliced) {
    const SheetImage* sheet = &sliced.sheet;
    const SkinSlice& slice = sliced.slice;
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

    ComPtr<IDispatch> host = HostForm();
    if (slice.config.ShowIcon && !frmIconTaken_ && HostHasIcon(host.get()))
        TakeFormIcon(m_hWndHost);

    if (!m_Config) m_Config = Qel_SkinConfig::Create();
    SkinSettings& c = m_Config->Settings();
    const SkinConfigValues& v = slice.config;
    c.Name = L"Qel Skin Control";
    c.ActiveCaptionColor = v.ActiveCaptionColor;
    c.InActiveCaptionColor = v.InActiveCaptionColor;
    c.ActiveMenuColor = v.ActiveMenuColor;
    c.ActiveMenuColorOver = v.ActiveMenuColorOver;
    c.InActiveMenuColor = v.InActiveMenuColor;
    c.MenuBackgroundColor = v.MenuBackgroundColor;
    c.FormBackgroundColor = v.FormBackgroundColor;
    c.Caption = PictureFromSheet(CutPicture(*sheet, slice.caption));
    c.Borders = PictureFromSheet(CutPicture(*sheet, slice.borders));
    c.Buttons = PictureFromSheet(CutPicture(*sheet, slice.buttons));
    c.FrmIcon = frmIcon_;
    c.ButtonWidth = v.ButtonWidth;
    c.ButtonHeight = v.ButtonHeight;
    c.ActiveLeftEnd = v.ActiveLeftEnd;
    c.ActiveRightStart = v.ActiveRightStart;
    c.ActiveRightEnd = v.ActiveRightEnd;
    c.InactiveOffset = v.InactiveOffset;
    c.BorderHasInactiveVersion = Flag(v.BorderHasInactiveVersion);
    c.ControlButtonHasInactiveVersion = Flag(v.ControlButtonHasInactiveVersion);
    c.CustomControlButtonPosition = Flag(v.CustomControlButtonPosition);
    c.DrawTitle = Flag(v.DrawTitle);
    c.LeftBorderWidth = v.LeftBorderWidth;
    c.RightBorderWidth = v.RightBorderWidth;
    c.BottomSizingBorderHeight = v.BottomSizingBorderHeight;
    c.TitleStartOffsetY = v.TitleStartOffsetY;
    c.ControlButtonOffsetX = v.ControlButtonOffsetX;
    c.ControlButtonOffsetY = v.ControlButtonOffsetY;
    c.ButtonGap = v.ButtonGap;
    c.TopSizingBorderHeight = v.TopSizingBorderHeight;
    c.MenuStartOffsetX = v.MenuStartOffsetX;
    c.MenuStartOffsetY = v.MenuStartOffsetY;
    c.ShowIcon = Flag(v.ShowIcon);
    c.IconTop = v.IconTop;
    c.IconLeft = v.IconLeft;
    c.CaptionLeft = v.CaptionLeft;
}

STDMETHODIMP Qel_SkinCtrl::ActivateSkin(LONG SkinNumber) {
    // Activation asked for while the skin is being taken off is refused.
    if (deactivating_) return S_OK;
    ComPtr<IDispatch> keep(this);
    ComPtr<IDispatch> host = HostForm();
    m_RoundAngle = 0;
    m_RoundTop = m_RoundBottom = false;
    if (std::optional<double> back = Number(host.get(), L"BackColor"))
        m_ActivationBackColor = static_cast<OLE_COLOR>(static_cast<LONG>(*back));

    const Skins previousSkin = m_Skin;
    const ComPtr<IPictureDisp> previousPicture = picture1_;
    ChooseByNumber(SkinNumber);

    std::optional<TwipsScale> twips;
    if (host) twips.emplace(host.get());
    m_hWndHost = WindowOfForm(host.get());

    // A picture that is not a skin sheet changes nothing: the control keeps its
    // skin and state, and the host is neither resized nor recoloured.
    std::optional<SlicedSheet> sliced = SliceCurrentSheet(m_hWndHost);
    if (!sliced) {
        m_Skin = previousSkin;
        picture1_ = previousPicture;
        return S_OK;
    }

    // The host's own frame, measured while it has it.
    if (!m_SkinActive) {
        std::optional<double> w = Number(host.get(), L"Width"), h = Number(host.get(), L"Height");
        std::optional<double> sw = Number(host.get(), L"ScaleWidth");
        std::optional<double> sh = Number(host.get(), L"ScaleHeight");
        if (w && h && sw && sh) {
            m_HostFrameHeight = static_cast<LONG>(*h - *sh);
            m_HostFrameWidth = static_cast<LONG>(*w - *sw + 5);
        }
    }
    m_Activated = true;
    if (!m_cN) {
        m_cN = Qel_SkinClass::Create();
        cnEvents_ = EventConnection(m_cN->Unknown(), DIID___Qel_SkinClass,
                                    [this](DISPID id, DISPPARAMS& p) { OnRendererEvent(id, p); });
    }
    LoadSkinParts(*sliced);
    ColorHostControls(true, true);

    std::optional<double> sw = Number(host.get(), L"ScaleWidth");
    std::optional<double> sh = Number(host.get(), L"ScaleHeight");
    std::optional<double> w = Number(host.get(), L"Width"), h = Number(host.get(), L"Height");
    if (sw && sh && w && h) {
        const double width = *sw + m_FrameWidth - 5, height = *sh + m_FrameHeight;
        if (*w != width || *h != height) MoveHost(host.get(), width, height);
    }
    m_cN->SetRoundAngle(m_RoundAngle, Flag(m_RoundTop), Flag(m_RoundBottom));
    m_cN->SetFrmMimMax(m_FormMinWidth, m_FormMaxWidth, m_FormMinHeight, m_FormMaxHeight);
    m_cN->Attach2(host.get(), m_Config.get());
    ApplyFormColors();
    if (m_RoundAngle >= 1 && (m_RoundTop || m_RoundBottom))
        SetFormRoundRegion(m_hWndHost, m_RoundAngle, m_RoundTop, m_RoundBottom);
    else
        SetFormRoundRegion(m_hWndHost, 0, true, true);
    twips.reset();
    m_SkinActive = true;
    if (m_hWndHost) SendMessageA(m_hWndHost, WM_NCACTIVATE, 1, 0);

    VARIANT_BOOL enabled = VARIANT_TRUE;
    VARIANTARG arg;
    V_VT(&arg) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&arg) = &enabled;
    events_.Fire(kSkinActiveEvent, {arg});
    return S_OK;
}

STDMETHODIMP Qel_SkinCtrl::DeactivateSkin() {
    if (deactivating_) return S_OK;
    deactivating_ = true;
    ComPtr<IDispatch> keep(this);
    const bool applied = m_Config != nullptr;
    if (HostAlive()) SetFormRoundRegion(m_hWndHost, 0, true, true);
    if (m_cN) m_cN->Detach();
    cnEvents_.reset();
    m_Config.reset();
    m_cN.reset();
    DoEvents();
    // Only a skin that was applied has colours to give back, and only to a host
    // that is still there.
    if (applied && HostAlive()) ApplyFormColors();
    if (m_Activated && HostAlive()) {
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
    m_SkinActive = false;
    m_Activated = false;
    deactivating_ = false;

    VARIANT_BOOL enabled = VARIANT_FALSE;
    VARIANTARG arg;
    V_VT(&arg) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&arg) = &enabled;
    events_.Fire(kSkinActiveEvent, {arg});
    return S_OK;
}

} // namespace qel
