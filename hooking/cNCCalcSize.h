// The non-client area modifier: takes over one form's frame. It subclasses the
// window of an implementation of _Qel_SkinAreaMod and asks that implementation
// for the frame's margins, painting, hit testing and mouse handling; it raises
// Resize, Repaint and ActiveStatus to its owner. The window property
// "orvlCNCImplementation" holds the implementation (not counted); the messages
// read the member written with it.
#pragma once
#include "base/Events.h"
#include "base/Handle.h"
#include "typelib/QelTypeLib.h"

namespace qel {

// Dispatch identifiers of the modifier's events.
inline constexpr DISPID kNCResize = DISPID_NCCALCSIZE_RESIZE;
inline constexpr DISPID kNCRepaint = DISPID_NCCALCSIZE_REPAINT;
inline constexpr DISPID kNCActiveStatus = DISPID_NCCALCSIZE_ACTIVESTATUS;

// The window property that holds the implementation.
inline constexpr const char* kImplementationProp = "orvlCNCImplementation";

class cNCCalcSize final
    : public ComObject<cNCCalcSize, _cNCCalcSize, _ISubclass, IConnectionPointContainer> {
public:
    cNCCalcSize() = default;
    ~cNCCalcSize() override;

    // _cNCCalcSize
    STDMETHODIMP Redraw(LONG hwnd) override;
    STDMETHODIMP Display(IDispatch* f) override;
    STDMETHODIMP get_WindowActive(VARIANT_BOOL* ret) override;
    STDMETHODIMP get_AppActive(VARIANT_BOOL* ret) override;
    STDMETHODIMP TitleBarMouseDown() override;
    STDMETHODIMP SysCommand(ECNCSysCommandConstants eCmd) override;
    STDMETHODIMP Attach(_Qel_SkinAreaMod* iTo) override;
    STDMETHODIMP get_hMenu(LONG* ret) override;
    STDMETHODIMP Detach() override;
    STDMETHODIMP DefaultNCPaint(LONG hdc, LONG lLeft, LONG lTop, LONG lRight,
                                LONG lBottom) override;
    STDMETHODIMP GetImplementation(_Qel_SkinAreaMod** iTo, VARIANT_BOOL* ret) override;
    STDMETHODIMP SetRndAngle(SHORT Angle, VARIANT_BOOL DoTop, VARIANT_BOOL DoBtm) override;
    STDMETHODIMP SetFrmMimMax(LONG FormMinWidth, LONG FormMaxWidth, LONG FormMinHeight,
                              LONG FormMaxHeight) override;

    // _ISubclass
    STDMETHODIMP get_MsgResponse(EMsgResponse* ret) override;
    STDMETHODIMP put_MsgResponse(EMsgResponse) override { return S_OK; }
    STDMETHODIMP WindowProc(LONG hwnd, LONG iMsg, LONG_PTR wParam, LONG_PTR lParam,
                            LONG_PTR* ret) override;

    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override {
        return events_.Find(iid, cp);
    }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override {
        return events_.Enum(e);
    }

    // For the keyboard hook: the implementation's answer to Alt+vKey (0 when
    // it has none).
    long ProcessAltKey(long vKey);
    bool IsWindowActive() const { return windowActive_ != VARIANT_FALSE; }
    HWND Window() const { return hwnd_; }
    // The implementation stored in the window property, or null.
    ComPtr<_Qel_SkinAreaMod> Implementation() const;

private:
    HRESULT AttachTo(_Qel_SkinAreaMod* iTo);
    // Cursor position relative to the window, the window rectangle at the
    // origin, and the window's device context.
    struct Geometry {
        POINT pt;
        RECT r;
        WindowDC dc;
    };
    // The frame's rectangle and device context (for painting), and the same
    // with a screen point made relative to the window (for the mouse).
    Geometry FrameGeometry() const;
    Geometry WindowGeometry(LPARAM screenPoint) const;
    POINT RelativePoint(LPARAM screenPoint) const;
    // Hands a press at the screen point to the implementation; true when taken.
    bool PressFrame(_Qel_SkinAreaMod* impl, LPARAM screenPoint) const;

    LRESULT ModifyNonClientArea(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT UseClientArea(UINT msg, WPARAM wParam, LPARAM lParam);
    void GetMinMaxInfo(LPARAM lParam) const;
    // The frame's messages, one handler each.
    LRESULT CalcSize(WPARAM wParam, LPARAM lParam);
    void PaintFrame();
    LRESULT Activation(WPARAM wParam, LPARAM lParam);
    LRESULT HitTest(WPARAM wParam, LPARAM lParam);
    LRESULT LeftButtonDown(WPARAM wParam, LPARAM lParam);
    void LeftButtonUp(LPARAM lParam);
    LRESULT LeftButtonDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT PassOnAndRedraw(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT SetCursorUnframed(WPARAM wParam, LPARAM lParam);
    void MenuChange(UINT msg, WPARAM wParam, LPARAM lParam);
    void Size(WPARAM wParam, LPARAM lParam);
    LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;
    void RepaintFrame();
    void RaiseActiveStatus();

    // Moves the window with the cursor while the left button, pressed at the
    // screen point `last`, is held on the caption.
    void TrackCaptionDrag(POINT last);
    bool IsMDIChild(HWND hwnd) const;
    ECNCHitTestConstants NCHitTestAt(POINT pt) const;

    SHORT roundAngle_ = 0;
    VARIANT_BOOL roundTop_ = VARIANT_FALSE;
    VARIANT_BOOL roundBottom_ = VARIANT_FALSE;
    bool buttonDown_ = false;
    LONG minWidth_ = 0, maxWidth_ = 0, minHeight_ = 0, maxHeight_ = 0; // twips, 0: none
    HWND hostForm_ = nullptr;
    HWND hwnd_ = nullptr;
    _Qel_SkinAreaMod* impl_ = nullptr; // set once the window property holds it
    HMENU menu_ = nullptr;
    VARIANT_BOOL windowActive_ = VARIANT_FALSE;
    VARIANT_BOOL appActive_ = VARIANT_FALSE;
    bool maxMDIChild_ = false;
    MemorySurface surface_;
    RECT margins_{}; // left, top, right, bottom of the last WM_NCCALCSIZE
    ECNCHitTestConstants lastHitTest_ = static_cast<ECNCHitTestConstants>(HTNOWHERE);
    LONG method_ = ECNCModifyNonClientArea;
    POINT jiggle_{0, 0};
    bool inSetCursor_ = false;

    EventSource events_{this, DIID___cNCCalcSize};
};

} // namespace qel
