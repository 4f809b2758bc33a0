// The renderer off screen: attachment, margins, hit testing, frames painted
// into device contexts of the test's own, events and release.
#include "base/WindowObject.h"
#include "hooking/KeyboardHook.h"
#include "hooking/cNCCalcSize.h"
#include "renderer/Qel_SkinClass.h"
#include "tests/renderer/SkinnedForm.h"
#include "tests/renderer/SyntheticSkin.h"
#include "tests/support/Handlers.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <atomic>
#include <thread>

namespace qel {
namespace {

using namespace test::skin;
using test::Canvas;
using test::PaintFrame;
using test::ProbeWindow;
using test::PumpUntilIdle;
using test::SkinnedForm;

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr RECT kAt{100, 100, 400, 300}; // 300 x 200
constexpr int kW = 300, kH = 200;

ECNCHitTestConstants Hit(Qel_SkinClass& r, int x, int y, int incoming = HTCLIENT) {
    auto code = static_cast<ECNCHitTestConstants>(incoming);
    static_cast<_Qel_SkinAreaMod&>(r).HitTest(x, y, &code);
    return code;
}

struct Margins {
    LONG left = -1, top = -1, right = -1, bottom = -1;
};
Margins MarginsOf(Qel_SkinClass& r) {
    Margins m;
    r.GetLeftMarginWidth(&m.left);
    r.GetTopMarginHeight(&m.top);
    r.GetRightMarginWidth(&m.right);
    r.GetBottomMarginHeight(&m.bottom);
    return m;
}

RECT ClientInWindow(HWND hwnd) {
    RECT w, c;
    GetWindowRect(hwnd, &w);
    GetClientRect(hwnd, &c);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
    OffsetRect(&c, -w.left, -w.top);
    return c;
}

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override { ProbeWindow::Reset(); }
    void TearDown() override {
        ProbeWindow::Reset();
        PumpUntilIdle();
    }
};

TEST_F(RendererTest, MarginsComeFromTheSkinAndShapeTheClientArea) {
    SkinnedForm sheet = SkinnedForm::Create(SheetConfig().get(), kAt);
    Margins m = MarginsOf(*sheet.renderer);
    EXPECT_EQ(m.top, kCaptionHeight);
    EXPECT_EQ(m.left, kSideBorder);
    EXPECT_EQ(m.right, kSideBorder - 1);
    EXPECT_EQ(m.bottom, kCellHeight - 1);
    // The modifier takes two more pixels off the right and one off the bottom.
    RECT client = ClientInWindow(sheet.hwnd);
    EXPECT_EQ(client.left, kSideBorder);
    EXPECT_EQ(client.top, kCaptionHeight);
    EXPECT_EQ(client.right, kW - (kSideBorder - 1) - 2);
    EXPECT_EQ(client.bottom, kH - (kCellHeight - 1) - 1);

    // Without border widths the border picture's height stands in.
    SkinnedForm plain = SkinnedForm::Create(PlainConfig().get(), kAt);
    m = MarginsOf(*plain.renderer);
    EXPECT_EQ(m.left, kCellHeight);
    EXPECT_EQ(m.right, kCellHeight - 1);
    EXPECT_EQ(m.bottom, kCellHeight - 1);
}

TEST_F(RendererTest, BeforeAnyAttachmentTheMembersChangeNothing) {
    auto r = Qel_SkinClass::Create();
    Margins m = MarginsOf(*r);
    EXPECT_EQ(m.left, -1);
    EXPECT_EQ(m.top, -1);
    EXPECT_EQ(m.right, -1);
    EXPECT_EQ(m.bottom, -1);
    EXPECT_EQ(Hit(*r, 10, 10, HTNOWHERE), HTNOWHERE);
    EXPECT_EQ(Hit(*r, 0, 0, HTNOWHERE), HTNOWHERE);
    LONG hwnd = -1, method = -1;
    r->get_hwnd(&hwnd);
    r->get_Method(&method);
    EXPECT_EQ(hwnd, 0);
    EXPECT_EQ(method, 0);
    EXPECT_EQ(r->Detach(), S_OK);
    EXPECT_EQ(r->InitMenuPopup(0, 0), S_OK);
    EXPECT_EQ(r->ExitMenuLoop(), S_OK);
    LONG swallowed = 1;
    r->AltKeyAccelerator('F', &swallowed);
    EXPECT_EQ(swallowed, 0);

    Canvas canvas(100, 60, kSentinel);
    RECT inner = PaintFrame(*r, canvas.dc(), {0, 0, 100, 60});
    EXPECT_EQ(canvas.At(50, 5), kSentinel);
    EXPECT_EQ(inner.top, 0);
}

TEST_F(RendererTest, HitTestsFindCaptionSizingZonesAndButtons) {
    SkinnedForm f = SkinnedForm::Create(SheetConfig().get(), kAt);
    Canvas canvas(kW, kH, kSentinel);
    PaintFrame(*f.renderer, canvas.dc(), {0, 0, kW, kH}); // lays the buttons out
    Qel_SkinClass& r = *f.renderer;

    // The caption runs from the top sizing zone to the caption's height.
    EXPECT_EQ(Hit(r, 150, 6), HTCAPTION);
    EXPECT_EQ(Hit(r, 150, kCaptionHeight), HTCAPTION);
    EXPECT_EQ(Hit(r, 150, kCaptionHeight + 1), HTCLIENT);
    // With border widths the left zone is 3 pixels wide and the right one 6.
    EXPECT_EQ(Hit(r, 2, 100), HTLEFT);
    EXPECT_EQ(Hit(r, 3, 100), HTCLIENT);
    EXPECT_EQ(Hit(r, kW - 5, 100), HTRIGHT);
    EXPECT_EQ(Hit(r, kW - 6, 100), HTCLIENT);
    EXPECT_EQ(Hit(r, 150, 5), HTTOP);
    EXPECT_EQ(Hit(r, 150, kH - 5), HTBOTTOM);
    EXPECT_EQ(Hit(r, 150, kH - 6), HTCLIENT);
    EXPECT_EQ(Hit(r, 1, 1), HTTOPLEFT);
    EXPECT_EQ(Hit(r, kW - 1, 1), HTTOPRIGHT);
    EXPECT_EQ(Hit(r, 1, kH - 1), HTBOTTOMLEFT);
    EXPECT_EQ(Hit(r, kW - 1, kH - 1), HTBOTTOMRIGHT);
    // Buttons from the right: close, maximise, minimise; right and bottom edges excluded.
    const int close = kW - kButtonRight - (kButtonWidth + 1);
    EXPECT_EQ(Hit(r, close, kButtonTop), HTSYSMENU);
    EXPECT_EQ(Hit(r, close + kButtonWidth, kButtonTop + kButtonHeight - 1), HTSYSMENU);
    EXPECT_EQ(Hit(r, close + kButtonWidth + 1, kButtonTop + 2), HTCAPTION);
    EXPECT_EQ(Hit(r, close, kButtonTop + kButtonHeight), HTCAPTION);
    const int maximise = close - (kButtonWidth + 1) - kButtonGap;
    EXPECT_EQ(Hit(r, maximise + 2, 10), HTSYSMENU);
    EXPECT_EQ(Hit(r, maximise + kButtonWidth + 1 - kButtonGap, 10), HTCAPTION);
    const int minimise = maximise - (kButtonWidth + 1) - kButtonGap;
    EXPECT_EQ(Hit(r, minimise + 2, 10), HTSYSMENU);
    // Where no rule applies the code stays.
    EXPECT_EQ(Hit(r, 150, 100, HTNOWHERE), HTNOWHERE);

    // Without a sizing frame every border is client, and the caption stays.
    SetWindowLongPtrA(f.hwnd, GWL_STYLE, GetWindowLongPtrA(f.hwnd, GWL_STYLE) & ~WS_THICKFRAME);
    EXPECT_EQ(Hit(r, 1, 100), HTCLIENT);
    EXPECT_EQ(Hit(r, 150, kH - 1), HTCLIENT);
    EXPECT_EQ(Hit(r, 150, 5), HTCAPTION);
    VARIANT_BOOL canSize = VARIANT_TRUE;
    r.get_CanSize(&canSize);
    EXPECT_EQ(canSize, VARIANT_FALSE);
}

TEST_F(RendererTest, WithoutBorderNumbersTheBorderPictureSetsTheZones) {
    SkinnedForm f = SkinnedForm::Create(PlainConfig().get(), kAt);
    Canvas canvas(kW, kH, kSentinel);
    PaintFrame(*f.renderer, canvas.dc(), {0, 0, kW, kH});
    Qel_SkinClass& r = *f.renderer;
    const int b = kCellHeight;
    EXPECT_EQ(Hit(r, b, 100), HTLEFT);
    EXPECT_EQ(Hit(r, b + 1, 100), HTCLIENT);
    EXPECT_EQ(Hit(r, kW - b, 100), HTRIGHT);
    EXPECT_EQ(Hit(r, 150, b), HTTOP);
    EXPECT_EQ(Hit(r, 150, b + 1), HTCAPTION);
    EXPECT_EQ(Hit(r, 150, kH - b), HTBOTTOM);
    // The built-in button place: from the right end piece, 5 pixels down; a
    // button wins over the sizing zones it lies in.
    const int rightEnd = kSetWidth - (kLeftPiece + kMiddlePiece - 1) + 1;
    const int close = (kW - rightEnd + 1) + rightEnd - b + 4 - (kButtonWidth + 1);
    EXPECT_EQ(Hit(r, close, 5), HTSYSMENU);
    EXPECT_EQ(Hit(r, close - 1, 10), HTCAPTION);
    EXPECT_EQ(Hit(r, close + 5, 5 + kButtonHeight - 1), HTSYSMENU);
    EXPECT_EQ(Hit(r, close + 5, 5 + kButtonHeight), HTCAPTION);
    EXPECT_EQ(Hit(r, close + kButtonWidth, 10), HTSYSMENU);
    EXPECT_EQ(Hit(r, close + kButtonWidth + 1, 10), HTRIGHT);

    // With in-active border cells the caption starts half a border down.
    auto config = PlainConfig();
    config->Settings().BorderHasInactiveVersion = VARIANT_TRUE;
    f.Attach(config.get());
    SetWindowLongPtrA(f.hwnd, GWL_STYLE, GetWindowLongPtrA(f.hwnd, GWL_STYLE) & ~WS_THICKFRAME);
    EXPECT_EQ(Hit(r, 150, b / 2), HTCAPTION);
    EXPECT_EQ(Hit(r, 150, b / 2 - 1), HTCLIENT);
}

TEST_F(RendererTest, PaintDrawsAtTheTargetsCoordinatesAndNowhereElse) {
    SkinnedForm f = SkinnedForm::Create(SheetConfig().get(), kAt);
    Canvas canvas(500, 400, kSentinel);
    const RECT target{50, 40, 50 + kW, 40 + kH};
    f.SetActiveLook(false);
    RECT inner = PaintFrame(*f.renderer, canvas.dc(), target);
    const int L = target.left, T = target.top;

    // A hidden window is in-active: the in-active pieces.
    EXPECT_EQ(canvas.At(L + 2, T + 20), kLeft[1]);
    EXPECT_EQ(canvas.At(L + 150, T + 2), kMiddle[1]);
    EXPECT_EQ(canvas.At(L + kW - 3, T + 2), kRight[1]);
    EXPECT_EQ(canvas.At(L + 2, T + 100), BorderCell(7));
    EXPECT_EQ(canvas.At(L + kW - 3, T + 100), BorderCell(13));
    EXPECT_EQ(canvas.At(L + 2, T + kH - 2), BorderCell(9));
    EXPECT_EQ(canvas.At(L + 150, T + kH - 2), BorderCell(10));
    EXPECT_EQ(canvas.At(L + kW - 2, T + kH - 2), BorderCell(12));
    // The icon at its offsets from the target's corner, scaled to 16 x 16.
    EXPECT_EQ(canvas.At(L + kIconLeft + 8, T + kIconTop + 8), kIcon);
    EXPECT_EQ(canvas.At(L + kIconLeft, T + kIconTop), kLeft[1]); // magenta is transparent
    // Nothing outside the target.
    for (int y = 0; y < 400; y += 7) {
        EXPECT_EQ(canvas.At(L - 1, y), kSentinel) << y;
        EXPECT_EQ(canvas.At(target.right, y), kSentinel) << y;
    }
    for (int x = 0; x < 500; x += 7) {
        EXPECT_EQ(canvas.At(x, T - 1), kSentinel) << x;
        EXPECT_EQ(canvas.At(x, target.bottom), kSentinel) << x;
    }
    // The inner rectangle, in the target's coordinates.
    EXPECT_EQ(inner.left, L + kSideBorder);
    EXPECT_EQ(inner.top, T + kCaptionHeight);
    EXPECT_EQ(inner.right, target.right - kSideBorder);
    EXPECT_EQ(inner.bottom, target.bottom - kCellHeight / 2);
    EXPECT_EQ(canvas.At(inner.left + 5, inner.top + 5), kSentinel);

    // A window of fixed size takes the fixed bottom corners.
    SetWindowLongPtrA(f.hwnd, GWL_STYLE, GetWindowLongPtrA(f.hwnd, GWL_STYLE) & ~WS_THICKFRAME);
    PaintFrame(*f.renderer, canvas.dc(), target);
    EXPECT_EQ(canvas.At(L + 2, T + kH - 2), BorderCell(8));
    EXPECT_EQ(canvas.At(L + kW - 2, T + kH - 2), BorderCell(11));
    SetWindowLongPtrA(f.hwnd, GWL_STYLE, GetWindowLongPtrA(f.hwnd, GWL_STYLE) | WS_THICKFRAME);

    // Surfaces only grow: a smaller frame after a larger one leaves no old
    // pixels outside its target.
    PaintFrame(*f.renderer, canvas.dc(), {0, 0, 450, 380});
    Canvas small(500, 400, kSentinel);
    PaintFrame(*f.renderer, small.dc(), {20, 20, 220, 120});
    EXPECT_EQ(small.At(230, 25), kSentinel);
    EXPECT_EQ(small.At(100, 130), kSentinel);
    EXPECT_EQ(small.At(218, 60), BorderCell(13));
}

TEST_F(RendererTest, PaintRefusesAMenuThatIsNeitherAHandleNorAPopupMenuObject) {
    SkinnedForm f = SkinnedForm::Create(SheetConfig().get(), kAt);
    Canvas canvas(kW, kH, kSentinel);
    LONG left = 0, top = 0, width = kW, height = kH;
    VARIANT menu;
    VariantInit(&menu);
    V_VT(&menu) = VT_I2;
    V_I2(&menu) = 0;
    EXPECT_EQ(f.renderer->Paint(canvas.Handle(), &left, &top, &width, &height, menu),
              static_cast<HRESULT>(0x80040619));
    ComPtr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, error.put()), S_OK);
    BSTR text = nullptr;
    error->GetDescription(&text);
    EXPECT_STREQ(text, L"Invalid Menu Parameter: must be hMenu or cPopupMenu object");
    SysFreeString(text);
    error->GetSource(&text);
    EXPECT_STREQ(text, L"Qel_SkinControl.Qel_SkinClass");
    SysFreeString(text);
    EXPECT_EQ(canvas.At(150, 5), kSentinel);
    EXPECT_EQ(width, kW);

    // Any other object is refused too; so is no menu at all.
    auto other = WindowObject::Create(f.hwnd);
    V_VT(&menu) = VT_DISPATCH;
    V_DISPATCH(&menu) = other.get();
    EXPECT_EQ(f.renderer->Paint(canvas.Handle(), &left, &top, &width, &height, menu),
              static_cast<HRESULT>(0x80040619));
    VariantInit(&menu);
    EXPECT_EQ(f.renderer->Paint(canvas.Handle(), &left, &top, &width, &height, menu),
              static_cast<HRESULT>(0x80040619));

    // Late-bound callers see the error as an exception with its text.
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Paint");
    ASSERT_EQ(f.renderer->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 0x6003001A);
    VARIANTARG args[6];
    for (auto& a : args)
        VariantInit(&a);
    V_VT(&args[0]) = VT_I2; // menu (arguments run last to first)
    LONG values[4] = {0, 0, kW, kH};
    for (int i = 0; i < 4; ++i) {
        V_VT(&args[4 - i]) = VT_I4 | VT_BYREF;
        V_I4REF(&args[4 - i]) = &values[i];
    }
    V_VT(&args[5]) = VT_I4;
    V_I4(&args[5]) = canvas.Handle();
    DISPPARAMS params{args, nullptr, 6, 0};
    EXCEPINFO excep{};
    EXPECT_EQ(
        f.renderer->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &excep, nullptr),
        DISP_E_EXCEPTION);
    EXPECT_EQ(excep.scode, static_cast<SCODE>(0x80040619));
    EXPECT_STREQ(excep.bstrDescription,
                 L"Invalid Menu Parameter: must be hMenu or cPopupMenu object");
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrHelpFile);

    // With a handle by reference it draws and answers the inner rectangle.
    V_VT(&args[0]) = VT_I4;
    V_I4(&args[0]) = 0;
    EXPECT_EQ(
        f.renderer->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
        S_OK);
    EXPECT_EQ(values[0], kSideBorder);
    EXPECT_EQ(values[1], kCaptionHeight);
    EXPECT_NE(canvas.At(150, 5), kSentinel);
}

