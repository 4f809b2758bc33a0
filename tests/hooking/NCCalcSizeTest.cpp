#include "base/WindowObject.h"
#include "hooking/GSubclass.h"
#include "hooking/KeyboardHook.h"
#include "hooking/MSubclass.h"
#include "hooking/Qel_SkinAreaMod.h"
#include "hooking/RoundRegion.h"
#include "hooking/cNCCalcSize.h"
#include "tests/hooking/Handlers.h"
#include "tests/support/AllocationFaults.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

using test::ProbeWindow;
using test::StubSkinArea;

// A hidden probe window with a modifier attached to a flat-coloured implementation.
class Modifier : public ::testing::Test {
protected:
    void SetUp() override {
        ProbeWindow::Reset();
        window = ProbeWindow::Create(100, 80, 300, 200);
        hwnd = window.get();
        impl = StubSkinArea::Create(hwnd);
        ncs = cNCCalcSize::Create();
    }
    void TearDown() override {
        ncs.reset();
        window.reset();
        ProbeWindow::Reset();
    }
    void Attach() {
        ncs->Attach(impl->Itf());
        auto form = WindowObject::Create(hwnd);
        ncs->Display(form.get());
    }
    LRESULT HitTestAt(int x, int y) {
        RECT w;
        GetWindowRect(hwnd, &w);
        return SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(w.left + x, w.top + y));
    }
    RECT ClientOnScreen() {
        RECT c;
        GetClientRect(hwnd, &c);
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
        return c;
    }

    UniqueWindow window;
    HWND hwnd = nullptr;
    ComPtr<StubSkinArea> impl;
    ComPtr<cNCCalcSize> ncs;
};

TEST_F(Modifier, TheClientAreaLiesInsideTheMarginsTheImplementationAsksFor) {
    Attach();
    RECT c = ClientOnScreen();
    // Display changes the frame without moving: the rectangle is where the window is.
    EXPECT_EQ(c.left, 100 + impl->left);
    EXPECT_EQ(c.top, 80 + impl->top);
    EXPECT_EQ(c.right, 100 + 300 - impl->right - 2);
    EXPECT_EQ(c.bottom, 80 + 200 - impl->bottom - 1);

    impl->top = 50;
    impl->left = 12;
    MoveWindow(hwnd, 40, 30, 400, 260, FALSE);
    c = ClientOnScreen();
    EXPECT_EQ(c.left, 40 + 12);
    EXPECT_EQ(c.top, 30 + 50);
    EXPECT_EQ(c.right - c.left, 400 - 12 - impl->right - 2);
}

TEST_F(Modifier, UnchangedMarginsGetTheSystemFrame) {
    impl->left = impl->top = impl->right = impl->bottom = -1;
    Attach();
    RECT c = ClientOnScreen();
    const int cxF = GetSystemMetrics(SM_CXFRAME), cyF = GetSystemMetrics(SM_CYFRAME);
    EXPECT_EQ(c.left, 100 + cxF);
    EXPECT_EQ(c.top, 80 + GetSystemMetrics(SM_CYCAPTION) + cyF);
    EXPECT_EQ(c.bottom, 80 + 200 - cyF - 1);
}

