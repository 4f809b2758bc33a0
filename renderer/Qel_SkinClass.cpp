#include "renderer/Qel_SkinClass.h"
#include "base/ComError.h"
#include "base/ComGuard.h"
#include "base/LateBound.h"
#include "base/OleObjects.h"
#include "base/Rounding.h"
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

// A string the callee allocated, freed at the end of the scope.
struct OwnedBstr {
    BSTR s = nullptr;
    ~OwnedBstr() { SysFreeString(s); }
};

// Fills `lf` from a font object for drawing on `hdc`: face name, height for
// the point size (rounded to whole points) at the context's resolution, italic,
// weight (bold or normal), underline, strike-out and character set. The other
// fields keep what `lf` held.
void FontToLogFont(IFontDisp* fontObject, HDC hdc, LOGFONTW& lf) {
    ComPtr<IFont> font = ComPtr<IFontDisp>(fontObject).as<IFont>();
    if (!font) return;
    OwnedBstr name;
    if (SUCCEEDED(font->get_Name(&name.s)) && name.s) lstrcpynW(lf.lfFaceName, name.s, LF_FACESIZE);
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
void Copy(HDC to, LONG x, LONG y, LONG w, LONG h, HDC from, LONG fromX, LONG fromY) {
    if (w > 0 && h > 0 && to && from) BitBlt(to, x, y, w, h, from, fromX, fromY, SRCCOPY);
}

// Repeats the band of `height` rows from x0 to x0 + filled (already drawn)
// rightwards up to `end`, doubling what is copied each time.
void RepeatRight(HDC dc, LONG x0, LONG filled, LONG end, LONG height) {
    if (filled <= 0) return;
    for (LONG x = x0 + filled; x < end;) {
        const LONG n = std::min(x - x0, end - x);
        Copy(dc, x, 0, n, height, dc, x0, 0);
        x += n;
    }
}

// Repeats the first `filled` rows of a band `width` wide downwards up to `end`,
// doubling what is copied each time.
void RepeatDown(HDC dc, LONG width, LONG filled, LONG end) {
    if (filled <= 0) return;
    for (LONG y = filled; y < end;) {
        const LONG n = std::min(y, end - y);
        Copy(dc, 0, y, width, n, dc, 0, 0);
        y += n;
    }
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

// True when the object's type is named `name` (a class's default interface
// carries the class name behind an underscore).
bool HasTypeName(IDispatch* object, const wchar_t* name) {
    ComPtr<ITypeInfo> info;
    if (!object || FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put())) || !info)
        return false;
    OwnedBstr typeName;
    if (FAILED(info->GetDocumentation(MEMBERID_NIL, &typeName.s, nullptr, nullptr, nullptr)) ||
        !typeName.s)
        return false;
    const wchar_t* n = typeName.s[0] == L'_' ? typeName.s + 1 : typeName.s;
    return wcscmp(n, name) == 0;
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
        return HasTypeName(object.get(), L"cPopupMenu");
    case VT_DISPATCH | VT_BYREF:
        object = V_DISPATCHREF(&v) ? *V_DISPATCHREF(&v) : nullptr;
        return HasTypeName(object.get(), L"cPopupMenu");
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
void Read(_Qel_SkinConfig* cSkin, std::wstring& out) {
    OwnedBstr value;
    if (SUCCEEDED(cSkin->get_Name(&value.s)))
        out.assign(value.s ? value.s : L"", value.s ? SysStringLen(value.s) : 0);
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

        Read(cSkin, &_Qel_SkinConfig::get_ButtonWidth, s_.ButtonWidth);
        Read(cSkin, &_Qel_SkinConfig::get_ButtonHeight, s_.ButtonHeight);
        Read(cSkin, &_Qel_SkinConfig::get_ButtonGap, s_.ButtonGap);
        Read(cSkin, &_Qel_SkinConfig::get_ActiveLeftEnd, s_.ActiveLeftEnd);
        Read(cSkin, &_Qel_SkinConfig::get_ActiveRightStart, s_.ActiveRightStart);
        Read(cSkin, &_Qel_SkinConfig::get_ActiveRightEnd, s_.ActiveRightEnd);
        Read(cSkin, &_Qel_SkinConfig::get_InactiveOffset, s_.InactiveOffset);
        Read(cSkin, &_Qel_SkinConfig::get_CaptionLeft, s_.CaptionLeft);
        Read(cSkin, &_Qel_SkinConfig::get_ShowIcon, s_.ShowIcon);
        Read(cSkin, &_Qel_SkinConfig::get_IconTop, s_.IconTop);
        Read(cSkin, &_Qel_SkinConfig::get_IconLeft, s_.IconLeft);
        Read(cSkin, &_Qel_SkinConfig::get_ActiveCaptionColor, s_.ActiveCaptionColor);
        Read(cSkin, &_Qel_SkinConfig::get_ActiveMenuColor, s_.ActiveMenuColor);
        Read(cSkin, &_Qel_SkinConfig::get_ActiveMenuColorOver, s_.ActiveMenuColorOver);
        Read(cSkin, &_Qel_SkinConfig::get_InActiveCaptionColor, s_.InActiveCaptionColor);
        Read(cSkin, &_Qel_SkinConfig::get_InActiveMenuColor, s_.InActiveMenuColor);
        Read(cSkin, &_Qel_SkinConfig::get_MenuBackgroundColor, s_.MenuBackgroundColor);
        Read(cSkin, &_Qel_SkinConfig::get_FormBackgroundColor, s_.FormBackgroundColor);
        Read(cSkin, &_Qel_SkinConfig::get_CaptionFont, s_.CaptionFont); // shared, not copied
        Read(cSkin, &_Qel_SkinConfig::get_MenuFont, s_.MenuFont);
        Read(cSkin, &_Qel_SkinConfig::get_BorderHasInactiveVersion, s_.BorderHasInactiveVersion);
        Read(cSkin, &_Qel_SkinConfig::get_DrawTitle, s_.DrawTitle);
        Read(cSkin, &_Qel_SkinConfig::get_LeftBorderWidth, s_.LeftBorderWidth);
        Read(cSkin, &_Qel_SkinConfig::get_RightBorderWidth, s_.RightBorderWidth);
        Read(cSkin, &_Qel_SkinConfig::get_TopSizingBorderHeight, s_.TopSizingBorderHeight);
        Read(cSkin, &_Qel_SkinConfig::get_BottomSizingBorderHeight, s_.BottomSizingBorderHeight);
        Read(cSkin, &_Qel_SkinConfig::get_CustomControlButtonPosition,
             s_.CustomControlButtonPosition);
        Read(cSkin, &_Qel_SkinConfig::get_ControlButtonOffsetX, s_.ControlButtonOffsetX);
        Read(cSkin, &_Qel_SkinConfig::get_ControlButtonOffsetY, s_.ControlButtonOffsetY);
        Read(cSkin, &_Qel_SkinConfig::get_ControlButtonHasInactiveVersion,
             s_.ControlButtonHasInactiveVersion);
        Read(cSkin, &_Qel_SkinConfig::get_TitleStartOffsetY, s_.TitleStartOffsetY);
        Read(cSkin, &_Qel_SkinConfig::get_MenuStartOffsetY, s_.MenuStartOffsetY);
        Read(cSkin, &_Qel_SkinConfig::get_MenuStartOffsetX, s_.MenuStartOffsetX);
        Read(cSkin, s_.Name);

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
            m_cMenu->SetCaptionHeight(CaptionHeight());
            m_cMenu->SetBorderWidths(s_.LeftBorderWidth);
        }
        if (!reattach) {
            ncsEvents_.reset();
            m_cNCS = cNCCalcSize::Create();
            ncsEvents_ = EventConnection(
                m_cNCS->Unknown(), DIID___cNCCalcSize,
                [this](DISPID id, DISPPARAMS& params) { OnModifierEvent(id, params); });
            m_cNCS->Attach(static_cast<_Qel_SkinAreaMod*>(this));
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
        // handle now names another window is no longer touched.
        const bool windowOurs =
            hwnd_ && GetPropA(hwnd_, kImplementationProp) == static_cast<_Qel_SkinAreaMod*>(this);
        if (m_cNCS) m_cNCS->Detach();
        HMENU menu = nullptr;
        if (m_cMenu) {
            menu = m_cMenu->hMenu();
            if (!windowOurs) m_cMenu->WindowGone();
            m_cMenu->Detach();
        }
        if (menu && windowOurs) SetMenu(hwnd_, menu);
        hwnd_ = nullptr;
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
        const SkinSettings kept = v;
        v = s_;
        // Members the renderer does not hand back keep the new record's values.
        v.FormBackgroundColor = kept.FormBackgroundColor;
        v.CaptionLeft = kept.CaptionLeft;
        v.ShowIcon = kept.ShowIcon;
        v.IconLeft = kept.IconLeft;
        v.IconTop = kept.IconTop;
        v.Method = kept.Method;
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
        return S_OK;
    });
}

