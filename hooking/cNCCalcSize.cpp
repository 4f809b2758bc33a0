#include "hooking/cNCCalcSize.h"
#include "base/ComGuard.h"
#include "base/LateBound.h"
#include "base/MessagePump.h"
#include "base/ReentryGuard.h"
#include "base/Twips.h"
#include "hooking/KeyboardHook.h"
#include "hooking/MSubclass.h"
#include "hooking/RoundRegion.h"

#include <windowsx.h>
#include <iterator>

namespace qel {
namespace {

// The messages each method registers, in registration order (the order decides
// which handler is the first-registered when other handlers share a message).
constexpr UINT kModifyMessages[] = {
    WM_NCCALCSIZE,      WM_NCPAINT,   WM_NCACTIVATE,  WM_NCLBUTTONDOWN, WM_NCLBUTTONUP,
    WM_NCLBUTTONDBLCLK, WM_NCHITTEST, WM_SETCURSOR,   WM_INITMENU,      WM_INITMENUPOPUP,
    WM_STYLECHANGED,    WM_SETTEXT,   WM_ACTIVATEAPP, WM_GETMINMAXINFO, WM_ENTERMENULOOP,
    WM_EXITMENULOOP,    WM_SIZE,      WM_DESTROY};
constexpr UINT kClientAreaMessages[] = {WM_NCHITTEST, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_ACTIVATE,
                                        WM_DESTROY};

// A window marked invisible (when `hide`) for the life of a scope; its style
// comes back on every way out.
class HiddenStyle {
public:
    HiddenStyle(HWND hwnd, bool hide)
        : hwnd_(hide ? hwnd : nullptr), style_(GetWindowLongPtrA(hwnd, GWL_STYLE)) {
        if (hwnd_) SetWindowLongPtrA(hwnd_, GWL_STYLE, style_ & ~static_cast<LONG_PTR>(WS_VISIBLE));
    }
    ~HiddenStyle() {
        if (hwnd_) SetWindowLongPtrA(hwnd_, GWL_STYLE, style_);
    }
    HiddenStyle(const HiddenStyle&) = delete;
    HiddenStyle& operator=(const HiddenStyle&) = delete;

private:
    HWND hwnd_;
    LONG_PTR style_;
};

// Messages whose previous procedure the modifier calls itself, or never.
bool IsConsumed(UINT msg) {
    switch (msg) {
    case WM_SIZE:
    case WM_SETTEXT:
    case WM_SETCURSOR:
    case WM_GETMINMAXINFO:
    case WM_STYLECHANGED:
    case WM_NCHITTEST:
    case WM_NCPAINT:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    // These two use the previous procedure's result: it is called once, by the
    // handler, rather than once before it and again inside it.
    case WM_NCCALCSIZE:
    case WM_NCACTIVATE:
        return true;
    default:
        return false;
    }
}

constexpr VARIANT_BOOL Bool(bool b) {
    return b ? VARIANT_TRUE : VARIANT_FALSE;
}
LONG HandleValue(const void* h) {
    return HandleToLong(h);
}

} // namespace

cNCCalcSize::~cNCCalcSize() {
    Detach();
}

ComPtr<_Qel_SkinAreaMod> cNCCalcSize::Implementation() const {
    return ComPtr<_Qel_SkinAreaMod>(impl_);
}

// ---- Public members -------------------------------------------------------

STDMETHODIMP cNCCalcSize::Redraw(LONG hwnd) {
    RedrawWindow(static_cast<HWND>(LongToHandle(hwnd)), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return S_OK;
}

STDMETHODIMP cNCCalcSize::Display(IDispatch* f) {
    hostForm_ = WindowOfForm(f);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    return S_OK;
}

STDMETHODIMP cNCCalcSize::get_WindowActive(VARIANT_BOOL* ret) {
    if (!ret) return E_POINTER;
    *ret = windowActive_;
    return S_OK;
}

STDMETHODIMP cNCCalcSize::get_AppActive(VARIANT_BOOL* ret) {
    if (!ret) return E_POINTER;
    *ret = appActive_;
    return S_OK;
}

STDMETHODIMP cNCCalcSize::TitleBarMouseDown() {
    POINT pt;
    GetCursorPos(&pt);
    ReleaseCapture();
    SendMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    return S_OK;
}

STDMETHODIMP cNCCalcSize::SysCommand(ECNCSysCommandConstants eCmd) {
    PostMessageA(hwnd_, WM_SYSCOMMAND, static_cast<WPARAM>(eCmd), 0);
    return S_OK;
}

// A failure on the way leaves the window as it was, not half subclassed.
STDMETHODIMP cNCCalcSize::Attach(_Qel_SkinAreaMod* iTo) {
    return ComGuard([&] {
        try {
            return AttachTo(iTo);
        } catch (...) {
            Detach();
            throw;
        }
    });
}

HRESULT cNCCalcSize::AttachTo(_Qel_SkinAreaMod* iTo) {
    Detach();
    if (!iTo) return S_OK;
    LONG window = 0;
    iTo->get_hwnd(&window);
    hwnd_ = static_cast<HWND>(LongToHandle(window));
    menu_ = GetMenu(hwnd_);
    method_ = ECNCModifyNonClientArea;
    iTo->get_Method(&method_);

    // A message that cannot be registered is skipped; the rest still are.
    auto* self = static_cast<_ISubclass*>(this);
    if (method_ == ECNCModifyNonClientArea) {
        for (UINT msg : kModifyMessages)
            AttachMessageImpl(self, hwnd_, msg);
    } else {
        for (UINT msg : kClientAreaMessages)
            AttachMessageImpl(self, hwnd_, msg);
    }

    surface_ =
        MemorySurface(nullptr, PixelsFromTwipsX(GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX()),
                      4 * GetSystemMetrics(SM_CYCAPTION));
    if (SetPropA(hwnd_, kImplementationProp, iTo)) impl_ = iTo;
    AddNCHookClient(this);
    return S_OK;
}

STDMETHODIMP cNCCalcSize::get_hMenu(LONG* ret) {
    if (!ret) return E_POINTER;
    *ret = HandleValue(menu_);
    return S_OK;
}

STDMETHODIMP cNCCalcSize::Detach() {
    RemoveNCHookClient(this);
    if (hwnd_) {
        auto* self = static_cast<_ISubclass*>(this);
        if (method_ == ECNCModifyNonClientArea) {
            for (UINT msg : kModifyMessages)
                DetachMessageImpl(self, hwnd_, msg);
        } else {
            for (UINT msg : kClientAreaMessages)
                DetachMessageImpl(self, hwnd_, msg);
        }
    }
    surface_ = MemorySurface();
    if (hwnd_) RemovePropA(hwnd_, kImplementationProp);
    impl_ = nullptr;
    hwnd_ = nullptr;
    menu_ = nullptr;
    return S_OK;
}

STDMETHODIMP cNCCalcSize::DefaultNCPaint(LONG hdcValue, LONG lLeft, LONG lTop, LONG lRight,
                                         LONG lBottom) {
    HDC hdc = static_cast<HDC>(LongToHandle(hdcValue));
    const RECT R{lLeft, lTop, lRight, lBottom};
    const int cxF = GetSystemMetrics(SM_CXFRAME), cyF = GetSystemMetrics(SM_CYFRAME);
    const int cyC = GetSystemMetrics(SM_CYCAPTION);
    const bool active = IsWindowActive();
    HBRUSH caption = GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    HBRUSH border = GetSysColorBrush(active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
    UINT flags = active ? DC_ACTIVE : 0;

    const RECT strips[] = {{R.left, cyF, cxF, R.bottom - cyF},
                           {R.left, R.top, R.right, cyF},
                           {R.right - cxF, cyF, R.right, R.bottom - cyF},
                           {R.left, R.bottom - cyF, R.right, R.bottom},
                           {R.left, cxF + cyC - 1, R.right, cxF + cyC}};
    for (const RECT& s : strips)
        FillRect(hdc, &s, border);

    // The caption goes through the memory surface: text and icon, the blank
    // behind the buttons, then the three buttons.
    flags |= DC_ICON | DC_TEXT;
    const RECT C{R.left + cxF, R.top + cyF, R.right - cxF, R.top + cyF + cyC - 1};
    RECT K = C;
    OffsetRect(&K, -K.left, -K.top);
    HDC mem = surface_.dc();
    if (mem) {
        RECT T = K;
        T.right = K.right - 3 * (K.bottom - K.top) - 2;
        DrawCaption(hwnd_, mem, &T, flags);
        T.left = T.right;
        T.right = K.right;
        FillRect(mem, &T, caption);

        InflateRect(&K, 0, -2);
        K.right -= 2;
        K.left = K.right - (K.bottom - K.top) - 2;
        DrawFrameControl(mem, &K, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        OffsetRect(&K, -((K.right - K.left) + 2), 0);
        DrawFrameControl(mem, &K, DFC_CAPTION,
                         IsZoomed(hwnd_) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX);
        OffsetRect(&K, -(K.right - K.left), 0);
        DrawFrameControl(mem, &K, DFC_CAPTION, DFCS_CAPTIONMIN);
        BitBlt(hdc, C.left, C.top, C.right - C.left, C.bottom - C.top, mem, 0, 0, SRCCOPY);
    }
    RECT edge = R;
    DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT);
    return S_OK;
}

STDMETHODIMP cNCCalcSize::GetImplementation(_Qel_SkinAreaMod** iTo, VARIANT_BOOL* ret) {
    if (!ret) return E_POINTER;
    ComPtr<_Qel_SkinAreaMod> impl;
    if (hwnd_) impl = static_cast<_Qel_SkinAreaMod*>(GetPropA(hwnd_, kImplementationProp));
    *ret = Bool(static_cast<bool>(impl));
    if (impl && iTo) {
        if (*iTo) (*iTo)->Release();
        *iTo = impl.detach();
    }
    return S_OK;
}

STDMETHODIMP cNCCalcSize::SetRndAngle(SHORT Angle, VARIANT_BOOL DoTop, VARIANT_BOOL DoBtm) {
    roundAngle_ = Angle;
    roundTop_ = DoTop;
    roundBottom_ = DoBtm;
    return S_OK;
}

STDMETHODIMP cNCCalcSize::SetFrmMimMax(LONG FormMinWidth, LONG FormMaxWidth, LONG FormMinHeight,
                                       LONG FormMaxHeight) {
    minWidth_ = FormMinWidth;
    maxWidth_ = FormMaxWidth;
    minHeight_ = FormMinHeight;
    maxHeight_ = FormMaxHeight;
    return S_OK;
}

long cNCCalcSize::ProcessAltKey(long vKey) {
    ComPtr<_Qel_SkinAreaMod> impl = Implementation();
    LONG r = 0;
    if (impl) impl->AltKeyAccelerator(vKey, &r);
    return r;
}

// ---- Message handling -----------------------------------------------------

STDMETHODIMP cNCCalcSize::get_MsgResponse(EMsgResponse* ret) {
    if (!ret) return E_POINTER;
    *ret = method_ == ECNCModifyNonClientArea && IsConsumed(CurrentMessage()) ? emrConsume
                                                                              : emrPreprocess;
    return S_OK;
}

STDMETHODIMP cNCCalcSize::WindowProc(LONG, LONG iMsg, LONG_PTR wParam, LONG_PTR lParam,
                                     LONG_PTR* ret) {
    if (!ret) return E_POINTER;
    *ret = 0;
    ComPtr<cNCCalcSize> self(this); // a handler below may release the owner's reference
    try {
        const UINT msg = static_cast<UINT>(iMsg);
        const auto wp = static_cast<WPARAM>(wParam);
        switch (msg) {
        case WM_DESTROY:
            Detach();
            return S_OK;
        case WM_ACTIVATEAPP:
            appActive_ = Bool(wp != 0);
            return S_OK;
        case WM_GETMINMAXINFO:
            GetMinMaxInfo(lParam);
            return S_OK;
        default:
            break;
        }
        *ret = method_ == ECNCModifyNonClientArea ? ModifyNonClientArea(msg, wp, lParam)
                                                  : UseClientArea(msg, wp, lParam);
    } catch (...) {
    }
    return S_OK;
}

LRESULT cNCCalcSize::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return CallOldWindowProcImpl(hwnd_, msg, wParam, lParam);
}

void cNCCalcSize::RepaintFrame() {
    LONG_PTR ignored = 0;
    WindowProc(HandleValue(hwnd_), WM_NCPAINT, 0, 0, &ignored);
}

void cNCCalcSize::RaiseActiveStatus() {
    VARIANTARG isActive;
    V_VT(&isActive) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&isActive) = &windowActive_;
    events_.Fire(kNCActiveStatus, {isActive});
}

POINT cNCCalcSize::RelativePoint(LPARAM screenPoint) const {
    RECT w;
    GetWindowRect(hwnd_, &w);
    return {GET_X_LPARAM(screenPoint) - w.left, GET_Y_LPARAM(screenPoint) - w.top};
}

cNCCalcSize::Geometry cNCCalcSize::FrameGeometry() const {
    Geometry g;
    GetWindowRect(hwnd_, &g.r);
    g.pt = {g.r.left, g.r.top}; // the window's corner on the screen, for WindowGeometry
    OffsetRect(&g.r, -g.r.left, -g.r.top);
    g.dc = WindowDC::Whole(hwnd_);
    return g;
}

cNCCalcSize::Geometry cNCCalcSize::WindowGeometry(LPARAM screenPoint) const {
    Geometry g = FrameGeometry();
    g.pt = {GET_X_LPARAM(screenPoint) - g.pt.x, GET_Y_LPARAM(screenPoint) - g.pt.y};
    return g;
}

bool cNCCalcSize::PressFrame(_Qel_SkinAreaMod* impl, LPARAM screenPoint) const {
    Geometry g = WindowGeometry(screenPoint);
    VARIANT_BOOL handled = VARIANT_FALSE;
    impl->NCMouseDown(g.pt.x, g.pt.y, &handled, HandleValue(g.dc.get()), g.r.left, g.r.top,
                      g.r.right, g.r.bottom);
    return handled != VARIANT_FALSE;
}

void cNCCalcSize::GetMinMaxInfo(LPARAM lParam) const {
    if (minWidth_ <= 0 && maxWidth_ <= 0 && minHeight_ <= 0 && maxHeight_ <= 0) return;
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    if (!info) return;
    if (minWidth_ > 0) info->ptMinTrackSize.x = PixelsFromTwipsX(minWidth_);
    if (minHeight_ > 0) info->ptMinTrackSize.y = PixelsFromTwipsY(minHeight_);
    if (maxWidth_ > 0) info->ptMaxTrackSize.x = PixelsFromTwipsX(maxWidth_);
    if (maxHeight_ > 0) info->ptMaxTrackSize.y = PixelsFromTwipsY(maxHeight_);
}

LRESULT cNCCalcSize::ModifyNonClientArea(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCALCSIZE:
        return CalcSize(wParam, lParam);
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    case WM_NCACTIVATE:
        return Activation(wParam, lParam);
    case WM_NCHITTEST:
        return HitTest(wParam, lParam);
    case WM_NCLBUTTONDOWN:
        return LeftButtonDown(wParam, lParam);
    case WM_NCLBUTTONUP:
        LeftButtonUp(lParam);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        return LeftButtonDoubleClick(wParam, lParam);
    case WM_SETTEXT:
    case WM_STYLECHANGED:
        return PassOnAndRedraw(msg, wParam, lParam);
    case WM_SETCURSOR:
        return SetCursorUnframed(wParam, lParam);
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        MenuChange(msg, wParam, lParam);
        return 0;
    case WM_SIZE:
        Size(wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

void cNCCalcSize::PaintFrame() {
    if (!IsWindowVisible(hwnd_)) return;
    maxMDIChild_ = IsZoomed(hwnd_) && IsMDIChild(hwnd_);
    if (maxMDIChild_) return;
    // The property is the record: once something else removed it, the default
    // frame is painted from then on.
    if (impl_ && GetPropA(hwnd_, kImplementationProp) != impl_) impl_ = nullptr;
    Geometry g = FrameGeometry();
    const LONG dc = HandleValue(g.dc.get());
    if (ComPtr<_Qel_SkinAreaMod> impl = Implementation())
        impl->NCPaint(dc, g.r.left, g.r.top, g.r.right, g.r.bottom);
    else
        DefaultNCPaint(dc, g.r.left, g.r.top, g.r.right, g.r.bottom);
    events_.Fire(kNCRepaint);
}

LRESULT cNCCalcSize::Activation(WPARAM wParam, LPARAM lParam) {
    windowActive_ = Bool(wParam != 0);
    LRESULT result = CallPrevious(WM_NCACTIVATE, wParam, lParam);
    RepaintFrame();
    Redraw(HandleValue(hwnd_));
    RaiseActiveStatus();
    return result;
}

LRESULT cNCCalcSize::HitTest(WPARAM wParam, LPARAM lParam) {
    LRESULT result;
    if (Implementation()) {
        lastHitTest_ = NCHitTestAt(RelativePoint(lParam));
        result = lastHitTest_ == HTMENU ? HTCLIENT : lastHitTest_;
    } else {
        result = CallPrevious(WM_NCHITTEST, wParam, lParam);
    }
    if (lastHitTest_ != HTCAPTION && buttonDown_) RepaintFrame();
    return result;
}

// Only the release is reported: a press that did not start on a button must
// not complete there.
void cNCCalcSize::LeftButtonUp(LPARAM lParam) {
    buttonDown_ = false;
    if (ComPtr<_Qel_SkinAreaMod> impl = Implementation()) {
        Geometry g = WindowGeometry(lParam);
        impl->NCMouseUp(g.pt.x, g.pt.y, HandleValue(g.dc.get()), g.r.left, g.r.top, g.r.right,
                        g.r.bottom);
    }
}

// A double-click on a caption button the implementation handles is a second
// press of that button; passed on, the system would take the button's
// HTSYSMENU for the window menu's icon and close the window.
LRESULT cNCCalcSize::LeftButtonDoubleClick(WPARAM wParam, LPARAM lParam) {
    ComPtr<_Qel_SkinAreaMod> impl = Implementation();
    if (impl && NCHitTestAt(RelativePoint(lParam)) == HTSYSMENU && PressFrame(impl.get(), lParam)) {
        buttonDown_ = true;
        return 0;
    }
    return PassOnAndRedraw(WM_NCLBUTTONDBLCLK, wParam, lParam);
}

LRESULT cNCCalcSize::PassOnAndRedraw(UINT msg, WPARAM wParam, LPARAM lParam) {
    buttonDown_ = false;
    LRESULT result = CallPrevious(msg, wParam, lParam);
    if (!inSetCursor_) {
        RepaintFrame();
        Redraw(HandleValue(hwnd_));
    }
    return result;
}

// The previous procedure runs with the window marked invisible and without a
// menu, so that it draws nothing of its own frame. A plain move over the client
// area only picks the cursor, which draws nothing: it is spared the two style
// changes, the dearest part of a move.
LRESULT cNCCalcSize::SetCursorUnframed(WPARAM wParam, LPARAM lParam) {
    buttonDown_ = false;
    const ReentryGuard unframed(inSetCursor_);
    const bool hide = !(LOWORD(lParam) == HTCLIENT && HIWORD(lParam) == WM_MOUSEMOVE);
    const HiddenStyle hidden(hwnd_, hide);
    LRESULT result = CallPrevious(WM_SETCURSOR, wParam, lParam);
    if (GetMenu(hwnd_)) SetMenu(hwnd_, nullptr);
    return result;
}

// A menu opens, closes or fills a popup: the system's handling, then the frame
// again, then the implementation's part.
void cNCCalcSize::MenuChange(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITMENU) buttonDown_ = false;
    CallPrevious(msg, wParam, lParam);
    RepaintFrame();
    if (msg == WM_INITMENUPOPUP && HIWORD(lParam) == 0) {
        if (ComPtr<_Qel_SkinAreaMod> impl = Implementation())
            impl->InitMenuPopup(static_cast<LONG>(wParam), static_cast<LONG>(lParam));
    } else if (msg == WM_EXITMENULOOP) {
        if (ComPtr<_Qel_SkinAreaMod> impl = Implementation()) impl->ExitMenuLoop();
    }
}

void cNCCalcSize::Size(WPARAM wParam, LPARAM lParam) {
    buttonDown_ = false;
    if (roundAngle_ > 0) SetFormRoundRegion(hostForm_, 0, true, true);
    CallPrevious(WM_SIZE, wParam, lParam);
    RepaintFrame();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    Redraw(HandleValue(hwnd_));
    if (roundAngle_ > 0)
        SetFormRoundRegion(hostForm_, roundAngle_, roundTop_ != VARIANT_FALSE,
                           roundBottom_ != VARIANT_FALSE);
    events_.Fire(kNCResize);
}

LRESULT cNCCalcSize::CalcSize(WPARAM wParam, LPARAM lParam) {
    maxMDIChild_ = IsZoomed(hwnd_) && IsMDIChild(hwnd_);
    if (wParam == 0) return CallPrevious(WM_NCCALCSIZE, wParam, lParam);

    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    CallPrevious(WM_NCCALCSIZE, wParam, lParam);
    // SetMenu and DrawMenuBar change the frame: a menu the window was given
    // since it was attached is the one painted from now on (and taken off the
    // window, like the first, at the next WM_SETCURSOR).
    if (HMENU given = GetMenu(hwnd_)) menu_ = given;

    // The new window rectangle. A frame change without a move or a size (as
    // Display asks) takes the missing parts from where the window really is.
    RECT window = params->rgrc[0];
    if (const WINDOWPOS* pos = params->lppos) {
        RECT now;
        GetWindowRect(hwnd_, &now);
        if (HWND parent = GetParent(hwnd_);
            parent && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD))
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&now), 2);
        const int x = (pos->flags & SWP_NOMOVE) ? now.left : pos->x;
        const int y = (pos->flags & SWP_NOMOVE) ? now.top : pos->y;
        const int cx = (pos->flags & SWP_NOSIZE) ? now.right - now.left : pos->cx;
        const int cy = (pos->flags & SWP_NOSIZE) ? now.bottom - now.top : pos->cy;
        window = {x, y, x + cx, y + cy};
    }

    LONG left = GetSystemMetrics(SM_CXFRAME), right = left;
    LONG top = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    LONG bottom = GetSystemMetrics(SM_CYFRAME);
    if (!maxMDIChild_) {
        if (ComPtr<_Qel_SkinAreaMod> impl = Implementation()) {
            impl->GetLeftMarginWidth(&left);
            impl->GetTopMarginHeight(&top);
            impl->GetRightMarginWidth(&right);
            impl->GetBottomMarginHeight(&bottom);
        }
    }
    margins_ = {left, top, right, bottom};

    RECT client = window;
    client.left += left;
    client.top += top;
    client.right -= right + 2;
    client.bottom -= bottom + 1;
    params->rgrc[0] = client;
    params->rgrc[1] = client;
    return WVR_VALIDRECTS;
}