TEST_F(Modifier, ThePreviousProcedureRunsOnceForCalcSizeAndActivation) {
    Attach();
    ProbeWindow::counts.clear();
    RECT r{0, 0, 10, 10};
    SendMessageA(hwnd, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(ProbeWindow::counts[WM_NCCALCSIZE], 1);
    SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(ProbeWindow::counts[WM_NCACTIVATE], 1);
    VARIANT_BOOL active = VARIANT_FALSE;
    ncs->get_WindowActive(&active);
    EXPECT_EQ(active, VARIANT_TRUE);
}

TEST_F(Modifier, HitTestsFollowTheMarginsAndThePointOfTheMessage) {
    Attach();
    const int cyC = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(HitTestAt(2, 2), HTTOPLEFT);
    EXPECT_EQ(HitTestAt(2, 100), HTLEFT);
    EXPECT_EQ(HitTestAt(2, 197), HTBOTTOMLEFT);
    EXPECT_EQ(HitTestAt(297, 2), HTTOPRIGHT);
    EXPECT_EQ(HitTestAt(297, 100), HTRIGHT);
    EXPECT_EQ(HitTestAt(297, 197), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTestAt(150, 3), HTTOP);
    EXPECT_EQ(HitTestAt(150, 197), HTBOTTOM);
    EXPECT_EQ(HitTestAt(150, 15), HTCAPTION);
    EXPECT_EQ(HitTestAt(cyC, 15), HTSYSMENU);
    EXPECT_EQ(HitTestAt(150, 100), HTCLIENT);
    EXPECT_EQ(HitTestAt(500, 100), HTCLIENT); // outside the window
    EXPECT_EQ(impl->lastHitDefault, HTCLIENT);
}

TEST_F(Modifier, WithoutSizingTheBordersAreClient) {
    impl->canSize = false;
    Attach();
    EXPECT_EQ(HitTestAt(2, 100), HTCLIENT);
    EXPECT_EQ(HitTestAt(150, 3), HTCLIENT);
    EXPECT_EQ(HitTestAt(297, 197), HTCLIENT);
    EXPECT_EQ(HitTestAt(150, 15), HTCAPTION);
}

TEST_F(Modifier, TheImplementationHasTheLastWordAndAMenuIsReportedAsClient) {
    impl->hitTest = [](LONG x, LONG, ECNCHitTestConstants& code) {
        if (x > 200)
            code = static_cast<ECNCHitTestConstants>(HTMENU);
        else if (x > 100)
            code = static_cast<ECNCHitTestConstants>(HTMAXBUTTON);
    };
    Attach();
    EXPECT_EQ(HitTestAt(250, 15), HTCLIENT);
    EXPECT_EQ(HitTestAt(150, 15), HTMAXBUTTON);
    EXPECT_EQ(HitTestAt(50, 15), HTCAPTION);
}

TEST_F(Modifier, SizeLimitsAreAppliedInPixelsAndOnlyWhereSet) {
    Attach();
    MINMAXINFO info{};
    info.ptMinTrackSize = {1, 2};
    info.ptMaxTrackSize = {3, 4};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 1); // no limits: untouched
    EXPECT_EQ(info.ptMaxTrackSize.y, 4);

    const double tpp = 1440.0 / 96; // the test display's twips per pixel
    ncs->SetFrmMimMax(static_cast<LONG>(200 * tpp), 0, 0, static_cast<LONG>(300 * tpp + 7));
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 200);
    EXPECT_EQ(info.ptMinTrackSize.y, 2);
    EXPECT_EQ(info.ptMaxTrackSize.x, 3);
    EXPECT_EQ(info.ptMaxTrackSize.y, 300); // 300.47 pixels round to 300
}

TEST_F(Modifier, AttachingTwiceLeavesOneRegistrationOfEach) {
    Attach();
    Attach();
    const std::string h = std::to_string(HandleToLong(hwnd));
    EXPECT_EQ(GetPropA(hwnd, ("C" + h).c_str()), reinterpret_cast<HANDLE>(18));
    EXPECT_EQ(GetPropA(hwnd, (h + "#" + std::to_string(WM_NCPAINT) + "C").c_str()),
              reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(FindNCHookClient(ncs.get()), 1);
    ncs->Detach();
    EXPECT_EQ(FindNCHookClient(ncs.get()), 0);
}

TEST_F(Modifier, DetachRemovesTheImplementationAndTheSubclass) {
    WNDPROC own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    Attach();
    ComPtr<_Qel_SkinAreaMod> found;
    VARIANT_BOOL ok = VARIANT_FALSE;
    ncs->GetImplementation(found.put(), &ok);
    EXPECT_EQ(ok, VARIANT_TRUE);
    EXPECT_EQ(found.get(), impl->Itf());
    found.reset();

    ncs->Detach();
    EXPECT_EQ(GetPropA(hwnd, kImplementationProp), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)), own);
    ncs->GetImplementation(found.put(), &ok);
    EXPECT_EQ(ok, VARIANT_FALSE);
    EXPECT_FALSE(found);
    ncs->Detach(); // a second detach finds nothing to do
}

// The description of the thread's error information, taken.
std::wstring ErrorDescription() {
    ComPtr<IErrorInfo> info;
    BSTR text = nullptr;
    if (GetErrorInfo(0, info.put()) != S_OK || FAILED(info->GetDescription(&text))) return L"";
    std::wstring r = text ? text : L"";
    SysFreeString(text);
    return r;
}