TEST_F(RendererTest, NarrowAndShortFramesKeepTheirPiecesAndEnd) {
    SkinnedForm f = SkinnedForm::Create(SheetConfig().get(), kAt);
    const int r = kSetWidth - (kLeftPiece + kMiddlePiece - 1) + 1; // right end piece width
    // Narrower than twice the right end: the right end starts at its own width
    // and no title is drawn.
    SetWindowTextA(f.hwnd, "WWWWWWWWWWWWWWWWWWWW");
    f.SetActiveLook(false);
    Canvas canvas(2 * r + 40, 100, kSentinel);
    PaintFrame(*f.renderer, canvas.dc(), {0, 0, 2 * r - 2, 100});
    EXPECT_EQ(canvas.At(r, 2), kMiddle[1]);
    EXPECT_EQ(canvas.At(r + 1, 2), kRight[1]);
    EXPECT_EQ(canvas.At(2 * r - 2, 2), kSentinel);
    for (int x = kCaptionLeft; x < r; ++x)
        for (int y = kTitleTop; y < kTitleTop + 12; ++y)
            ASSERT_NE(canvas.At(x, y), kTitle[1]) << x << "," << y;

    // Tiny and empty frames, and frames shorter than the caption, end too.
    for (RECT target : {RECT{0, 0, 1, 1}, RECT{0, 0, 0, 0}, RECT{0, 0, 10, 3}, RECT{0, 0, 200, 12},
                        RECT{0, 0, -20, -20}, RECT{5, 5, 2, 2}}) {
        Canvas tiny(300, 100, kSentinel);
        PaintFrame(*f.renderer, tiny.dc(), target);
        EXPECT_EQ(tiny.At(250, 50), kSentinel);
    }
    Canvas shortFrame(200, 100, kSentinel);
    PaintFrame(*f.renderer, shortFrame.dc(), {0, 0, 200, 20});
    EXPECT_EQ(shortFrame.At(100, 2), kMiddle[1]);
    EXPECT_EQ(shortFrame.At(100, 25), kSentinel);
}

