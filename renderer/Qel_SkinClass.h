// The skin frame renderer. One instance skins one form: it copies a skin
// configuration, loads the skin's pictures into memory surfaces, takes the
// form's menu over with a menu bar and its frame with a non-client area
// modifier, to which it answers as the implementation of _Qel_SkinAreaMod:
// margins, painting, hit testing and the caption buttons. It passes the
// modifier's and the menu bar's events on to its owner, and raises Unload when
// the skinned close button is released.
#pragma once
#include "base/Events.h"
#include "typelib/QelTypeLib.h"
#include "skinmodel/FrameLayout.h"
#include "renderer/SkinSettings.h"
#include "renderer/cMemDC.h"

#include <array>
#include <memory>
#include <optional>

namespace qel {

class cMenuBar;
class cNCCalcSize;

// Dispatch identifiers of the renderer's events.
inline constexpr DISPID kSkinResize = DISPID_SKINCLASS_RESIZE;
inline constexpr DISPID kSkinUnload = DISPID_SKINCLASS_UNLOAD;
inline constexpr DISPID kSkinRepaint = DISPID_SKINCLASS_REPAINT;
inline constexpr DISPID kSkinActiveStatus = DISPID_SKINCLASS_ACTIVESTATUS;

class Qel_SkinClass final
    : public ComObject<Qel_SkinClass, _Qel_SkinClass, _Qel_SkinAreaMod, IConnectionPointContainer> {
public:
    Qel_SkinClass();
    // Releasing the renderer without Detach detaches it all the same.
    ~Qel_SkinClass() override;

    // _Qel_SkinClass
    STDMETHODIMP Detach() override;
    STDMETHODIMP get_SkinConfiguration(_Qel_SkinConfig** ret) override;
    STDMETHODIMP Attach2(IDispatch* f, _Qel_SkinConfig* cSkin) override;
    STDMETHODIMP Attach(IDispatch* f, IPictureDisp* picCaption, IPictureDisp* picBorder,
                        LONG lButtonWidth, LONG lButtonHeight, LONG lActiveLeftEnd,
                        LONG lActiveRightStart, LONG lActiveRightEnd,
                        LONG lInactiveOffset) override;
    QEL_SETTING_VALUE(MenuBackgroundColor, OLE_COLOR)
    QEL_SETTING_VALUE(FormBackgroundColor, OLE_COLOR)
    QEL_SETTING_VALUE(ActiveCaptionColor, OLE_COLOR)
    QEL_SETTING_VALUE(InActiveCaptionColor, OLE_COLOR)
    QEL_SETTING_OBJECT(CaptionFont, IFontDisp, put)
    QEL_SETTING_OBJECT(MenuFont, IFontDisp, put)
    QEL_SETTING_VALUE(ActiveMenuColor, OLE_COLOR)
    QEL_SETTING_VALUE(ActiveMenuColorOver, OLE_COLOR)
    QEL_SETTING_VALUE(InActiveMenuColor, OLE_COLOR)
    STDMETHODIMP Paint(LONG hdc, LONG* left, LONG* top, LONG* Width, LONG* Height,
                       VARIANT menu) override;
    STDMETHODIMP SetRoundAngle(SHORT Angle, VARIANT_BOOL DoTopRound,
                               VARIANT_BOOL DoBtmRound) override;
    STDMETHODIMP SetFrmMimMax(LONG FormMinWidth, LONG FormMaxWidth, LONG FormMinHeight,
                              LONG FormMaxHeight) override;
    STDMETHODIMP RedrawFrm(LONG hwnd) override;

    // _Qel_SkinAreaMod
    STDMETHODIMP get_hwnd(LONG* ret) override;
    STDMETHODIMP GetTopMarginHeight(LONG* cy) override;
    STDMETHODIMP GetLeftMarginWidth(LONG* cx) override;
    STDMETHODIMP GetRightMarginWidth(LONG* cx) override;
    STDMETHODIMP GetBottomMarginHeight(LONG* cy) override;
    STDMETHODIMP NCPaint(LONG hdc, LONG lLeft, LONG lTop, LONG lRight, LONG lBottom) override;
    STDMETHODIMP HitTest(LONG X, LONG Y, ECNCHitTestConstants* eHitTest) override;
    STDMETHODIMP NCMouseDown(LONG X, LONG Y, VARIANT_BOOL* bHandled, LONG hdc, LONG lLeft,
                             LONG lTop, LONG lRight, LONG lBottom) override;
    STDMETHODIMP NCMouseUp(LONG X, LONG Y, LONG hdc, LONG lLeft, LONG lTop, LONG lRight,
                           LONG lBottom) override;
    STDMETHODIMP InitMenuPopup(LONG wParam, LONG lParam) override;
    STDMETHODIMP ExitMenuLoop() override;
    STDMETHODIMP AltKeyAccelerator(LONG vKey, LONG* ret) override;
    STDMETHODIMP get_Method(LONG* ret) override;
    STDMETHODIMP get_CanSize(VARIANT_BOOL* ret) override;
    STDMETHODIMP get_CanClose(VARIANT_BOOL* ret) override;

    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override {
        return events_.Find(iid, cp);
    }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override {
        return events_.Enum(e);
    }

    // Whether the last frame drawn showed menu items on the bar.
    bool ShowsMenuItems() const;

private:
    // The skin's pictures as surfaces, the two surfaces the frame is composed
    // on (the caption strip, also used for the bottom border, and the sides),
    // and the icon made ready to draw: scaled to 16 x 16 once, as a mask (white
    // where it is transparent) and an image (black there).
    struct Surfaces {
        cMemDC caption, borders, buttons, icon;
        cMemDC strip, side;
        cMemDC iconMask, iconImage;
    };

    // What the frame's menu bar shows: a menu handle or a menu object.
    struct MenuChoice {
        HMENU handle = nullptr;
        IDispatch* object = nullptr;
    };

    // Draws the frame of the renderer's window into `target` over `R` and
    // returns the rectangle inside caption and borders.
    RECT DrawFrame(HDC target, const RECT& R, const MenuChoice& menu);
    // Draws a shown caption button where the last drawing laid it, on the
    // window's device context.
    void DrawControlButton(HDC hdc, FrameButton kind, ButtonState look);
    PieceCopy CellOf(FrameButton kind, ButtonState look) const;
    // The frame's numbers: the skin's settings and its pictures' sizes.
    FrameSkin Skin() const;

    bool WindowActive() const;
    bool CanSize() const;
    bool CanClose() const;
    void PrepareIcon();
    bool IsMaximised() const;
    // The cursor relative to the window's top-left corner, for the looks of
    // the buttons laid out as `layout`.
    POINT CursorOverButtons(const FrameLayout& layout) const;
    void OnModifierEvent(DISPID id, DISPPARAMS& params);

    ComPtr<cNCCalcSize> m_cNCS;
    EventConnection ncsEvents_;
    ComPtr<cMenuBar> m_cMenu;
    HWND hwnd_ = nullptr;
    bool windowMarked_ = false; // the modifier marked hwnd_ as this renderer's
    ComPtr<IDispatch> form_;
    std::unique_ptr<Surfaces> dc_; // made by Attach2

    SkinSettings s_; // the renderer's copies, under the record's names

    SHORT roundAngle_ = 0;
    VARIANT_BOOL roundTop_ = VARIANT_FALSE;
    VARIANT_BOOL roundBottom_ = VARIANT_FALSE;
    LONG FormMinWidth = 0, FormMaxWidth = 0, FormMinHeight = 0, FormMaxHeight = 0; // twips

    // Written by each frame drawing (relative to the window's top-left
    // corner, the menu bar's right end filled in), read by hit testing and the
    // button presses.
    FrameLayout layout_;
    std::array<bool, kFrameButtonCount> buttonPressed_{};
    // The button cells last drawn on the window (none: not known).
    std::array<std::optional<PieceCopy>, kFrameButtonCount> drawn_{};
    // Where the last hit test was asked, relative to the window.
    std::optional<POINT> lastHit_;

    EventSource events_{this, DIID___Qel_SkinClass};
};

} // namespace qel