// Each allocation of an attachment failing in turn: the call answers "out of
// memory" and leaves the window neither subclassed nor marked.
TEST_F(Modifier, AnAttachmentThatRunsOutOfMemoryLeavesTheWindowAlone) {
    WNDPROC own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    auto subclass = GSubclass::Create();
    auto handler = test::RecordingHandler::Create("h", nullptr, emrConsume);
    for (size_t n = 0;; ++n) {
        HRESULT attached, single;
        bool failed;
        {
            test::FailAllocation fail(n);
            attached = ncs->Attach(impl->Itf());
            failed = fail.Failed();
        }
        if (!failed) {
            EXPECT_EQ(attached, S_OK);
            break;
        }
        EXPECT_EQ(attached, E_OUTOFMEMORY) << n;
        EXPECT_EQ(ErrorDescription(), L"Out of memory") << n;
        EXPECT_EQ(GetPropA(hwnd, kImplementationProp), nullptr) << n;
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)), own) << n;
        {
            test::FailAllocation fail(n);
            single = subclass->AttachMessage(handler->Itf(), HandleToLong(hwnd), WM_USER + 1);
            failed = fail.Failed();
        }
        if (failed) {
            EXPECT_EQ(single, E_OUTOFMEMORY) << n;
        }
        subclass->DetachMessage(handler->Itf(), HandleToLong(hwnd), WM_USER + 1);
    }
    ncs->Detach();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)), own);
}

TEST_F(Modifier, ReleasingTheModifierDetachesIt) {
    Attach();
    EXPECT_TRUE(KeyboardHookInstalled());
    ncs.reset();
    EXPECT_EQ(GetPropA(hwnd, kImplementationProp), nullptr);
    EXPECT_NE(GetWindowLongPtrA(hwnd, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&SubclassWindowProc));
    EXPECT_FALSE(KeyboardHookInstalled());
}

TEST_F(Modifier, DestroyingTheWindowDetaches) {
    Attach();
    window.reset();
    LONG menu = -1;
    ncs->get_hMenu(&menu);
    EXPECT_EQ(menu, 0);
    EXPECT_FALSE(KeyboardHookInstalled());
    EXPECT_EQ(ncs->Window(), nullptr);
}

TEST_F(Modifier, EventsReachTheOwner) {
    int resized = 0, repainted = 0, statuses = 0;
    bool lastStatus = false;
    EventConnection events(ncs->Unknown(), DIID___cNCCalcSize, [&](DISPID id, DISPPARAMS& p) {
        if (id == kNCResize) ++resized;
        if (id == kNCRepaint) ++repainted;
        if (id == kNCActiveStatus) {
            ++statuses;
            lastStatus = *ByRefBoolArg(p, 0) != VARIANT_FALSE;
        }
    });
    Attach();
    ShowWindow(hwnd, SW_SHOWNA);
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    EXPECT_GE(repainted, 1);
    MoveWindow(hwnd, 100, 80, 310, 210, TRUE);
    EXPECT_GE(resized, 1);
    SendMessageA(hwnd, WM_NCACTIVATE, FALSE, 0);
    EXPECT_GE(statuses, 1);
    EXPECT_FALSE(lastStatus);
}

TEST_F(Modifier, AHandlerCanChangeTheActiveFlagThroughTheEvent) {
    EventConnection events(ncs->Unknown(), DIID___cNCCalcSize, [&](DISPID id, DISPPARAMS& p) {
        if (id == kNCActiveStatus) *ByRefBoolArg(p, 0) = VARIANT_FALSE;
    });
    Attach();
    SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
    VARIANT_BOOL active = VARIANT_TRUE;
    ncs->get_WindowActive(&active);
    EXPECT_EQ(active, VARIANT_FALSE);
}

