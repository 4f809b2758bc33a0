// A small stand-in for the skin renderer around a menu bar: it attaches a
// cMenuBar and a cNCCalcSize to a form as the renderer does, paints a flat
// caption strip with the bar rendered into it and flat borders, answers HTMENU
// over the bar, and passes the menu-loop and Alt-key calls on to the bar.
#pragma once
#include "base/ComObject.h"
#include "typelib/QelTypeLib.h"
#include "hooking/cNCCalcSize.h"
#include "renderer/cMenuBar.h"

namespace qel::test {

// The light and dark edge shades the bar derives from MenuSkinArea::kMenuBack.
struct EdgeShades {
    COLORREF light, dark;
};
EdgeShades MenuEdgeShades();

class MenuSkinArea final : public ComObject<MenuSkinArea, _Qel_SkinAreaMod> {
public:
    // Frame geometry in pixels.
    static constexpr LONG kCaption = 44;                // caption strip height
    static constexpr LONG kBorder = 4;                  // left border, and the others' thickness
    static constexpr LONG kMenuLeft = 17;               // where the bar is rendered in the strip
    static constexpr LONG kMenuTop = kCaption / 2;      // top of the bar in the strip
    static constexpr LONG kMenuHitLeft = kMenuLeft + 5; // where the bar's HTMENU area starts
    // Colours.
    static constexpr COLORREF kStrip = RGB(170, 200, 230);
    static constexpr COLORREF kBorderColour = RGB(60, 90, 140);
    static constexpr COLORREF kMenuText = RGB(0, 0, 128);
    static constexpr COLORREF kMenuOver = RGB(200, 0, 0);
    static constexpr COLORREF kMenuInactive = RGB(100, 100, 100);
    static constexpr COLORREF kMenuBack = RGB(250, 240, 200);

    explicit MenuSkinArea(HWND hwnd);
    ~MenuSkinArea() override;

    // The bar first, then the modifier, as the renderer attaches them.
    void Attach();
    // The modifier, then the bar; the form gets its menu back.
    void Detach();
    // Draws the frame of a window of the given size into `hdc`, as for WM_NCPAINT.
    void Paint(HDC hdc, LONG width, LONG height);

    STDMETHODIMP get_hwnd(LONG* r) override;
    STDMETHODIMP GetTopMarginHeight(LONG* cy) override;
    STDMETHODIMP GetLeftMarginWidth(LONG* cx) override;
    STDMETHODIMP GetRightMarginWidth(LONG* cx) override;
    STDMETHODIMP GetBottomMarginHeight(LONG* cy) override;
    STDMETHODIMP NCPaint(LONG hdc, LONG l, LONG t, LONG r, LONG b) override;
    STDMETHODIMP HitTest(LONG x, LONG y, ECNCHitTestConstants* code) override;
    STDMETHODIMP NCMouseDown(LONG, LONG, VARIANT_BOOL*, LONG, LONG, LONG, LONG, LONG) override {
        return S_OK;
    }
    STDMETHODIMP NCMouseUp(LONG, LONG, LONG, LONG, LONG, LONG, LONG) override { return S_OK; }
    STDMETHODIMP InitMenuPopup(LONG wParam, LONG lParam) override;
    STDMETHODIMP ExitMenuLoop() override;
    STDMETHODIMP AltKeyAccelerator(LONG vKey, LONG* r) override;
    STDMETHODIMP get_Method(LONG* r) override;
    STDMETHODIMP get_CanSize(VARIANT_BOOL* r) override;
    STDMETHODIMP get_CanClose(VARIANT_BOOL* r) override;

    ComPtr<cMenuBar> bar;
    ComPtr<cNCCalcSize> ncs;
    ComPtr<IFont> font;
    RECT menuBarRect{}; // the bar's area relative to the window, from the last paint

private:
    HWND hwnd_;
};

} // namespace qel::test