LRESULT cNCCalcSize::LeftButtonDown(WPARAM, LPARAM lParam) {
    buttonDown_ = true;

    // A one-pixel nudge of the pointer, alternating in direction from press to press.
    if (jiggle_.x == 0) jiggle_.x = 1;
    if (jiggle_.y == 0) jiggle_.y = 1;
    jiggle_ = {-jiggle_.x, -jiggle_.y};
    mouse_event(MOUSEEVENTF_MOVE, static_cast<DWORD>(jiggle_.x), static_cast<DWORD>(jiggle_.y), 0,
                0);

    const WPARAM code = NCHitTestAt(RelativePoint(lParam));
    if (ComPtr<_Qel_SkinAreaMod> impl = Implementation()) {
        if (lastHitTest_ == HTCAPTION) {
            if (!IsWindowActive()) SetForegroundWindow(hwnd_);
            TrackCaptionDrag({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            RepaintFrame();
            return 0;
        }
        if (PressFrame(impl.get(), lParam)) return 0;
    }
    CallPrevious(WM_NCLBUTTONDOWN, code, lParam);
    RepaintFrame();
    return 0;
}

LRESULT cNCCalcSize::UseClientArea(UINT msg, WPARAM wParam, LPARAM lParam) {
    ComPtr<_Qel_SkinAreaMod> impl = Implementation();
    switch (msg) {
    case WM_ACTIVATE:
        windowActive_ = Bool(wParam != 0);
        if (impl) impl->NCPaint(0, 0, 0, 0, 0);
        RaiseActiveStatus();
        return 0;
    case WM_NCHITTEST: {
        if (!impl) return 0;
        ECNCHitTestConstants code = NCHitTestAt(RelativePoint(lParam));
        return code == HTMENU ? HTCLIENT : code;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP: {
        if (!impl) return 0;
        Geometry g = WindowGeometry(lParam);
        RECT screen;
        GetWindowRect(hwnd_, &screen);
        const LONG dc = HandleValue(g.dc.get());
        if (msg == WM_NCLBUTTONDOWN) {
            VARIANT_BOOL handled = VARIANT_FALSE;
            impl->NCMouseDown(g.pt.x, g.pt.y, &handled, dc, screen.left, screen.top, screen.right,
                              screen.bottom);
        } else {
            impl->NCMouseUp(g.pt.x, g.pt.y, dc, screen.left, screen.top, screen.right,
                            screen.bottom);
        }
        return 0;
    }
    default:
        return 0;
    }
}

ECNCHitTestConstants cNCCalcSize::NCHitTestAt(POINT pt) const {
    ComPtr<_Qel_SkinAreaMod> impl = Implementation();
    if (!impl) return static_cast<ECNCHitTestConstants>(HTNOWHERE);
    RECT w;
    GetWindowRect(hwnd_, &w);
    const LONG W = w.right - w.left, H = w.bottom - w.top;
    const LONG L = margins_.left, T = margins_.top, Rt = margins_.right, B = margins_.bottom;
    VARIANT_BOOL canSizeValue = VARIANT_FALSE;
    impl->get_CanSize(&canSizeValue);
    const bool canSize = canSizeValue != VARIANT_FALSE;
    const LONG X = pt.x, Y = pt.y;

    // The bottom margin is also the thickness of the top sizing band and the
    // height of all four corner zones.
    int code = HTCLIENT;
    const RECT bounds{0, 0, W, H};
    if (PtInRect(&bounds, pt)) {
        if (X <= L) {
            if (canSize) code = Y <= B ? HTTOPLEFT : Y >= H - B ? HTBOTTOMLEFT : HTLEFT;
        } else if (X >= W - Rt) {
            if (canSize) code = Y <= B ? HTTOPRIGHT : Y >= H - B ? HTBOTTOMRIGHT : HTRIGHT;
        } else if (Y <= B) {
            if (canSize) code = HTTOP;
        } else if (Y >= H - B) {
            if (canSize) code = HTBOTTOM;
        } else if (Y <= T) {
            const int cyCaption = GetSystemMetrics(SM_CYCAPTION);
            if (Y <= B + cyCaption) code = X <= cyCaption ? HTSYSMENU : HTCAPTION;
        }
    }
    auto result = static_cast<ECNCHitTestConstants>(code);
    impl->HitTest(X, Y, &result);
    return result;
}

void cNCCalcSize::TrackCaptionDrag(POINT last) {
    if (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_MAXIMIZE) return;
    HWND parent = GetParent(hwnd_);
    const bool child = parent && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD);
    auto windowRect = [&] {
        RECT rc;
        GetWindowRect(hwnd_, &rc);
        if (child) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    // The drag counts from where the button went down, so that moves made
    // before the loop starts are not lost.
    RECT rc = windowRect();
    ComPtr<cNCCalcSize> self(this); // messages pumped below may detach the owner
    while (GetAsyncKeyState(VK_LBUTTON) != 0 && IsWindowActive() && hwnd_) {
        POINT pt;
        GetCursorPos(&pt);
        if (pt.x == last.x && pt.y == last.y) {
            DoEvents();
            Sleep(1);
            continue;
        }
        SetWindowPos(hwnd_, nullptr, rc.left + (pt.x - last.x), rc.top + (pt.y - last.y), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
        last = pt;
        rc = windowRect();
        Redraw(HandleValue(hwnd_));
        RepaintFrame();
        DoEvents();
        Sleep(1);
    }
}

bool cNCCalcSize::IsMDIChild(HWND hwnd) const {
    char name[260] = {};
    if (!GetClassNameA(GetParent(hwnd), name, 259)) return false;
    return strcmp(name, "MDIClient") == 0;
}

} // namespace qel
