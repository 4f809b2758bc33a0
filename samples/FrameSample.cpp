// A small window whose whole frame comes from the non-client area modifier:
// the sample's own implementation measures it, paints a caption with a close
// button and borders, answers hit tests, and the modifier drags the caption,
// keeps the size limits and rounds the top corners.
#include "base/WindowObject.h"
#include "hooking/cNCCalcSize.h"

#include <ole2.h>

namespace qel {
namespace {

constexpr int kCaption = 30, kBorder = 5, kButton = 18;
constexpr COLORREF kCaptionTop = RGB(64, 112, 196), kCaptionBottom = RGB(24, 56, 128);
constexpr COLORREF kInactiveTop = RGB(150, 160, 176), kInactiveBottom = RGB(112, 120, 136);
constexpr COLORREF kBorderLight = RGB(88, 132, 210), kBorderDark = RGB(16, 40, 96);

class SampleFrame final : public ComObject<SampleFrame, _Qel_SkinAreaMod> {
public:
    SampleFrame(HWND hwnd, cNCCalcSize* ncs) : hwnd_(hwnd), ncs_(ncs) {}

    STDMETHODIMP get_hwnd(LONG* r) override { return Set(r, HandleToLong(hwnd_)); }
    STDMETHODIMP GetTopMarginHeight(LONG* cy) override { return Set(cy, kCaption); }
    STDMETHODIMP GetLeftMarginWidth(LONG* cx) override { return Set(cx, kBorder); }
    STDMETHODIMP GetRightMarginWidth(LONG* cx) override { return Set(cx, kBorder - 2); }
    STDMETHODIMP GetBottomMarginHeight(LONG* cy) override { return Set(cy, kBorder - 1); }
    STDMETHODIMP NCPaint(LONG hdcValue, LONG, LONG, LONG r, LONG b) override {
        Paint(static_cast<HDC>(LongToHandle(hdcValue)), r, b);
        return S_OK;
    }
    STDMETHODIMP HitTest(LONG x, LONG y, ECNCHitTestConstants* code) override {
        if (PtInRect(&closeRect_, POINT{x, y}))
            *code = static_cast<ECNCHitTestConstants>(HTSYSMENU);
        return S_OK;
    }
    STDMETHODIMP NCMouseDown(LONG x, LONG y, VARIANT_BOOL* handled, LONG, LONG, LONG, LONG,
                             LONG) override {
        closePressed_ = PtInRect(&closeRect_, POINT{x, y}) != FALSE;
        if (closePressed_) *handled = VARIANT_TRUE;
        return S_OK;
    }
    STDMETHODIMP NCMouseUp(LONG x, LONG y, LONG, LONG, LONG, LONG, LONG) override {
        if (closePressed_ && PtInRect(&closeRect_, POINT{x, y}))
            ncs_->SysCommand(static_cast<ECNCSysCommandConstants>(SC_CLOSE));
        closePressed_ = false;
        return S_OK;
    }
    STDMETHODIMP InitMenuPopup(LONG, LONG) override { return S_OK; }
    STDMETHODIMP ExitMenuLoop() override { return S_OK; }
    STDMETHODIMP AltKeyAccelerator(LONG, LONG* r) override { return Set(r, 0); }
    STDMETHODIMP get_Method(LONG* r) override { return Set(r, ECNCModifyNonClientArea); }
    STDMETHODIMP get_CanSize(VARIANT_BOOL* r) override { return Set(r, VARIANT_TRUE); }
    STDMETHODIMP get_CanClose(VARIANT_BOOL* r) override { return Set(r, VARIANT_TRUE); }

private:
    template <class T, class V> static HRESULT Set(T* out, V value) {
        if (!out) return E_POINTER;
        *out = static_cast<T>(value);
        return S_OK;
    }

    static void Gradient(HDC dc, RECT r, COLORREF top, COLORREF bottom) {
        const int h = r.bottom - r.top;
        for (int y = 0; y < h; ++y) {
            auto mix = [&](int a, int b) { return a + (b - a) * y / (h > 1 ? h - 1 : 1); };
            UniqueBrush brush(CreateSolidBrush(RGB(mix(GetRValue(top), GetRValue(bottom)),
                                                   mix(GetGValue(top), GetGValue(bottom)),
                                                   mix(GetBValue(top), GetBValue(bottom)))));
            RECT line{r.left, r.top + y, r.right, r.top + y + 1};
            FillRect(dc, &line, brush.get());
        }
    }