int CountColour(const Canvas& canvas, RECT r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += canvas.At(x, y) == colour;
    return n;
}

TEST_F(RendererTest, TheTitleShowsAmpersandsAndEndsBeforeTheRightEndPiece) {
    SkinnedForm f = SkinnedForm::Create(SheetConfig().get(), kAt);
    f.SetActiveLook(false);
    // No caption buttons over the title's end.
    SetWindowLongPtrA(f.hwnd, GWL_STYLE, WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME);
    const int right = kW - (kSetWidth - (kLeftPiece + kMiddlePiece - 1)); // the title's right edge
    const RECT caption{0, 0, kW, kCaptionHeight};
    auto titleInk = [&](const char* title, RECT where) {
        SetWindowTextA(f.hwnd, title);
        Canvas canvas(kW, kH, kSentinel);
        PaintFrame(*f.renderer, canvas.dc(), {0, 0, kW, kH});
        return CountColour(canvas, where, kTitle[1]);
    };
    EXPECT_GT(titleInk("&", caption), 0); // shown as it is, not taken as a prefix
    EXPECT_EQ(titleInk("", caption), 0);
    const std::string longTitle(200, 'W');
    EXPECT_GT(titleInk(longTitle.c_str(), {right - 12, 0, right, kCaptionHeight}), 0);
    EXPECT_EQ(titleInk(longTitle.c_str(), {right, 0, kW, kCaptionHeight}), 0);
}