TEST_F(Modifier, ClientAreaMethodPassesHitTestsAndActivationOnly) {
    impl->method = ECNCUseClientArea;
    RECT before;
    GetClientRect(hwnd, &before);
    Attach();
    RECT after;
    GetClientRect(hwnd, &after);
    EXPECT_EQ(after.right, before.right); // the window keeps its own frame
    const std::string h = std::to_string(HandleToLong(hwnd));
    EXPECT_EQ(GetPropA(hwnd, ("C" + h).c_str()), reinterpret_cast<HANDLE>(5));
    const int paints = impl->paints;
    SendMessageA(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(impl->paints, paints + 1);
    EXPECT_EQ(impl->lastPaintRect.right, 0);
    RECT w;
    GetWindowRect(hwnd, &w);
    SendMessageA(hwnd, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(w.left + 20, w.top + 5));
    ASSERT_EQ(impl->mouseUps.size(), 1u);
    EXPECT_EQ(impl->mouseUps[0].x, 20);
}

TEST_F(Modifier, AMaximisedMdiChildKeepsTheSystemFrame) {
    UniqueWindow frame = test::ProbeWindow::Create(0, 0, 600, 400);
    CLIENTCREATESTRUCT ccs{};
    HWND client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 500, 300,
                                  frame.get(), nullptr, GetModuleHandleA(nullptr), &ccs);
    ASSERT_TRUE(client);
    static ATOM childClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefMDIChildProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QelMdiChild";
        return RegisterClassA(&wc);
    }();
    (void)childClass;
    HWND child = CreateMDIWindowA("QelMdiChild", "child", WS_MAXIMIZE, 0, 0, 200, 150, client,
                                  GetModuleHandleA(nullptr), 0);
    ASSERT_TRUE(child);
    auto childImpl = StubSkinArea::Create(child);
    auto childNcs = cNCCalcSize::Create();
    childNcs->Attach(childImpl->Itf());
    auto form = WindowObject::Create(child);
    childNcs->Display(form.get());
    RECT c;
    GetClientRect(child, &c);
    RECT w;
    GetWindowRect(child, &w);
    // The system frame margins, not the implementation's 30-pixel caption.
    EXPECT_EQ((w.bottom - w.top) - c.bottom,
              GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME) + 1);
    childImpl->paints = 0;
    SendMessageA(child, WM_NCPAINT, 1, 0);
    EXPECT_EQ(childImpl->paints, 0);
    childNcs.reset();
}

TEST(RoundRegion, CornersAreRoundedWhereAskedAndSquareElsewhere) {
    UniqueWindow window = ProbeWindow::Create(0, 0, 200, 100);
    HWND hwnd = window.get();
    SetFormRoundRegion(hwnd, 10, true, false);
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(hwnd, region.get()), ERROR);
    // The same pixels as the rounded rectangle (0, 0, 201, 121).
    UniqueRegion expected(CreateRoundRectRgn(0, 0, 201, 121, 10, 10));
    int differing = 0;
    for (int y = -2; y < 125; ++y)
        for (int x = -2; x < 205; ++x)
            differing += PtInRegion(region.get(), x, y) != PtInRegion(expected.get(), x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.get(), 0, 99));

    SetFormRoundRegion(hwnd, 10, false, true);
    GetWindowRgn(hwnd, region.get());
    EXPECT_TRUE(PtInRegion(region.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.get(), 0, 99));

    SetFormRoundRegion(hwnd, -3, true, true); // a negative angle is no rounding
    EXPECT_EQ(GetWindowRgn(hwnd, region.get()), ERROR);
    SetFormRoundRegion(hwnd, 10, false, false);
    EXPECT_EQ(GetWindowRgn(hwnd, region.get()), ERROR);
}

TEST_F(Modifier, ResizingReappliesTheRoundingOrNone) {
    Attach();
    ncs->SetRndAngle(12, VARIANT_TRUE, VARIANT_TRUE);
    MoveWindow(hwnd, 100, 80, 320, 220, FALSE);
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(hwnd, region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 219));
    EXPECT_TRUE(PtInRegion(region.get(), 160, 219));

    // Angle 0: a resize neither removes nor applies a region; the 320 x 220 one stays.
    ncs->SetRndAngle(0, VARIANT_TRUE, VARIANT_TRUE);
    MoveWindow(hwnd, 100, 80, 300, 200, FALSE);
    ASSERT_NE(GetWindowRgn(hwnd, region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 219));
    EXPECT_TRUE(PtInRegion(region.get(), 160, 219));
}

TEST(SkinAreaInterface, TheInterfacesOwnObjectDoesNothing) {
    auto obj = Qel_SkinAreaModObject::Create();
    LONG v = 5;
    obj->get_hwnd(&v);
    EXPECT_EQ(v, 0);
    LONG cy = 17;
    obj->GetTopMarginHeight(&cy);
    EXPECT_EQ(cy, 17);
    VARIANT_BOOL b = VARIANT_TRUE;
    obj->get_CanSize(&b);
    EXPECT_EQ(b, VARIANT_FALSE);
    obj->AltKeyAccelerator('F', &v);
    EXPECT_EQ(v, 0);
}

} // namespace
} // namespace qel
