#include "tests/renderer/MenuSkinArea.h"
#include "base/WindowObject.h"
#include "renderer/MenuShades.h"

#include <olectl.h>

namespace qel::test {
namespace {

void Fill(HDC hdc, RECT rc, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(hdc, &rc, brush.get());
}

} // namespace

EdgeShades MenuEdgeShades() {
    uint32_t light = 0, dark = 0;
    BlendMenuColour(MenuSkinArea::kMenuBack, light, dark);
    return {light, dark};
}

MenuSkinArea::MenuSkinArea(HWND hwnd) : hwnd_(hwnd) {
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(L"MS Sans Serif"),
                  {{82500, 0}},
                  FW_NORMAL,
                  ANSI_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    OleCreateFontIndirect(&desc, IID_IFont, font.put_void());
}

MenuSkinArea::~MenuSkinArea() {
    Detach();
}

void MenuSkinArea::Attach() {
    bar = cMenuBar::Create();
    bar->Attach(hwnd_, false);
    bar->SetMenuFont(font.get());
    bar->SetMenuColours(kMenuText, kMenuOver, kMenuInactive, kMenuBack);
    bar->SetCaptionHeight(kCaption);
    bar->SetBorderWidths(kBorder);
    ncs = cNCCalcSize::Create();
    ncs->Attach(this);
    auto form = WindowObject::Create(hwnd_);
    ncs->Display(form.get());
}

void MenuSkinArea::Detach() {
    if (ncs) ncs->Detach();
    if (!bar) return;
    HMENU menu = bar->hMenu();
    bar->Detach();
    if (menu) SetMenu(hwnd_, menu);
    bar.reset();
}

void MenuSkinArea::Paint(HDC hdc, LONG width, LONG height) {
    MemorySurface strip(hdc, width, kCaption);
    Fill(strip.dc(), {0, 0, width, kCaption}, kStrip);
    if (bar) {
        VARIANT_BOOL active = VARIANT_FALSE;
        LONG menu = 0;
        if (ncs) {
            ncs->get_WindowActive(&active);
            ncs->get_hMenu(&menu);
        }
        bar->SethMenu(static_cast<HMENU>(LongToHandle(menu)));
        HFONT hFont = nullptr;
        font->get_hFont(&hFont);
        long right = 0;
        bar->Render(hFont, strip.dc(), kMenuLeft, kMenuTop, width - 60, kCaption - kMenuTop,
                    kMenuTop - kCaption + 2, active != VARIANT_FALSE, right);
        menuBarRect = {kMenuHitLeft, kMenuTop, kMenuHitLeft + right, kCaption};
    }
    BitBlt(hdc, 0, 0, width, kCaption, strip.dc(), 0, 0, SRCCOPY);
    // The client area ends two pixels early at the right and one at the bottom.
    Fill(hdc, {0, kCaption, kBorder, height}, kBorderColour);
    Fill(hdc, {width - kBorder - 1, kCaption, width, height}, kBorderColour);
    Fill(hdc, {0, height - kBorder, width, height}, kBorderColour);
}

STDMETHODIMP MenuSkinArea::get_hwnd(LONG* r) {
    *r = HandleToLong(hwnd_);
    return S_OK;
}
STDMETHODIMP MenuSkinArea::GetTopMarginHeight(LONG* cy) {
    *cy = kCaption;
    return S_OK;
}
STDMETHODIMP MenuSkinArea::GetLeftMarginWidth(LONG* cx) {
    *cx = kBorder;
    return S_OK;
}
STDMETHODIMP MenuSkinArea::GetRightMarginWidth(LONG* cx) {
    *cx = kBorder - 1;
    return S_OK;
}
STDMETHODIMP MenuSkinArea::GetBottomMarginHeight(LONG* cy) {
    *cy = kBorder - 1;
    return S_OK;
}

STDMETHODIMP MenuSkinArea::NCPaint(LONG hdc, LONG l, LONG t, LONG r, LONG b) {
    Paint(static_cast<HDC>(LongToHandle(hdc)), r - l, b - t);
    return S_OK;
}

STDMETHODIMP MenuSkinArea::HitTest(LONG x, LONG y, ECNCHitTestConstants* code) {
    const POINT pt{x, y};
    if (PtInRect(&menuBarRect, pt)) *code = static_cast<ECNCHitTestConstants>(HTMENU);
    return S_OK;
}

STDMETHODIMP MenuSkinArea::InitMenuPopup(LONG wParam, LONG) {
    if (bar) bar->PreparePopupItems(static_cast<HMENU>(LongToHandle(wParam)));
    return S_OK;
}

STDMETHODIMP MenuSkinArea::ExitMenuLoop() {
    if (bar) bar->RestorePopupItems();
    return S_OK;
}

STDMETHODIMP MenuSkinArea::AltKeyAccelerator(LONG vKey, LONG* r) {
    *r = bar && bar->AltKeyAccelerator(vKey) ? 1 : 0;
    return S_OK;
}

STDMETHODIMP MenuSkinArea::get_Method(LONG* r) {
    *r = ECNCModifyNonClientArea;
    return S_OK;
}
STDMETHODIMP MenuSkinArea::get_CanSize(VARIANT_BOOL* r) {
    *r = VARIANT_TRUE;
    return S_OK;
}
STDMETHODIMP MenuSkinArea::get_CanClose(VARIANT_BOOL* r) {
    *r = VARIANT_TRUE;
    return S_OK;
}

} // namespace qel::test