TEST_F(RendererTest, ButtonsTheWindowStyleLacksTakeNoRoom) {
    SkinnedForm f = SkinnedForm::Create(SheetConfig().get(), kAt);
    f.SetActiveLook(true);
    const int close = kW - kButtonRight - (kButtonWidth + 1);
    const int step = kButtonWidth + 1 + kButtonGap;
    auto paint = [&] {
        Canvas canvas(kW, kH, kSentinel);
        PaintFrame(*f.renderer, canvas.dc(), {0, 0, kW, kH});
        return canvas.At(close - step + 2, kButtonTop + 2);
    };
    EXPECT_EQ(paint(), ButtonCell(kMaximiseColumn, kNormalRow));
    SetWindowLongPtrA(f.hwnd, GWL_STYLE, GetWindowLongPtrA(f.hwnd, GWL_STYLE) & ~WS_MAXIMIZEBOX);
    // The minimise button closes up to the close button.
    EXPECT_EQ(paint(), ButtonCell(kMinimiseColumn, kNormalRow));
    EXPECT_EQ(Hit(*f.renderer, close - 2 * step + 2, 10), HTCAPTION);
    SetWindowLongPtrA(f.hwnd, GWL_STYLE, GetWindowLongPtrA(f.hwnd, GWL_STYLE) & ~WS_MINIMIZEBOX);
    EXPECT_EQ(paint(), kMiddle[0]);
    EXPECT_EQ(Hit(*f.renderer, close - step + 2, 10), HTCAPTION);
    // Without a system menu there is no close button either.
    SetWindowLongPtrA(f.hwnd, GWL_STYLE, GetWindowLongPtrA(f.hwnd, GWL_STYLE) & ~WS_SYSMENU);
    paint();
    EXPECT_EQ(Hit(*f.renderer, close + 2, 10), HTCAPTION);
}

