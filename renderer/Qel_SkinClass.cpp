#include "renderer/Qel_SkinClass.h"
#include "base/Bstr.h"
#include "base/ComError.h"
#include "base/ComGuard.h"
#include "base/LateBound.h"
#include "base/OleObjects.h"
#include "base/Rounding.h"
#include "base/TypeName.h"
#include "hooking/cNCCalcSize.h"
#include "renderer/Qel_SkinConfig.h"
#include "renderer/cMenuBar.h"

#include <algorithm>
#include <climits>
#include <string>

namespace qel {
namespace {

constexpr COLORREF kIconTransparent = RGB(255, 0, 255);
constexpr int kIconSize = 16;
constexpr long kInvalidMenuParameter = 1561;

template <class H> H FromLong(LONG value) {
    return static_cast<H>(LongToHandle(value));
}

// Fills `lf` from a font object for drawing on `hdc`: face name, height for
// the point size (rounded to whole points) at the context's resolution, italic,
// weight (bold or normal), underline, strike-out and character set. The other
// fields keep what `lf` held.
void FontToLogFont(IFontDisp* fontObject, HDC hdc, LOGFONTW& lf) {
    ComPtr<IFont> font = ComPtr<IFontDisp>(fontObject).as<IFont>();
    if (!font) return;
    Bstr name;
    if (SUCCEEDED(font->get_Name(name.put())) && name.get())
        lstrcpynW(lf.lfFaceName, name.get(), LF_FACESIZE);
    CY size{};
    if (SUCCEEDED(font->get_Size(&size)))
        lf.lfHeight = -MulDiv(RoundHalfEven(static_cast<double>(size.int64) / 10000.0),
                              GetDeviceCaps(hdc, LOGPIXELSY), 72);
    BOOL flag = FALSE;
    if (SUCCEEDED(font->get_Italic(&flag))) lf.lfItalic = flag ? TRUE : FALSE;
    if (SUCCEEDED(font->get_Bold(&flag))) lf.lfWeight = flag ? FW_BOLD : FW_NORMAL;
    if (SUCCEEDED(font->get_Underline(&flag))) lf.lfUnderline = flag ? TRUE : FALSE;
    if (SUCCEEDED(font->get_Strikethrough(&flag))) lf.lfStrikeOut = flag ? TRUE : FALSE;
    SHORT charset = 0;
    if (SUCCEEDED(font->get_Charset(&charset))) lf.lfCharSet = static_cast<BYTE>(charset);
}

// A block copy that draws nothing for an empty size (the platform would
// mirror a negative one) or from a missing surface.
void Copy(HDC to, const PieceCopy& piece, HDC from) {
    const FrameRect& r = piece.to;
    if (r.Width() > 0 && r.Height() > 0 && to && from)
        BitBlt(to, r.left, r.top, r.Width(), r.Height(), from, piece.fromX, piece.fromY, SRCCOPY);
}

// The window's text as its frame shows it, read without sending the window a
// message (which would run through every handler subclassing it).
std::wstring WindowTitle(HWND hwnd) {
    std::wstring text(256, L'\0');
    for (;;) {
        const int n =
            hwnd ? InternalGetWindowText(hwnd, text.data(), static_cast<int>(text.size())) : 0;
        if (n < static_cast<int>(text.size()) - 1) {
            text.resize(static_cast<size_t>(std::max(0, n)));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

// The menu a Paint argument names: a 32-bit menu handle or a menu object of
// type "cPopupMenu". False for anything else.
bool MenuFromVariant(const VARIANT& v, HMENU& handle, ComPtr<IDispatch>& object) {
    switch (V_VT(&v)) {
    case VT_I4:
        handle = FromLong<HMENU>(V_I4(&v));
        return true;
    case VT_I4 | VT_BYREF:
        if (!V_I4REF(&v)) return false;
        handle = FromLong<HMENU>(*V_I4REF(&v));
        return true;
    case VT_DISPATCH:
        object = V_DISPATCH(&v);
        return TypeName(object.get()) == L"cPopupMenu";
    case VT_DISPATCH | VT_BYREF:
        object = V_DISPATCHREF(&v) ? *V_DISPATCHREF(&v) : nullptr;
        return TypeName(object.get()) == L"cPopupMenu";
    case VT_VARIANT | VT_BYREF:
        return V_VARIANTREF(&v) && MenuFromVariant(*V_VARIANTREF(&v), handle, object);
    default:
        return false;
    }
}

// Reads one member of a configuration; a member that cannot be read leaves
// `out` as it was.
template <class T>
void Read(_Qel_SkinConfig* cSkin, HRESULT (STDMETHODCALLTYPE _Qel_SkinConfig::*get)(T*), T& out) {
    T value{};
    if (SUCCEEDED((cSkin->*get)(&value))) out = value;
}
template <class I>
void Read(_Qel_SkinConfig* cSkin, HRESULT (STDMETHODCALLTYPE _Qel_SkinConfig::*get)(I**),
          ComPtr<I>& out) {
    ComPtr<I> value;
    if (SUCCEEDED((cSkin->*get)(value.put()))) out = value;
}
void Read(_Qel_SkinConfig* cSkin, HRESULT (STDMETHODCALLTYPE _Qel_SkinConfig::*get)(BSTR*),
          std::wstring& out) {
    Bstr value;
    if (SUCCEEDED((cSkin->*get)(value.put()))) out = value.str();
}

// A Tab keystroke for this thread's active window (its focus window, when it
// has one). It never goes to a window of another program.
void SendTabToActiveWindow() {
    HWND target = GetFocus();
    if (!target) target = GetActiveWindow();
    DWORD process = 0;
    if (!target || !GetWindowThreadProcessId(target, &process) || process != GetCurrentProcessId())
        return;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(VK_TAB, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, VK_TAB, scan | 1);
    PostMessageA(target, WM_KEYUP, VK_TAB, scan | 1 | 0xC0000000);
}

template <class T> HRESULT Get(const T& value, T* ret) {
    if (!ret) return E_POINTER;
    *ret = value;
    return S_OK;
}

VARIANTARG BoolRef(VARIANT_BOOL* value) {
    VARIANTARG arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&arg) = value;
    return arg;
}

} // namespace

Qel_SkinClass::Qel_SkinClass() {
    SetTitleAndMenuDefaults(s_);
}

Qel_SkinClass::~Qel_SkinClass() {
    // Nothing the helpers do from here on may reach this object.
    ncsEvents_.reset();
    if (m_cMenu) m_cMenu->onRepaint = nullptr;
    Detach();
}

// ---- Attachment -----------------------------------------------------------

STDMETHODIMP Qel_SkinClass::Attach2(IDispatch* f, _Qel_SkinConfig* cSkin) {
    return ComGuard([&] {
        if (!cSkin) return S_OK;
        ComPtr<IPictureDisp> caption, borders;
        cSkin->get_Borders(borders.put());
        cSkin->get_Caption(caption.put());
        const HWND window = WindowOfForm(f);
        // Without both pictures, or without a window of this thread to skin,
        // nothing changes.
        if (!borders || !caption || !IsWindow(window) ||
            GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
            return S_OK;
        form_ = f;

        auto method = ECNCModifyNonClientArea;
        cSkin->get_Method(&method);
        const bool reattach = window == hwnd_ && method == s_.Method;
        if (!reattach) Detach();
        s_.Method = method;

        auto surfaces = std::make_unique<Surfaces>();
        Read(cSkin, &_Qel_SkinConfig::get_Buttons, s_.Buttons);
        Read(cSkin, &_Qel_SkinConfig::get_FrmIcon, s_.FrmIcon);
        s_.Caption = caption;
        s_.Borders = borders;
        surfaces->caption.CreateFromPicture(s_.Caption.as<IPicture>().get());
        surfaces->borders.CreateFromPicture(s_.Borders.as<IPicture>().get());
        surfaces->buttons.CreateFromPicture(s_.Buttons.as<IPicture>().get());
        surfaces->icon.CreateFromPicture(s_.FrmIcon.as<IPicture>().get());
        dc_ = std::move(surfaces);
        PrepareIcon();

#define QEL_COPY_SETTING(Name, Kind, Copied, ...)                                                  \
    QEL_SETTING_IF(Copied, Read(cSkin, &_Qel_SkinConfig::get_##Name, s_.Name);)
        QEL_SKIN_SETTINGS(QEL_COPY_SETTING) // the fonts are shared, not copied
#undef QEL_COPY_SETTING

        if (!reattach) {
            hwnd_ = window;
            if (m_cMenu) m_cMenu->onRepaint = nullptr;
            m_cMenu = cMenuBar::Create();
            m_cMenu->onRepaint = [this] { events_.Fire(kSkinRepaint); };
            m_cMenu->Attach(hwnd_, s_.Method == ECNCUseClientArea);
        }
        if (m_cMenu) {
            m_cMenu->SetMenuFont(s_.MenuFont.as<IFont>().get());
            m_cMenu->SetMenuColours(s_.ActiveMenuColor, s_.ActiveMenuColorOver,
                                    s_.InActiveMenuColor, s_.MenuBackgroundColor);
            m_cMenu->SetCaptionHeight(MarginsOf(Skin()).top);
            m_cMenu->SetBorderWidths(s_.LeftBorderWidth);
        }
        if (!reattach) {
            ncsEvents_.reset();
            m_cNCS = cNCCalcSize::Create();
            ncsEvents_ = EventConnection(
                m_cNCS->Unknown(), DIID___cNCCalcSize,
                [this](DISPID id, DISPPARAMS& params) { OnModifierEvent(id, params); });
            // A modifier that cannot attach leaves nothing attached, and says so.
            if (HRESULT hr = m_cNCS->Attach(static_cast<_Qel_SkinAreaMod*>(this)); FAILED(hr)) {
                Detach();
                return hr;
            }
            windowMarked_ = true;
            // The bar holds the form's menu from now on, so that Detach gives it
            // back even if no frame was painted in between.
            LONG menu = 0;
            m_cNCS->get_hMenu(&menu);
            if (m_cMenu) m_cMenu->SethMenu(FromLong<HMENU>(menu));
        }
        if (m_cNCS) {
            m_cNCS->SetRndAngle(roundAngle_, roundTop_, roundBottom_);
            m_cNCS->SetFrmMimMax(FormMinWidth, FormMaxWidth, FormMinHeight, FormMaxHeight);
            m_cNCS->Display(f);
        }
        if (!IsWindowVisible(hwnd_)) SendTabToActiveWindow();
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinClass::Attach(IDispatch* f, IPictureDisp* picCaption, IPictureDisp* picBorder,
                                   LONG lButtonWidth, LONG lButtonHeight, LONG lActiveLeftEnd,
                                   LONG lActiveRightStart, LONG lActiveRightEnd,
                                   LONG lInactiveOffset) {
    return ComGuard([&] {
        ComPtr<Qel_SkinConfig> record = Qel_SkinConfig::Create();
        SkinSettings& v = record->Settings();
        v.Caption = picCaption;
        v.Borders = picBorder;
        v.ButtonHeight = lButtonHeight;
        v.ButtonWidth = lButtonWidth;
        v.ActiveLeftEnd = lActiveLeftEnd;
        v.ActiveRightEnd = lActiveRightEnd;
        v.ActiveRightStart = lActiveRightStart;
        v.InactiveOffset = lInactiveOffset;
        v.ActiveCaptionColor = s_.ActiveCaptionColor;
        v.InActiveCaptionColor = s_.InActiveCaptionColor;
        v.CaptionFont = s_.CaptionFont;
        v.MenuBackgroundColor = s_.MenuBackgroundColor;
        v.ActiveMenuColor = s_.ActiveMenuColor;
        v.ActiveMenuColorOver = s_.ActiveMenuColorOver;
        v.InActiveMenuColor = s_.InActiveMenuColor;
        v.MenuFont = s_.MenuFont;
        return Attach2(f, record.get());
    });
}

STDMETHODIMP Qel_SkinClass::Detach() {
    return ComGuard([&] {
        // A window that was destroyed (its modifier detached itself then) or whose
        // handle now names another window is no longer touched. One the modifier
        // never marked (the attachment failed on the way) still has the bar on it.
        const bool windowOurs =
            hwnd_ && (!windowMarked_ ||
                      GetPropA(hwnd_, kImplementationProp) == static_cast<_Qel_SkinAreaMod*>(this));
        if (m_cNCS) m_cNCS->Detach();
        HMENU menu = nullptr;
        if (m_cMenu) {
            menu = m_cMenu->hMenu();
            if (!windowOurs) m_cMenu->WindowGone();
            m_cMenu->Detach();
        }
        if (menu && windowOurs) SetMenu(hwnd_, menu);
        hwnd_ = nullptr;
        windowMarked_ = false;
        drawn_ = {};
        return S_OK;
    });
}

void Qel_SkinClass::OnModifierEvent(DISPID id, DISPPARAMS& params) {
    switch (id) {
    case kNCResize:
        events_.Fire(kSkinResize);
        break;
    case kNCRepaint:
        events_.Fire(kSkinRepaint);
        break;
    case kNCActiveStatus:
        // The same Boolean, so that a handler's change reaches the modifier.
        if (VARIANT_BOOL* isActive = ByRefBoolArg(params, 0))
            events_.Fire(kSkinActiveStatus, {BoolRef(isActive)});
        break;
    default:
        break;
    }
}

STDMETHODIMP Qel_SkinClass::get_SkinConfiguration(_Qel_SkinConfig** ret) {
    if (!ret) return E_POINTER;
    *ret = nullptr;
    return ComGuard([&] {
        ComPtr<Qel_SkinConfig> record = Qel_SkinConfig::Create();
        SkinSettings& v = record->Settings();
#define QEL_RETURN_SETTING(Name, Kind, Copied, Returned, ...)                                      \
    QEL_SETTING_IF(Returned, v.Name = s_.Name;)
        QEL_SKIN_SETTINGS(QEL_RETURN_SETTING)
#undef QEL_RETURN_SETTING
        *ret = record.detach();
        return S_OK;
    });
}

// ---- Settings for the next attachment --------------------------------------------

STDMETHODIMP Qel_SkinClass::SetRoundAngle(SHORT Angle, VARIANT_BOOL DoTopRound,
                                          VARIANT_BOOL DoBtmRound) {
    roundAngle_ = Angle;
    roundTop_ = DoTopRound;
    roundBottom_ = DoBtmRound;
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::SetFrmMimMax(LONG formMinWidth, LONG formMaxWidth, LONG formMinHeight,
                                         LONG formMaxHeight) {
    FormMinWidth = formMinWidth;
    FormMaxWidth = formMaxWidth;
    FormMinHeight = formMinHeight;
    FormMaxHeight = formMaxHeight;
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::RedrawFrm(LONG hwnd) {
    RedrawWindow(FromLong<HWND>(hwnd), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return S_OK;
}

// ---- Frame painting -----------------------------------------------------------

STDMETHODIMP Qel_SkinClass::Paint(LONG hdc, LONG* left, LONG* top, LONG* Width, LONG* Height,
                                  VARIANT menu) {
    if (!left || !top || !Width || !Height) return E_POINTER;
    return ComGuard([&] {
        MenuChoice choice;
        ComPtr<IDispatch> object;
        if (!MenuFromVariant(menu, choice.handle, object)) {
            const std::wstring source = std::wstring(kLibraryName) + L".Qel_SkinClass";
            return RaiseError(kInvalidMenuParameter, source.c_str(),
                              L"Invalid Menu Parameter: must be hMenu or cPopupMenu object");
        }
        choice.object = object.get();
        drawn_ = {}; // the window's buttons may be drawn over
        const RECT inner =
            DrawFrame(FromLong<HDC>(hdc), {*left, *top, *left + *Width, *top + *Height}, choice);
        *left = inner.left;
        *top = inner.top;
        *Width = inner.right - inner.left;
        *Height = inner.bottom - inner.top;
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinClass::NCPaint(LONG hdc, LONG lLeft, LONG lTop, LONG lRight, LONG lBottom) {
    return ComGuard([&] {
        // With the client-area method the host draws, told by Repaint.
        if (s_.Method == ECNCUseClientArea) {
            events_.Fire(kSkinRepaint);
            return S_OK;
        }
        LONG menu = 0;
        if (m_cNCS) m_cNCS->get_hMenu(&menu);
        DrawFrame(FromLong<HDC>(hdc), {lLeft, lTop, lRight, lBottom}, {FromLong<HMENU>(menu)});
        for (int k = kCloseButton; k < kFrameButtonCount; ++k)
            drawn_[k] =
                layout_.buttonShown[k] ? std::optional(layout_.buttonCells[k]) : std::nullopt;
        return S_OK;
    });
}

FrameSkin Qel_SkinClass::Skin() const {
    return dc_ ? FrameSkinOf(s_, dc_->caption.Height(), dc_->borders.Width(), dc_->borders.Height())
               : FrameSkinOf(s_, 0, 0, 0);
}

RECT Qel_SkinClass::DrawFrame(HDC target, const RECT& R, const MenuChoice& menu) {
    const FrameSkin skin = Skin();
    const bool active = WindowActive();
    const LONG_PTR style = hwnd_ ? GetWindowLongPtrA(hwnd_, GWL_STYLE) : 0;
    FrameState state;
    state.window = {R.left, R.top, R.right, R.bottom};
    state.active = active;
    state.maximised = (style & WS_MAXIMIZE) != 0;
    state.sizable = CanSize();
    state.menu = m_cMenu != nullptr;
    state.shown = {CanClose(), (style & WS_MAXIMIZEBOX) != 0, (style & WS_MINIMIZEBOX) != 0};

    const LONG W = R.right - R.left, c = skin.captionHeight, b = skin.bordersHeight;
    const bool drawTitle = s_.DrawTitle && dc_;
    const std::wstring title = drawTitle ? WindowTitle(hwnd_) : std::wstring();
    UniqueFont titleFont;
    Selection titleSelected;
    if (dc_) {
        Surfaces& d = *dc_;
        d.strip.SetWidth(W);
        d.strip.SetHeight(std::max(c, b));
        if (drawTitle) {
            LOGFONTW lf{};
            FontToLogFont(s_.CaptionFont.get(), target, lf);
            if (active) lf.lfWeight = FW_BOLD;
            titleFont.reset(CreateFontIndirectW(&lf));
            titleSelected = Selection(d.strip.hdc(), titleFont.get());
            if (s_.TitleStartOffsetY > 0 && !title.empty()) {
                RECT probe{};
                DrawTextW(d.strip.hdc(), L"Tg", 2, &probe, DT_CALCRECT | DT_SINGLELINE);
                state.titleHeight = probe.bottom - probe.top;
            }
        }
    }

    // The buttons' looks: the cursor can only be over a button where the last
    // hit test was (see CursorOverButtons), so the layout is made once with
    // the looks of the buttons under it.
    FrameLayout layout = LayOutFrame(skin, state);
    const POINT cursor = CursorOverButtons(layout);
    for (int k = kCloseButton; k < kFrameButtonCount; ++k)
        state.looks[k] = !layout.buttons[k].Contains(cursor.x, cursor.y) ? ButtonState::Normal
                         : buttonPressed_[k]                             ? ButtonState::Down
                                                                         : ButtonState::Highlight;
    layout = LayOutFrame(skin, state);
    const RECT inner{layout.inner.left, layout.inner.top, layout.inner.right, layout.inner.bottom};
    layout_ = layout;
    if (!dc_) return inner;
    Surfaces& d = *dc_;
    if (layout.sideWidth > 0) {
        d.side.SetWidth(layout.sideWidth);
        d.side.SetHeight(R.bottom - R.top);
    }
    const HDC strip = d.strip.hdc();
    // The surfaces in FrameSurface's order.
    const HDC surfaces[] = {d.caption.hdc(), d.borders.hdc(), d.buttons.hdc(),
                            strip,           d.side.hdc(),    target};
    const auto paint = [&](const std::vector<FrameCopy>& copies) {
        for (const FrameCopy& copy : copies)
            Copy(surfaces[static_cast<int>(copy.to)], copy.piece,
                 surfaces[static_cast<int>(copy.from)]);
    };
    paint(layout.caption);

    if (drawTitle && !layout.tooNarrow) {
        SetBkMode(strip, TRANSPARENT);
        SetTextColor(strip,
                     TranslateColor(active ? s_.ActiveCaptionColor : s_.InActiveCaptionColor));
        if (!title.empty()) {
            RECT rc{layout.title.left, layout.title.top, layout.title.right, layout.title.bottom};
            DrawTextW(strip, title.c_str(), static_cast<int>(title.size()), &rc,
                      DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }

    if (m_cMenu) {
        LOGFONTW lf{};
        FontToLogFont(s_.MenuFont.get(), target, lf);
        lf.lfWeight = FW_NORMAL;
        UniqueFont menuFont(CreateFontIndirectW(&lf));
        if (menu.object)
            m_cMenu->SetPopupMenuObject(menu.object);
        else
            m_cMenu->SethMenu(menu.handle);
        const FrameRect& area = layout.menuArea;
        long actualRight = 0;
        m_cMenu->Render(menuFont.get(), strip, area.left, area.top, area.Width(), area.Height(),
                        layout.menuYOffset, active, actualRight);
        layout_.menuBar.right = layout.menuBar.left + actualRight;
    }

    paint(layout.frame);

    if (layout.icon.right > layout.icon.left && d.iconImage.hdc()) {
        const FrameRect& i = layout.icon;
        BitBlt(target, i.left, i.top, kIconSize, kIconSize, d.iconMask.hdc(), 0, 0, SRCAND);
        BitBlt(target, i.left, i.top, kIconSize, kIconSize, d.iconImage.hdc(), 0, 0, SRCPAINT);
    }
    return inner;
}

void Qel_SkinClass::PrepareIcon() {
    Surfaces& d = *dc_;
    if (d.icon.Width() <= 0 || d.icon.Height() <= 0) return;
    for (cMemDC* s : {&d.iconMask, &d.iconImage}) {
        s->SetWidth(kIconSize);
        s->SetHeight(kIconSize);
    }
    const HDC mask = d.iconMask.hdc(), image = d.iconImage.hdc();
    if (!mask || !image) return;
    // The scaled icon on a transparent ground is the scaled icon itself.
    UniqueBrush ground(CreateSolidBrush(kIconTransparent));
    const RECT all{0, 0, kIconSize, kIconSize};
    FillRect(image, &all, ground.get());
    TransparentBlt(image, 0, 0, kIconSize, kIconSize, d.icon.hdc(), 0, 0, d.icon.Width(),
                   d.icon.Height(), kIconTransparent);
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) {
            const bool clear = GetPixel(image, x, y) == kIconTransparent;
            SetPixelV(mask, x, y, clear ? RGB(255, 255, 255) : RGB(0, 0, 0));
            if (clear) SetPixelV(image, x, y, RGB(0, 0, 0));
        }
}

PieceCopy Qel_SkinClass::CellOf(FrameButton kind, ButtonState look) const {
    return ButtonCell(Skin(), kind, look, WindowActive(), IsMaximised(), layout_.buttons[kind]);
}

void Qel_SkinClass::DrawControlButton(HDC hdc, FrameButton kind, ButtonState look) {
    if (!layout_.buttonShown[kind] || !dc_) return;
    const PieceCopy cell = CellOf(kind, look);
    Copy(hdc, cell, dc_->buttons.hdc());
    drawn_[kind] = cell;
}

// ---- The frame's questions -------------------------------------------------

bool Qel_SkinClass::WindowActive() const {
    return m_cNCS && m_cNCS->IsWindowActive();
}

bool Qel_SkinClass::IsMaximised() const {
    return hwnd_ && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_MAXIMIZE);
}

bool Qel_SkinClass::CanSize() const {
    if (s_.Method == ECNCUseClientArea) return true;
    return hwnd_ && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_THICKFRAME);
}

bool Qel_SkinClass::CanClose() const {
    if (s_.Method == ECNCUseClientArea) return true;
    return hwnd_ && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_SYSMENU);
}

POINT Qel_SkinClass::CursorOverButtons(const FrameLayout& layout) const {
    // Every mouse move over the window asks a hit test, and the hit test draws
    // the buttons' looks itself; so the cursor can only be over a button where
    // the last hit test was. Only then is its position asked for (under Wine
    // the question can cost a round trip to the display server).
    const bool nearButton = lastHit_ && std::any_of(layout.buttons.begin(), layout.buttons.end(),
                                                    [&](const FrameRect& r) {
                                                        return r.Contains(lastHit_->x, lastHit_->y);
                                                    });
    if (!nearButton) return {LONG_MIN, LONG_MIN};
    POINT pt{};
    RECT window{};
    GetCursorPos(&pt);
    GetWindowRect(hwnd_, &window);
    return {pt.x - window.left, pt.y - window.top};
}

bool Qel_SkinClass::ShowsMenuItems() const {
    return m_cMenu && m_cMenu->BarItemCount() > 0;
}

STDMETHODIMP Qel_SkinClass::get_hwnd(LONG* ret) {
    return Get(HandleToLong(hwnd_), ret);
}

STDMETHODIMP Qel_SkinClass::GetTopMarginHeight(LONG* cy) {
    if (!cy) return E_POINTER;
    if (dc_) *cy = MarginsOf(Skin()).top;
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::GetLeftMarginWidth(LONG* cx) {
    if (!cx) return E_POINTER;
    if (dc_ || s_.LeftBorderWidth > 0) *cx = MarginsOf(Skin()).left;
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::GetRightMarginWidth(LONG* cx) {
    if (!cx) return E_POINTER;
    if (dc_ || s_.RightBorderWidth > 0) *cx = MarginsOf(Skin()).right;
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::GetBottomMarginHeight(LONG* cy) {
    if (!cy) return E_POINTER;
    if (dc_) *cy = MarginsOf(Skin()).bottom;
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::HitTest(LONG X, LONG Y, ECNCHitTestConstants* eHitTest) {
    if (!eHitTest) return E_POINTER;
    lastHit_ = POINT{X, Y};
    if (!dc_) return S_OK; // no skin yet: nothing to refine
    const bool canSize = CanSize();
    RECT window{};
    if (canSize) GetWindowRect(hwnd_, &window);
    std::array<bool, kFrameButtonCount> under{};
    *eHitTest = static_cast<ECNCHitTestConstants>(
        HitTestFrame(Skin(), layout_, X, Y, window.right - window.left, window.bottom - window.top,
                     canSize, *eHitTest, &under));
    // Over the menu bar the buttons keep their looks.
    if (layout_.menu && layout_.menuBar.Contains(X, Y)) return S_OK;

    // The buttons' hover and pressed looks follow the mouse.
    // Only looks that changed are drawn: a mouse move over the client area
    // draws nothing.
    if (hwnd_) {
        std::optional<WindowDC> dc;
        const bool down = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        // A button released outside the window got no release: it is not
        // pressed any more once the mouse, its button up, is elsewhere.
        for (int k = kCloseButton; k < kFrameButtonCount; ++k)
            if (!down && !under[k]) buttonPressed_[k] = false;
        for (int k = kCloseButton; k < kFrameButtonCount; ++k) {
            const ButtonState look = under[k] && down && buttonPressed_[k] ? ButtonState::Down
                                     : down || !under[k]                   ? ButtonState::Normal
                                                                           : ButtonState::Highlight;
            const auto button = static_cast<FrameButton>(k);
            if (!layout_.buttonShown[k] || drawn_[k] == CellOf(button, look)) continue;
            if (!dc) dc.emplace(WindowDC::Whole(hwnd_));
            DrawControlButton(dc->get(), button, look);
        }
    }
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::NCMouseDown(LONG X, LONG Y, VARIANT_BOOL* bHandled, LONG hdc, LONG,
                                        LONG, LONG, LONG) {
    if (!bHandled) return E_POINTER;
    for (int i = kCloseButton; i < kFrameButtonCount; ++i) {
        const auto k = static_cast<FrameButton>(i);
        if (!layout_.buttonShown[k] || !layout_.buttons[k].Contains(X, Y)) continue;
        DrawControlButton(FromLong<HDC>(hdc), k, ButtonState::Down);
        buttonPressed_[k] = true;
        *bHandled = VARIANT_TRUE;
    }
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::NCMouseUp(LONG X, LONG Y, LONG hdc, LONG, LONG, LONG, LONG) {
    return ComGuard([&] {
        ComPtr<Qel_SkinClass> self(this); // an Unload handler may let the renderer go
        const HWND window = hwnd_;
        auto released = [&](FrameButton k) {
            return layout_.buttonShown[k] && buttonPressed_[k] && layout_.buttons[k].Contains(X, Y);
        };
        if (released(kCloseButton)) {
            VARIANT_BOOL cancel = VARIANT_FALSE;
            events_.Fire(kSkinUnload, {BoolRef(&cancel)});
            if (cancel == VARIANT_FALSE) {
                if (s_.Method == ECNCUseClientArea) Detach();
                if (window) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        }
        if (released(kMaxRestoreButton) && m_cNCS)
            m_cNCS->SysCommand(
                static_cast<ECNCSysCommandConstants>(IsMaximised() ? SC_RESTORE : SC_MAXIMIZE));
        if (released(kMinimiseButton) && m_cNCS)
            m_cNCS->SysCommand(static_cast<ECNCSysCommandConstants>(SC_MINIMIZE));
        // A renderer detached meanwhile leaves the window's own frame alone.
        if (hwnd_)
            for (int k = kCloseButton; k < kFrameButtonCount; ++k)
                DrawControlButton(FromLong<HDC>(hdc), static_cast<FrameButton>(k),
                                  ButtonState::Normal);
        buttonPressed_ = {};
        return S_OK;
    });
}

// ---- Menu loop and keyboard ------------------------------------------------------

STDMETHODIMP Qel_SkinClass::InitMenuPopup(LONG wParam, LONG) {
    return ComGuard([&] {
        if (m_cMenu) m_cMenu->PreparePopupItems(FromLong<HMENU>(wParam));
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinClass::ExitMenuLoop() {
    return ComGuard([&] {
        if (m_cMenu) m_cMenu->RestorePopupItems();
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinClass::AltKeyAccelerator(LONG vKey, LONG* ret) {
    if (!ret) return E_POINTER;
    *ret = 0;
    return ComGuard([&] {
        if (m_cMenu && m_cMenu->AltKeyAccelerator(vKey)) *ret = -1;
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinClass::get_Method(LONG* ret) {
    return Get(static_cast<LONG>(s_.Method), ret);
}

STDMETHODIMP Qel_SkinClass::get_CanSize(VARIANT_BOOL* ret) {
    return Get(static_cast<VARIANT_BOOL>(CanSize() ? VARIANT_TRUE : VARIANT_FALSE), ret);
}

STDMETHODIMP Qel_SkinClass::get_CanClose(VARIANT_BOOL* ret) {
    return Get(static_cast<VARIANT_BOOL>(CanClose() ? VARIANT_TRUE : VARIANT_FALSE), ret);
}

} // namespace qel