    void Paint(HDC target, LONG w, LONG h) {
        const bool active = ncs_->IsWindowActive();
        MemorySurface s(target, w, h);
        HDC dc = s.dc();
        RECT all{0, 0, w, h};
        UniqueBrush light(CreateSolidBrush(active ? kBorderLight : kInactiveTop));
        UniqueBrush dark(CreateSolidBrush(active ? kBorderDark : kInactiveBottom));
        FillRect(dc, &all, light.get());
        FrameRect(dc, &all, dark.get());
        Gradient(dc, {1, 1, w - 1, kCaption}, active ? kCaptionTop : kInactiveTop,
                 active ? kCaptionBottom : kInactiveBottom);

        char title[256] = {};
        GetWindowTextA(hwnd_, title, sizeof title);
        UniqueFont font(CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                    CLEARTYPE_QUALITY, 0, "Tahoma"));
        Selection selected(dc, font.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT text{12, 0, w - kButton - 16, kCaption};
        DrawTextA(dc, title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);

        closeRect_ = {w - kButton - 8, (kCaption - kButton) / 2, w - 8,
                      (kCaption - kButton) / 2 + kButton};
        UniqueBrush red(CreateSolidBrush(active ? RGB(210, 60, 50) : RGB(160, 130, 130)));
        UniquePen white(CreatePen(PS_SOLID, 2, RGB(255, 255, 255)));
        Selection brush(dc, red.get()), pen(dc, GetStockObject(NULL_PEN));
        RoundRect(dc, closeRect_.left, closeRect_.top, closeRect_.right, closeRect_.bottom, 6, 6);
        Selection cross(dc, white.get());
        RECT c = closeRect_;
        InflateRect(&c, -5, -5);
        MoveToEx(dc, c.left, c.top, nullptr);
        LineTo(dc, c.right, c.bottom);
        MoveToEx(dc, c.right, c.top, nullptr);
        LineTo(dc, c.left, c.bottom);

        // Only the frame goes to the window: the client area is the window's own.
        const RECT parts[] = {{0, 0, w, kCaption},
                              {0, kCaption, kBorder, h},
                              {w - kBorder, kCaption, w, h},
                              {0, h - kBorder, w, h}};
        for (const RECT& p : parts)
            BitBlt(target, p.left, p.top, p.right - p.left, p.bottom - p.top, dc, p.left, p.top,
                   SRCCOPY);
    }

    HWND hwnd_;
    cNCCalcSize* ncs_; // the modifier outlives the window's frame painting
    RECT closeRect_{};
    bool closePressed_ = false;
};

LRESULT CALLBACK SampleProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        InflateRect(&r, -16, -16);
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc,
                  "This window's frame is measured, painted and hit-tested by the non-client "
                  "area modifier. Drag the caption, resize from any border (the window keeps "
                  "between 320 x 200 and 800 x 600 pixels), double-click the caption to "
                  "maximise, or close it with the red button.",
                  -1, &r, DT_WORDBREAK);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, w, l);
    }
}

int Run(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = SampleProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "QelFrameSample";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "Qel frame sample", WS_OVERLAPPEDWINDOW, 160,
                                120, 480, 320, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;

    auto ncs = cNCCalcSize::Create();
    auto frame = SampleFrame::Create(hwnd, ncs.get());
    ncs->Attach(frame.get());
    const double tpp = 1440.0 / 96; // twips per pixel at the usual 96 dpi
    ncs->SetFrmMimMax(static_cast<LONG>(320 * tpp), static_cast<LONG>(800 * tpp),
                      static_cast<LONG>(200 * tpp), static_cast<LONG>(600 * tpp));
    ncs->SetRndAngle(12, VARIANT_TRUE, VARIANT_FALSE);
    auto form = WindowObject::Create(hwnd);
    ncs->Display(form.get()); // the new client size brings WM_SIZE, which rounds the corners
    ShowWindow(hwnd, SW_SHOW);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

} // namespace
} // namespace qel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    int result = qel::Run(instance);
    OleUninitialize();
    return result;
}