// A caption picture whose middle piece carries a marker column at its first
// drawn column, so that each tile of the middle shows where it starts.
ComPtr<IPictureDisp> MarkedCaption(COLORREF marker) {
    const int first = kLeftPiece + 2; // the tile starts one column after ActiveLeftEnd
    return test::FlatPicture(
        2 * kSetWidth, kCaptionHeight, 0,
        {{{0, 0, kLeftPiece, kCaptionHeight}, kLeft[0]},
         {{kLeftPiece, 0, kLeftPiece + kMiddlePiece, kCaptionHeight}, kMiddle[0]},
         {{kLeftPiece + kMiddlePiece, 0, kSetWidth, kCaptionHeight}, kRight[0]},
         {{first, 0, first + 1, kCaptionHeight}, marker},
         {{kSetWidth, 0, 2 * kSetWidth, kCaptionHeight}, kMiddle[1]},
         {{kSetWidth + first, 0, kSetWidth + first + 1, kCaptionHeight}, marker}});
}

TEST_F(RendererTest, TheMiddleIsTiledNotStretched) {
    const COLORREF marker = RGB(250, 250, 0);
    auto config = PlainConfig();
    config->Settings().Caption = MarkedCaption(marker);
    config->Settings().DrawTitle = VARIANT_FALSE;
    SkinnedForm f = SkinnedForm::Create(config.get(), kAt);
    f.SetActiveLook(true);
    const int start = kLeftPiece + 1;
    auto markers = [&](int period) {
        const SkinSettings& s = config->Settings();
        const int xR = kW - (s.ActiveRightEnd - s.ActiveRightStart);
        Canvas canvas(kW, kH, kSentinel);
        PaintFrame(*f.renderer, canvas.dc(), {0, 0, kW, kH});
        int found = 0;
        for (int x = start; x < xR; ++x) {
            const bool expected = (x - start) % period == 0;
            EXPECT_EQ(canvas.At(x, 20) == marker, expected) << x;
            found += expected;
        }
        return found;
    };
    EXPECT_GT(markers(kMiddlePiece - 2), 10);
    // A middle of no width is tiled in 16-pixel steps.
    config->Settings().ActiveRightStart = config->Settings().ActiveLeftEnd;
    f.Attach(config.get());
    EXPECT_GT(markers(16), 10);
}