RECT Qel_SkinClass::DrawFrame(HDC target, const RECT& R, const MenuChoice& menu) {
    const LONG L = R.left, T = R.top, W = R.right - R.left;
    const LONG c = CaptionHeight(), b = BorderHeight();
    const LONG halfBorder = s_.BorderHasInactiveVersion ? b / 2 : b;
    const RECT inner{L + (s_.LeftBorderWidth > 0 ? s_.LeftBorderWidth : halfBorder), T + c,
                     R.right - (s_.RightBorderWidth > 0 ? s_.RightBorderWidth : halfBorder),
                     R.bottom - halfBorder};
    if (!dc_) return inner;
    Surfaces& d = *dc_;

    // Cells of the border picture: 0 left side, 2 bottom-left corner, 3 bottom
    // middle, 4 and 5 bottom-right corner of a sizable and a fixed window, 6
    // right side; 7 to 13 the same in-active.
    const LONG w = RoundHalfEven(d.borders.Width() / 14.0);
    d.strip.SetWidth(W);
    d.strip.SetHeight(std::max(c, b));
    d.side.SetWidth(2 * w);
    d.side.SetHeight(R.bottom - T + 1);
    const HDC strip = d.strip.hdc(), side = d.side.hdc();
    const HDC caption = d.caption.hdc(), borders = d.borders.hdc();
    const bool active = WindowActive();

    UniqueFont titleFont;
    Selection titleSelected;
    if (s_.DrawTitle) {
        LOGFONTW lf{};
        FontToLogFont(s_.CaptionFont.get(), target, lf);
        if (active) lf.lfWeight = FW_BOLD;
        titleFont.reset(CreateFontIndirectW(&lf));
        titleSelected = Selection(strip, titleFont.get());
    }

    // Caption: the two ends unstretched, the middle tiled between them.
    const LONG s = active ? 0 : s_.InactiveOffset;
    Copy(strip, 0, 0, s_.ActiveLeftEnd, c, caption, s, 0);
    const LONG r = s_.ActiveRightEnd - s_.ActiveRightStart + 1;
    LONG xR = W - r + 1;
    const bool tooNarrow = xR < r;
    if (tooNarrow) xR = r;
    Copy(strip, xR, 0, r, c, caption, s + s_.ActiveRightStart, 0);

    const LONG_PTR style = hwnd_ ? GetWindowLongPtrA(hwnd_, GWL_STYLE) : 0;
    buttonShown_ = {CanClose(), (style & WS_MAXIMIZEBOX) != 0, (style & WS_MINIMIZEBOX) != 0};
    const bool sizable = CanSize();

    LONG tile = s_.ActiveRightStart - s_.ActiveLeftEnd;
    if (tile < 1) tile = 16;
    const LONG firstTile = std::min(tile, xR - s_.ActiveLeftEnd);
    Copy(strip, s_.ActiveLeftEnd, 0, firstTile, c, caption, s + s_.ActiveLeftEnd + 1, 0);
    RepeatRight(strip, s_.ActiveLeftEnd, firstTile, xR, c);

    LONG titleHeight = 0;
    if (s_.DrawTitle && !tooNarrow) {
        SetBkMode(strip, TRANSPARENT);
        SetTextColor(strip,
                     TranslateColor(active ? s_.ActiveCaptionColor : s_.InActiveCaptionColor));
        const std::wstring title = WindowTitle(hwnd_);
        if (!title.empty()) {
            RECT rc{s_.CaptionLeft > 0 ? s_.CaptionLeft + 5 : s_.ActiveLeftEnd + 5, 0,
                    W - (s_.ActiveRightEnd - s_.ActiveRightStart), 0};
            if (s_.TitleStartOffsetY > 0) {
                RECT probe{};
                DrawTextW(strip, L"Tg", 2, &probe, DT_CALCRECT | DT_SINGLELINE);
                titleHeight = probe.bottom - probe.top;
                rc.top = s_.TitleStartOffsetY;
                rc.bottom = rc.top + titleHeight;
            } else {
                rc.top = b + 1;
                rc.bottom = rc.top + (c - b - 2) / 2;
            }
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
        const LONG xM = s_.MenuStartOffsetX > 0 ? s_.MenuStartOffsetX : s_.ActiveLeftEnd + 2;
        LONG yM = c / 2;
        if (s_.TopSizingBorderHeight > 0) {
            yM = s_.TopSizingBorderHeight + 1;
            if (s_.DrawTitle)
                yM = s_.MenuStartOffsetY > 0 ? s_.MenuStartOffsetY : yM + titleHeight + 5;
        }
        long actualRight = 0;
        m_cMenu->Render(menuFont.get(), strip,
                        s_.MenuStartOffsetX > 0 ? s_.MenuStartOffsetX : s_.ActiveLeftEnd - 3, yM,
                        xR - s_.ActiveLeftEnd, c - yM, yM - c + 2, active, actualRight);
        menuRect_ = {xM, yM, xM + actualRight, c};
    }

    // Caption buttons, laid from right to left; a button not shown takes no room.
    LONG x = s_.CustomControlButtonPosition ? W + s_.ControlButtonOffsetX : xR + r - b + 4;
    const LONG y0 = s_.CustomControlButtonPosition ? s_.ControlButtonOffsetY : 5;
    for (Button k : {kClose, kMaxRestore, kMinimise}) {
        buttonRects_[k] = {};
        if (!buttonShown_[k]) continue;
        const LONG gap = k == kClose ? 0 : s_.ButtonGap;
        x -= s_.ButtonWidth + 1 + gap;
        buttonRects_[k] = {x, y0, x + s_.ButtonWidth + 1 - gap, y0 + s_.ButtonHeight};
    }
    const POINT cursor = CursorOverButtons();
    for (Button k : {kClose, kMaxRestore, kMinimise}) {
        const bool over = PtInRect(&buttonRects_[k], cursor) != FALSE;
        DrawControlButton(strip, k,
                          !over               ? kNormal
                          : buttonPressed_[k] ? kPressed
                                              : kHover,
                          buttonRects_[k]);
    }
    Copy(target, L, T, W, std::min(c, R.bottom - T), strip, 0, 0);

    if (w > 0 && b > 0) {
        const LONG first = s_.BorderHasInactiveVersion && !active ? 7 * w : 0;
        auto cell = [&](int k) { return first + k * w; };

        // Sides: the two side cells, repeated down the side surface.
        Copy(side, 0, 0, w, b, borders, cell(0), 0);
        Copy(side, w, 0, w, b, borders, cell(6), 0);
        RepeatDown(side, 2 * w, b, R.bottom - T);
        const LONG sideTop = T + c, sideHeight = R.bottom - T - c;
        Copy(target, L, sideTop, s_.LeftBorderWidth > 0 ? s_.LeftBorderWidth : w, sideHeight, side,
             0, 0);
        if (s_.RightBorderWidth > 0)
            Copy(target, R.right - s_.RightBorderWidth - 1, sideTop, s_.RightBorderWidth + 1,
                 sideHeight, side, 2 * w - s_.RightBorderWidth - 1, 0);
        else
            Copy(target, R.right - w, sideTop, w, sideHeight, side, w, 0);

        // Bottom, composed on the strip surface: the middle cell repeated, then
        // the two corners.
        Copy(strip, 0, 0, w, b, borders, cell(3), 0);
        RepeatRight(strip, 0, w, W, b);
        Copy(strip, 0, 0, w, b, borders, cell(2), 0);
        Copy(strip, W - w, 0, w, b, borders, cell(sizable ? 4 : 5), 0);
        Copy(target, L, R.bottom - b, W, b, strip, 0, 0);
    }

    if (s_.ShowIcon && d.iconImage.hdc()) {
        BitBlt(target, L + s_.IconLeft, T + s_.IconTop, kIconSize, kIconSize, d.iconMask.hdc(), 0,
               0, SRCAND);
        BitBlt(target, L + s_.IconLeft, T + s_.IconTop, kIconSize, kIconSize, d.iconImage.hdc(), 0,
               0, SRCPAINT);
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

void Qel_SkinClass::DrawControlButton(HDC hdc, Button kind, ButtonState state,
                                      const RECT& rc) const {
    if (!buttonShown_[kind] || !dc_) return;
    // Rows: normal, pressed, hover, and the in-active look whatever the state.
    const LONG row = WindowActive() ? s_.ButtonHeight * state : 3 * s_.ButtonHeight;
    // Columns: close, restore, maximise, minimise.
    LONG column = 0;
    if (kind == kMaxRestore) column = IsMaximised() ? 1 : 2;
    if (kind == kMinimise) column = 3;
    Copy(hdc, rc.left, rc.top, s_.ButtonWidth, s_.ButtonHeight, dc_->buttons.hdc(),
         column * s_.ButtonWidth, row);
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

POINT Qel_SkinClass::CursorOverButtons() const {
    // Every mouse move over the window asks a hit test, and the hit test draws
    // the buttons' looks itself; so the cursor can only be over a button where
    // the last hit test was. Only then is its position asked for (under Wine
    // the question can cost a round trip to the display server).
    const bool nearButton =
        lastHit_ && std::any_of(buttonRects_.begin(), buttonRects_.end(),
                                [&](const RECT& r) { return PtInRect(&r, *lastHit_) != FALSE; });
    if (!nearButton) return {LONG_MIN, LONG_MIN};
    POINT pt{};
    RECT window{};
    GetCursorPos(&pt);
    GetWindowRect(hwnd_, &window);
    return {pt.x - window.left, pt.y - window.top};
}

STDMETHODIMP Qel_SkinClass::get_hwnd(LONG* ret) {
    return Get(HandleToLong(hwnd_), ret);
}

STDMETHODIMP Qel_SkinClass::GetTopMarginHeight(LONG* cy) {
    if (!cy) return E_POINTER;
    if (dc_) *cy = CaptionHeight();
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::GetLeftMarginWidth(LONG* cx) {
    if (!cx) return E_POINTER;
    if (s_.LeftBorderWidth > 0)
        *cx = s_.LeftBorderWidth;
    else if (dc_)
        *cx = BorderHeight();
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::GetRightMarginWidth(LONG* cx) {
    if (!cx) return E_POINTER;
    if (s_.RightBorderWidth > 0)
        *cx = s_.RightBorderWidth - 1;
    else if (dc_)
        *cx = BorderHeight() - 1;
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::GetBottomMarginHeight(LONG* cy) {
    if (!cy) return E_POINTER;
    if (dc_) *cy = BorderHeight() - 1;
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::HitTest(LONG X, LONG Y, ECNCHitTestConstants* eHitTest) {
    if (!eHitTest) return E_POINTER;
    const POINT pt{X, Y};
    lastHit_ = pt;
    if (!dc_) return S_OK; // no skin yet: nothing to refine
    if (PtInRect(&menuRect_, pt)) {
        *eHitTest = static_cast<ECNCHitTestConstants>(HTMENU);
        return S_OK;
    }
    const LONG c = CaptionHeight(), b = BorderHeight();
    const LONG captionTop = s_.TopSizingBorderHeight > 0  ? s_.TopSizingBorderHeight
                            : s_.BorderHasInactiveVersion ? b / 2
                                                          : b;
    if (captionTop <= Y && Y <= c) *eHitTest = static_cast<ECNCHitTestConstants>(HTCAPTION);

    if (CanSize()) {
        RECT window{};
        GetWindowRect(hwnd_, &window);
        const LONG Wd = window.right - window.left, Hd = window.bottom - window.top;
        const LONG edge = s_.LeftBorderWidth > 0 ? 2 : b;
        const LONG rightStart = s_.RightBorderWidth > 0 ? Wd - 5 : Wd - edge;
        const LONG topEnd = s_.TopSizingBorderHeight > 0 ? s_.TopSizingBorderHeight : edge;
        const LONG bottomStart =
            s_.BottomSizingBorderHeight > 0 ? Hd - s_.BottomSizingBorderHeight : Hd - edge;
        const bool top = 0 <= Y && Y <= topEnd, bottom = bottomStart <= Y && Y <= Hd;
        int code = -1;
        if (0 <= X && X <= edge)
            code = top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        else if (rightStart <= X && X <= Wd)
            code = top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
        else if (top || bottom)
            code = top ? HTTOP : HTBOTTOM;
        if (code >= 0) *eHitTest = static_cast<ECNCHitTestConstants>(code);
    }

    std::array<bool, kButtonCount> under{};
    for (Button k : {kClose, kMaxRestore, kMinimise}) {
        under[k] = buttonShown_[k] && PtInRect(&buttonRects_[k], pt);
        if (under[k]) *eHitTest = static_cast<ECNCHitTestConstants>(HTSYSMENU);
    }

    // The buttons' hover and pressed looks follow the mouse.
    if (hwnd_ && dc_) {
        WindowDC dc = WindowDC::Whole(hwnd_);
        const bool down = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        // A button released outside the window got no release: it is not
        // pressed any more once the mouse, its button up, is elsewhere.
        for (Button k : {kClose, kMaxRestore, kMinimise})
            if (!down && !under[k]) buttonPressed_[k] = false;
        for (Button k : {kClose, kMaxRestore, kMinimise}) {
            const ButtonState state = under[k] && down && buttonPressed_[k] ? kPressed
                                      : down || !under[k]                   ? kNormal
                                                                            : kHover;
            DrawControlButton(dc.get(), k, state, buttonRects_[k]);
        }
    }
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::NCMouseDown(LONG X, LONG Y, VARIANT_BOOL* bHandled, LONG hdc, LONG,
                                        LONG, LONG, LONG) {
    if (!bHandled) return E_POINTER;
    const POINT pt{X, Y};
    for (Button k : {kClose, kMaxRestore, kMinimise}) {
        if (!buttonShown_[k] || !PtInRect(&buttonRects_[k], pt)) continue;
        DrawControlButton(FromLong<HDC>(hdc), k, kPressed, buttonRects_[k]);
        buttonPressed_[k] = true;
        *bHandled = VARIANT_TRUE;
    }
    return S_OK;
}

STDMETHODIMP Qel_SkinClass::NCMouseUp(LONG X, LONG Y, LONG hdc, LONG, LONG, LONG, LONG) {
    return ComGuard([&] {
        ComPtr<Qel_SkinClass> self(this); // an Unload handler may let the renderer go
        const POINT pt{X, Y};
        const HWND window = hwnd_;
        auto released = [&](Button k) {
            return buttonShown_[k] && buttonPressed_[k] && PtInRect(&buttonRects_[k], pt);
        };
        if (released(kClose)) {
            VARIANT_BOOL cancel = VARIANT_FALSE;
            events_.Fire(kSkinUnload, {BoolRef(&cancel)});
            if (cancel == VARIANT_FALSE) {
                if (s_.Method == ECNCUseClientArea) Detach();
                if (window) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        }
        if (released(kMaxRestore) && m_cNCS)
            m_cNCS->SysCommand(
                static_cast<ECNCSysCommandConstants>(IsMaximised() ? SC_RESTORE : SC_MAXIMIZE));
        if (released(kMinimise) && m_cNCS)
            m_cNCS->SysCommand(static_cast<ECNCSysCommandConstants>(SC_MINIMIZE));
        // A renderer detached meanwhile leaves the window's own frame alone.
        if (hwnd_)
            for (Button k : {kClose, kMaxRestore, kMinimise})
                DrawControlButton(FromLong<HDC>(hdc), k, kNormal, buttonRects_[k]);
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