TEST_F(RendererTest, AttachingWithoutBordersChangesNothing) {
    auto broken = SheetConfig();
    broken->Settings().Borders = nullptr;
    auto r = Qel_SkinClass::Create();
    UniqueWindow window = ProbeWindow::Create(0, 0, 200, 100);
    auto form = WindowObject::Create(window.get());
    EXPECT_EQ(r->Attach2(form.get(), broken.get()), S_OK);
    LONG hwnd = 1;
    r->get_hwnd(&hwnd);
    EXPECT_EQ(hwnd, 0);
    EXPECT_EQ(GetPropA(window.get(), kImplementationProp), nullptr);

    SkinnedForm f = SkinnedForm::Create(SheetConfig().get(), kAt);
    f.Attach(broken.get());
    f.renderer->get_hwnd(&hwnd);
    EXPECT_EQ(hwnd, HandleToLong(f.hwnd));
    EXPECT_EQ(MarginsOf(*f.renderer).left, kSideBorder);
    // A form without a window is refused in the same way.
    auto noWindow = WindowObject::Create(nullptr);
    EXPECT_EQ(f.renderer->Attach2(noWindow.get(), SheetConfig().get()), S_OK);
    f.renderer->get_hwnd(&hwnd);
    EXPECT_EQ(hwnd, HandleToLong(f.hwnd));
}

long Registrations(HWND hwnd) {
    return HandleToLong(GetPropA(hwnd, ("C" + std::to_string(HandleToLong(hwnd))).c_str()));
}

TEST_F(RendererTest, ASecondAttachmentReloadsTheSkinAndKeepsOrRenewsTheHelpers) {
    SkinnedForm f = SkinnedForm::Create(SheetConfig().get(), kAt);
    const long registered = Registrations(f.hwnd);
    EXPECT_GT(registered, 0);

    // Same window and method: the same helpers with the new pictures and numbers.
    auto other = SheetConfig();
    other->Settings().Borders = test::FlatPicture(14 * 4, 10, RGB(9, 9, 9));
    other->Settings().LeftBorderWidth = 0;
    f.Attach(other.get());
    EXPECT_EQ(Registrations(f.hwnd), registered);
    EXPECT_EQ(MarginsOf(*f.renderer).left, 10);
    Canvas canvas(kW, kH, kSentinel);
    PaintFrame(*f.renderer, canvas.dc(), {0, 0, kW, kH});
    EXPECT_EQ(canvas.At(1, 100), RGB(9, 9, 9));

    // Another method: detached first, attached anew with the client-area messages.
    other->Settings().Method = ECNCUseClientArea;
    f.Attach(other.get());
    LONG method = 0;
    f.renderer->get_Method(&method);
    EXPECT_EQ(method, ECNCUseClientArea);
    EXPECT_NE(Registrations(f.hwnd), registered);
    EXPECT_NE(GetPropA(f.hwnd, kImplementationProp), nullptr);

    // Another window: the first is let go.
    UniqueWindow second = ProbeWindow::Create(0, 0, 200, 100);
    auto form = WindowObject::Create(second.get());
    f.renderer->Attach2(form.get(), other.get());
    EXPECT_EQ(GetPropA(f.hwnd, kImplementationProp), nullptr);
    EXPECT_EQ(Registrations(f.hwnd), 0);
    EXPECT_NE(GetPropA(second.get(), kImplementationProp), nullptr);
    f.renderer->Detach();
    EXPECT_EQ(Registrations(second.get()), 0);
}

TEST_F(RendererTest, ReleasingWithoutDetachLetsTheWindowGoBackToItsOwnWays) {
    UniqueWindow window = ProbeWindow::Create(kAt.left, kAt.top, kW, kH);
    const HWND hwnd = window.get();
    const LONG_PTR ownProcedure = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    UniqueMenu bar(CreateMenu());
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 101, "&Open");
    AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
    SetMenu(hwnd, bar.get());
    {
        auto r = Qel_SkinClass::Create();
        auto form = WindowObject::Create(hwnd);
        r->Attach2(form.get(), SheetConfig().get());
        ShowWindow(hwnd, SW_SHOW);
        PumpUntilIdle();
        // The modifier takes the menu off the window while the skin is on.
        SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), HTCAPTION);
        EXPECT_EQ(GetMenu(hwnd), nullptr);
        EXPECT_TRUE(KeyboardHookInstalled());
    }
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), ownProcedure);
    EXPECT_EQ(GetPropA(hwnd, kImplementationProp), nullptr);
    EXPECT_EQ(Registrations(hwnd), 0);
    EXPECT_FALSE(KeyboardHookInstalled());
    EXPECT_EQ(GetMenu(hwnd), bar.get());
    // Messages that reached the skin now reach the window's own procedure only.
    ProbeWindow::counts.clear();
    for (UINT msg : {WM_NCPAINT, WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                     WM_NCLBUTTONUP, WM_SIZE, WM_NCACTIVATE, WM_MENUCHAR})
        SendMessageA(hwnd, msg, 0, 0);
    EXPECT_EQ(ProbeWindow::counts[WM_NCPAINT], 1);
    EXPECT_EQ(ProbeWindow::counts[WM_MOUSEMOVE], 1);
    SetMenu(hwnd, nullptr); // the menu is the test's again
}

TEST_F(RendererTest, AFormDetachedBeforeAnyPaintingGetsItsMenuBack) {
    UniqueWindow window = ProbeWindow::Create(kAt.left, kAt.top, kW, kH); // hidden: never painted
    const HWND hwnd = window.get();
    UniqueMenu bar(CreateMenu());
    AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&File");
    SetMenu(hwnd, bar.get());
    auto r = Qel_SkinClass::Create();
    auto form = WindowObject::Create(hwnd);
    r->Attach2(form.get(), SheetConfig().get());
    SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), HTCAPTION);
    EXPECT_EQ(GetMenu(hwnd), nullptr);
    r->Detach();
    EXPECT_EQ(GetMenu(hwnd), bar.get());
    // A window going away when the skin lets go of it (at its last message) is
    // not handed the menu, which the platform would destroy with the window.
    r->Attach2(form.get(), SheetConfig().get());
    SetMenu(hwnd, nullptr); // the menu is the test's again
    ProbeWindow::action = [&](HWND, UINT msg, WPARAM, LPARAM) {
        if (msg == WM_NCDESTROY) r->Detach();
    };
    window.reset();
    EXPECT_TRUE(IsMenu(bar.get()));
}

TEST_F(RendererTest, SkinConfigurationHandsBackTheRenderersCopies) {
    auto config = SheetConfig();
    SkinnedForm f = SkinnedForm::Create(config.get(), kAt);
    ComPtr<_Qel_SkinConfig> back;
    ASSERT_EQ(f.renderer->get_SkinConfiguration(back.put()), S_OK);
    LONG n = -1;
    VARIANT_BOOL flag = VARIANT_TRUE;
    back->get_ShowIcon(&flag);
    EXPECT_EQ(flag, VARIANT_FALSE); // not handed back
    OLE_COLOR colour = 1;
    back->get_TransparentColor(&colour);
    EXPECT_EQ(colour, 0u); // the renderer never had one
    back->get_IconLeft(&n);
    EXPECT_EQ(n, 0);
    back->get_CaptionLeft(&n);
    EXPECT_EQ(n, 0);
    back->get_TitleStartOffsetY(&n);
    EXPECT_EQ(n, kTitleTop);
    back->get_LeftBorderWidth(&n);
    EXPECT_EQ(n, kSideBorder);
    back->get_BorderHasInactiveVersion(&flag);
    EXPECT_EQ(flag, VARIANT_TRUE);
    SHORT gap = 0;
    back->get_ButtonGap(&gap);
    EXPECT_EQ(gap, kButtonGap);
    BSTR name = nullptr;
    back->get_Name(&name);
    EXPECT_STREQ(name, L"Synthetic");
    SysFreeString(name);
    // Pictures and fonts are the very objects the renderer holds.
    ComPtr<IPictureDisp> caption;
    back->get_Caption(caption.put());
    EXPECT_EQ(caption.get(), config->Settings().Caption.get());
    ComPtr<IFontDisp> font, rendererFont;
    back->get_MenuFont(font.put());
    f.renderer->get_MenuFont(rendererFont.put());
    EXPECT_EQ(font.get(), rendererFont.get());
}

TEST_F(RendererTest, TheNineArgumentAttachUsesTheRenderersOwnColoursAndNoButtons) {
    UniqueWindow window = ProbeWindow::Create(kAt.left, kAt.top, kW, kH);
    auto r = Qel_SkinClass::Create();
    r->put_InActiveCaptionColor(RGB(0, 0, 0));
    auto form = WindowObject::Create(window.get());
    ASSERT_EQ(r->Attach(form.get(), CaptionPicture().get(), BorderPicture().get(), kButtonWidth,
                        kButtonHeight, kLeftPiece + 1, kLeftPiece + kMiddlePiece - 1, kSetWidth,
                        kSetWidth),
              S_OK);
    EXPECT_EQ(MarginsOf(*r).top, kCaptionHeight);
    ComPtr<_Qel_SkinConfig> back;
    r->get_SkinConfiguration(back.put());
    OLE_COLOR colour = 1;
    back->get_InActiveCaptionColor(&colour);
    EXPECT_EQ(colour, RGB(0, 0, 0));
    ComPtr<IPictureDisp> buttons;
    back->get_Buttons(buttons.put());
    EXPECT_FALSE(buttons);
    SendMessageA(window.get(), WM_NCACTIVATE, FALSE, 0);
    Canvas canvas(kW, kH, kSentinel);
    PaintFrame(*r, canvas.dc(), {0, 0, kW, kH});
    EXPECT_EQ(canvas.At(kW - 10, 10), kRight[1]); // no button drawn over the caption
    r->Detach();
}

TEST_F(RendererTest, TheClientAreaMethodLeavesPaintingToTheHost) {
    auto config = SheetConfig();
    config->Settings().Method = ECNCUseClientArea;
    SkinnedForm f = SkinnedForm::Create(config.get(), kAt);
    test::EventRecorder events(f.renderer.get());
    Canvas canvas(kW, kH, kSentinel);
    f.renderer->NCPaint(canvas.Handle(), 0, 0, kW, kH);
    EXPECT_EQ(events.Count(kSkinRepaint), 1);
    EXPECT_EQ(canvas.At(150, 5), kSentinel);
    VARIANT_BOOL yes = VARIANT_FALSE;
    SetWindowLongPtrA(f.hwnd, GWL_STYLE, WS_POPUP);
    f.renderer->get_CanSize(&yes);
    EXPECT_EQ(yes, VARIANT_TRUE);
    f.renderer->get_CanClose(&yes);
    EXPECT_EQ(yes, VARIANT_TRUE);
}

TEST_F(RendererTest, ResizeAndRepaintReachTheOwner) {
    SkinnedForm f = SkinnedForm::Create(SheetConfig().get(), kAt);
    test::EventRecorder events(f.renderer.get());
    SetWindowPos(f.hwnd, nullptr, 0, 0, kW + 20, kH + 10, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(events.Count(kSkinResize), 1);
    ShowWindow(f.hwnd, SW_SHOW);
    PumpUntilIdle();
    const int before = events.Count(kSkinRepaint);
    SendMessageA(f.hwnd, WM_NCPAINT, 1, 0);
    EXPECT_EQ(events.Count(kSkinRepaint), before + 1);
}

// A window on a thread of its own that records the keys it receives.
class ForeignWindow {
public:
    ForeignWindow() {
        thread_ = std::thread([this] {
            threadId_ = GetCurrentThreadId();
            window_ = test::MakeWindow(600, 400, 200, 150, true);
            SetForegroundWindow(window_.get());
            ready_ = true;
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
                if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) ++keys_;
                DispatchMessageA(&msg);
            }
            window_.reset();
        });
        test::WaitFor([&] { return ready_.load(); });
    }
    ~ForeignWindow() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND hwnd() const { return window_.get(); }
    int keys() const { return keys_; }

private:
    std::thread thread_;
    DWORD threadId_ = 0;
    UniqueWindow window_;
    std::atomic<bool> ready_{false};
    std::atomic<int> keys_{0};
};

TEST_F(RendererTest, HiddenFormsSendTabOnlyToThisProgramAndForeignWindowsAreRefused) {
    int tabs = 0;
    ProbeWindow::action = [&](HWND, UINT msg, WPARAM w, LPARAM) {
        if (msg == WM_KEYDOWN && w == VK_TAB) ++tabs;
    };
    {
        UniqueWindow active = ProbeWindow::Create(50, 50, 200, 150, true);
        SetFocus(active.get());
        PumpUntilIdle();
        SkinnedForm hidden = SkinnedForm::Create(SheetConfig().get(), kAt);
        PumpUntilIdle();
        EXPECT_EQ(tabs, 1);
        // A visible form sends nothing.
        ShowWindow(hidden.hwnd, SW_SHOWNOACTIVATE);
        hidden.Attach(SheetConfig().get());
        PumpUntilIdle();
        EXPECT_EQ(tabs, 1);
    }
    ForeignWindow foreign;
    PumpUntilIdle();
    ASSERT_EQ(GetForegroundWindow(), foreign.hwnd());
    SkinnedForm hidden = SkinnedForm::Create(SheetConfig().get(), kAt);
    PumpUntilIdle();
    EXPECT_EQ(foreign.keys(), 0);

    // Another thread's window is not skinned from this one.
    auto renderer = Qel_SkinClass::Create();
    auto form = WindowObject::Create(foreign.hwnd());
    renderer->Attach2(form.get(), SheetConfig().get());
    LONG attached = 1;
    renderer->get_hwnd(&attached);
    EXPECT_EQ(attached, 0);
    EXPECT_EQ(GetPropA(foreign.hwnd(), kImplementationProp), nullptr);
}

} // namespace
} // namespace qel
