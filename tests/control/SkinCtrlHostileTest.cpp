// The skin control under hosts and pictures that do not play along: pictures
// that read but do not slice, pictures changed behind the control's back,
// handlers that re-enter or throw, unsigned colours, sinks that keep what they
// are given, and allocations that fail in the middle of an activation.
#include "base/PictureFile.h"
#include "control/Qel_SkinCtrl.h"
#include "sheet/win32/SheetPicture.h"
#include "sheet/SkinSheetWriter.h"
#include "tests/control/SkinCtrlOnScreen.h"
#include "tests/sheet/SkinSamples.h"
#include "tests/control/TestHost.h"
#include "tests/support/AllocationFaults.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <fstream>
#include <iterator>

namespace qel {
namespace {

using test::ClientRectOf;
using test::PumpUntilIdle;
using test::TestHost;
using test::WindowRectOf;

constexpr DISPID kFocusChange = 1, kResize = 2, kRePainting = 3, kSkinActive = 4, kSkinChanged = 5;

int Count(const TestHost& host, DISPID id) {
    int n = 0;
    for (auto& e : host.events)
        n += e.first == id;
    return n;
}

bool Active(Qel_SkinCtrl& ctrl) {
    VARIANT_BOOL on = VARIANT_FALSE;
    ctrl.IsSkinActive(&on);
    return on != VARIANT_FALSE;
}

Skins SkinOf(Qel_SkinCtrl& ctrl) {
    Skins skin;
    ctrl.get_Skin(&skin);
    return skin;
}

bool HasRegion(HWND hwnd) {
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(hwnd, region.get()) != ERROR;
}

SheetImage SheetOf(const test::SampleSkin& skin) {
    return ComposeSkinSheet(skin.content, skin.background);
}

// A rounded sample skin, so that a skin that is on shows in the window region.
test::SampleSkin RoundedSkin() {
    test::SampleSkin skin = test::BuiltInLikeSkin();
    skin.content.Flag(SheetFlag::RoundTop) = true;
    skin.content.Value(SheetValue::RoundAngle) = 12;
    return skin;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The host form has a colour of its own.
class SkinCtrlHostile : public test::SkinCtrlOnScreen {
protected:
    void Place(std::map<std::wstring, VARIANT> bag = {}, bool initNew = false) {
        SkinCtrlOnScreen::Place(std::move(bag), 0x00123456, initNew);
    }
};

// ---- Refusals change nothing -------------------------------------------------------

TEST_F(SkinCtrlHostile, PicturesThatReadButDoNotSliceAreRefusedEverywhere) {
    test::SampleSkin flat = test::BuiltInLikeSkin();
    SkinSheetGeometry g = flat.content.Geometry();
    g.plainBandHeight = 1; // reads, but leaves a form without a menu no caption
    std::mt19937 rng(11);
    test::SampleSkin oneRow = test::RandomSkin(rng, g);
    ComPtr<IPictureDisp> bad = PictureFromSheet(SheetOf(oneRow));
    ASSERT_TRUE(SheetFromPicture(bad.get()));

    // Stored with the form: passed over like a missing picture, and never cached.
    Place({{L"Skin", test::Long(Custom_Skin)},
           {L"SkinPicture", test::Object(bad.get())},
           {L"SaveSkinToRegistry", test::Long(-1)},
           {L"LoadSkinFromRegistry", test::Long(0)}});
    ComPtr<IPictureDisp> stored;
    ctrl->get_SkinPicture(stored.put());
    EXPECT_NE(stored.get(), bad.get());
    EXPECT_TRUE(IsUsableSheet(stored.get()));
    ComPtr<IPictureDisp> cached = LoadPictureFile(cache_, kSheetPictureBound);
    EXPECT_TRUE(IsUsableSheet(cached.get()));

    // Given through SkinPicture to a skin that is on: nothing changes.
    ctrl->putref_SkinPicture(PictureFromSheet(SheetOf(RoundedSkin())).get());
    ctrl->ActivateSkin(0);
    ASSERT_TRUE(Active(*ctrl));
    const std::string cacheBefore = FileBytes(cache_);
    const int changes = Count(*host, kSkinChanged);
    ctrl->putref_SkinPicture(bad.get());
    EXPECT_EQ(Count(*host, kSkinChanged), changes);
    EXPECT_EQ(FileBytes(cache_), cacheBefore);
    ctrl->get_SkinPicture(stored.put());
    EXPECT_NE(stored.get(), bad.get());
    EXPECT_TRUE(HasRegion(host->Window()));
}

// The host keeps the picture it gave and paints over it: the next activation
// finds no sheet and leaves the skin, the region, the colours and the cache alone.
TEST_F(SkinCtrlHostile, AnActivationThatFindsNoSheetChangesNothing) {
    Place({{L"SaveSkinToRegistry", test::Long(-1)}, {L"LoadSkinFromRegistry", test::Long(0)}});
    host->AddControl(L"Picture1", L"PictureBox", 0x00123456, 0);
    ComPtr<IPictureDisp> picture = PictureFromSheet(SheetOf(RoundedSkin()));
    ctrl->putref_SkinPicture(picture.get());
    ctrl->ActivateSkin(0);
    ASSERT_TRUE(HasRegion(host->Window()));
    const OLE_COLOR skinned = host->Control(L"Picture1").back;
    ASSERT_NE(skinned, 0x00123456u);
    const std::string cacheBefore = FileBytes(cache_);
    const int activations = Count(*host, kSkinActive);
    const RECT window = WindowRectOf(host->Window());
    {
        WindowDC screen = WindowDC::Client(nullptr);
        UniqueDC dc(CreateCompatibleDC(screen.get()));
        Selection sel(dc.get(), BitmapOfPicture(picture.get()));
        UniqueBrush grey(CreateSolidBrush(RGB(128, 128, 128)));
        RECT all{0, 0, 4000, 4000};
        FillRect(dc.get(), &all, grey.get());
    }
    EXPECT_EQ(ctrl->ActivateSkin(Custom_Skin), S_OK);
    EXPECT_EQ(Count(*host, kSkinActive), activations);
    EXPECT_TRUE(Active(*ctrl));
    EXPECT_TRUE(HasRegion(host->Window()));
    EXPECT_EQ(FileBytes(cache_), cacheBefore);
    RECT now = WindowRectOf(host->Window());
    EXPECT_EQ(now.right - now.left, window.right - window.left);
    ctrl->DeactivateSkin();
    EXPECT_EQ(host->Control(L"Picture1").back, 0x00123456u);
    EXPECT_EQ(host->BackColor(), 0x00123456u);
}

// ---- The host's colours ---------------------------------------------------------------

TEST_F(SkinCtrlHostile, TheHostsOwnColourComesBackHoweverTheControlStarted) {
    // Placed without stored properties (a script's CreateObject).
    Place({}, /*initNew=*/true);
    ctrl->ActivateSkin(0);
    EXPECT_NE(host->BackColor(), 0x00123456u);
    ctrl->DeactivateSkin();
    EXPECT_EQ(host->BackColor(), 0x00123456u);

    // A system colour that arrives unsigned is read and given back bit for bit.
    host = std::make_unique<TestHost>(150, 120, 360, 220);
    host->SetBackColor(0x8000000F);
    host->SetUnsignedBackColor(true);
    ctrl = Qel_SkinCtrl::Create();
    host->Place(ctrl->Unknown(), {});
    host->AddControl(L"Frame1", L"Frame", 0x8000000F, 0x80000012);
    ctrl->ActivateSkin(0);
    EXPECT_NE(host->Control(L"Frame1").back, 0x8000000Fu); // taken as the host's colour
    ctrl->DeactivateSkin();
    EXPECT_EQ(host->BackColor(), 0x8000000Fu);
    EXPECT_EQ(host->Control(L"Frame1").back, 0x8000000Fu);
    EXPECT_EQ(host->Control(L"Frame1").fore, 0x80000012u);
}

// ---- Sinks and handlers ----------------------------------------------------------------

TEST_F(SkinCtrlHostile, ASinkThatAssignsToSkinChangedsPictureFreesNothingOfTheControls) {
    Place();
    host->onEvent = [](DISPID id, DISPPARAMS& p) {
        if (id != kSkinChanged) return;
        IDispatch** picture = V_DISPATCHREF(&p.rgvarg[0]);
        if (*picture) (*picture)->Release(); // Set NewSkinPicture = Nothing
        *picture = nullptr;
    };
    ComPtr<IPictureDisp> picture = PictureFromSheet(SheetOf(RoundedSkin()));
    auto references = [&] {
        picture->AddRef();
        return picture->Release();
    };
    const ULONG before = references();
    ctrl->putref_SkinPicture(picture.get());
    EXPECT_EQ(Count(*host, kSkinChanged), 1);
    // The custom picture, the current one, and the copy the host's event log keeps.
    EXPECT_EQ(references(), before + 3);
}

// Handlers that take the skin off, or put it on again, while an activation runs.
TEST_F(SkinCtrlHostile, HandlersThatReEnterDuringAnActivationLeaveItConsistent) {
    for (DISPID during : {kRePainting, kFocusChange, kSkinActive}) {
        Place();
        const RECT window = WindowRectOf(host->Window()), client = ClientRectOf(host->Window());
        bool called = false;
        host->onEvent = [&](DISPID id, DISPPARAMS&) {
            if (id != during || called) return;
            called = true;
            ctrl->DeactivateSkin();
        };
        EXPECT_EQ(ctrl->ActivateSkin(0), S_OK) << during;
        PumpUntilIdle();
        EXPECT_TRUE(called) << during;
        EXPECT_FALSE(Active(*ctrl)) << during;
        EXPECT_EQ(V_BOOL(&host->events.back().second[0]), VARIANT_FALSE) << during;
        EXPECT_EQ(host->events.back().first, kSkinActive) << during;
        EXPECT_FALSE(HasRegion(host->Window())) << during;
        RECT now = WindowRectOf(host->Window());
        EXPECT_EQ(now.right - now.left, window.right - window.left) << during;
        EXPECT_EQ(ClientRectOf(host->Window()).bottom, client.bottom) << during;

        // Put on again from inside: one skin is on, the host framed once.
        called = false;
        host->onEvent = [&](DISPID id, DISPPARAMS&) {
            if (id != during || called) return;
            called = true;
            ctrl->ActivateSkin(3);
        };
        ctrl->ActivateSkin(2);
        PumpUntilIdle();
        EXPECT_TRUE(Active(*ctrl)) << during;
        EXPECT_EQ(SkinOf(*ctrl), Green_Bubble) << during;
        EXPECT_EQ(ClientRectOf(host->Window()).bottom, client.bottom) << during;
        host->onEvent = nullptr;
        ctrl->DeactivateSkin();
        now = WindowRectOf(host->Window());
        EXPECT_EQ(now.bottom - now.top, window.bottom - window.top) << during;
    }
    // A Resize handler that takes the skin off while a second activation moves the form.
    Place();
    ctrl->ActivateSkin(1);
    host->onEvent = [&](DISPID id, DISPPARAMS&) {
        if (id == kResize) ctrl->DeactivateSkin();
    };
    SetWindowPos(host->Window(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    ctrl->ActivateSkin(2);
    EXPECT_FALSE(Active(*ctrl));
}

// The host asks for the skin again while it is being taken off: refused.
TEST_F(SkinCtrlHostile, AnActivationAskedForDuringTheDeactivationIsRefused) {
    Place();
    const RECT window = WindowRectOf(host->Window());
    ctrl->ActivateSkin(2);
    HRESULT during = E_FAIL;
    host->onRefresh = [&] { during = ctrl->ActivateSkin(3); };
    ctrl->DeactivateSkin();
    host->onRefresh = nullptr;
    EXPECT_EQ(during, S_OK);
    EXPECT_FALSE(Active(*ctrl));
    EXPECT_EQ(SkinOf(*ctrl), Dark_Blue_Bubble);
    EXPECT_FALSE(HasRegion(host->Window()));
    const RECT now = WindowRectOf(host->Window());
    EXPECT_EQ(now.bottom - now.top, window.bottom - window.top);
}

TEST_F(SkinCtrlHostile, AHandlerThatThrowsStopsNothing) {
    Place();
    host->onEvent = [](DISPID, DISPPARAMS&) { throw std::runtime_error("host handler"); };
    EXPECT_EQ(ctrl->ActivateSkin(2), S_OK);
    EXPECT_TRUE(Active(*ctrl));
    EXPECT_EQ(ctrl->put_Skin(Grey_Bubble), S_OK);
    EXPECT_EQ(ctrl->DeactivateSkin(), S_OK);
    EXPECT_FALSE(Active(*ctrl));
}

// Hosts that enumerate the control's connection points and their sinks.
TEST_F(SkinCtrlHostile, ConnectionPointsAndConnectionsCanBeEnumerated) {
    Place();
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(ctrl->EnumConnectionPoints(points.put()), S_OK);
    IConnectionPoint* found[3] = {};
    ULONG n = 0;
    EXPECT_EQ(points->Next(3, found, &n), S_FALSE);
    ASSERT_EQ(n, 2u);
    std::vector<IID> iids;
    for (ULONG i = 0; i < n; ++i) {
        ComPtr<IConnectionPoint> point = ComPtr<IConnectionPoint>::Adopt(found[i]);
        IID iid{};
        point->GetConnectionInterface(&iid);
        iids.push_back(iid);
        // The host advised one sink on each: its cookie is the one that unadvises.
        ComPtr<IEnumConnections> connections;
        ASSERT_EQ(point->EnumConnections(connections.put()), S_OK);
        CONNECTDATA data[2] = {};
        ULONG got = 0;
        connections->Next(2, data, &got);
        ASSERT_EQ(got, 1u);
        ComPtr<IUnknown> sink = ComPtr<IUnknown>::Adopt(data[0].pUnk);
        EXPECT_TRUE(sink);
        ComPtr<IEnumConnections> copy;
        connections->Reset();
        ASSERT_EQ(connections->Clone(copy.put()), S_OK);
        EXPECT_EQ(copy->Skip(1), S_OK);
        EXPECT_EQ(copy->Skip(1), S_FALSE);
        if (iid == IID_IPropertyNotifySink) {
            EXPECT_EQ(point->Unadvise(data[0].dwCookie), S_OK);
            ctrl->put_FormMaxWidth(100);
            EXPECT_TRUE(host->notifications.empty());
        }
    }
    EXPECT_EQ(iids, (std::vector<IID>{DIID___Qel_SkinCtrl, IID_IPropertyNotifySink}));
}

// ---- The host's icon ---------------------------------------------------------------------

// A 32 x 32 icon of one colour, made by the host itself.
UniqueIcon SolidIcon(COLORREF colour) {
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap image(CreateCompatibleBitmap(screen.get(), 32, 32));
    UniqueBitmap mask(CreateBitmap(32, 32, 1, 1, nullptr));
    {
        UniqueDC dc(CreateCompatibleDC(screen.get()));
        RECT all{0, 0, 32, 32};
        Selection sel(dc.get(), image.get());
        UniqueBrush brush(CreateSolidBrush(colour));
        FillRect(dc.get(), &all, brush.get());
        Selection selMask(dc.get(), mask.get());
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), image.get()};
    return UniqueIcon(CreateIconIndirect(&info));
}

TEST_F(SkinCtrlHostile, TheHostsIconIsLookedAtAgainAtEachActivation) {
    Place();
    HWND hwnd = host->Window();
    UniqueIcon big = SolidIcon(RGB(255, 0, 0));
    host->SetFormIcon(big.get(), /*big=*/true);

    test::SampleSkin skin = test::BuiltInLikeSkin();
    skin.content.Flag(SheetFlag::DrawFormIcon) = true;
    skin.content.Flag(SheetFlag::ShiftCaption) = true;
    skin.content.Value(SheetValue::IconLeft) = 8;
    skin.content.Value(SheetValue::IconTop) = 6;
    ctrl->putref_SkinPicture(PictureFromSheet(SheetOf(skin)).get());
    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    EXPECT_EQ(test::WindowPixel(hwnd, 8 + 8, 6 + 8), RGB(255, 0, 0));

    // The host drops its icon: the caption has none, and shifts.
    host->SetFormIcon(nullptr, /*big=*/true);
    ctrl->ActivateSkin(0);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpUntilIdle();
    EXPECT_NE(test::WindowPixel(hwnd, 8 + 8, 6 + 8), RGB(255, 0, 0));
    ctrl->DeactivateSkin();
}

// ---- Failing allocations -------------------------------------------------------------------

// What a failed call must leave as it found it.
struct Seen {
    RECT window;
    OLE_COLOR back;
    bool active, region;
    Skins skin;
    bool operator==(const Seen& o) const {
        return EqualRect(&window, &o.window) && back == o.back && active == o.active &&
               region == o.region && skin == o.skin;
    }
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
    return out << "window " << s.window.left << "," << s.window.top << "," << s.window.right << ","
               << s.window.bottom << " back " << std::hex << s.back << std::dec << " active "
               << s.active << " region " << s.region << " skin " << s.skin;
}

// From a form without the skin and from one with another skin on.
TEST_F(SkinCtrlHostile, EachFailingAllocationOfAnActivationLeavesTheControlAsItWas) {
    Place();
    host->AddControl(L"Command1", L"CommandButton", 0x00ABCDEF, 0x00010203);
    HWND hwnd = host->Window();
    auto seen = [&] {
        return Seen{WindowRectOf(hwnd), host->BackColor(), Active(*ctrl), HasRegion(hwnd),
                    SkinOf(*ctrl)};
    };
    // Each built-in sheet is loaded once, and kept.
    ctrl->ActivateSkin(2);
    ctrl->ActivateSkin(1);
    ctrl->DeactivateSkin();
    for (bool fromActive : {false, true}) {
        if (fromActive) ctrl->ActivateSkin(Light_Blue_Bubble);
        PumpUntilIdle();
        const Seen start = seen();
        const OLE_COLOR command = host->Control(L"Command1").back;
        const DWORD gdi = test::GdiObjectCount(), user = test::UserObjectCount();
        int failures = 0;
        for (size_t n = 0;; ++n) {
            HRESULT hr;
            bool failed;
            {
                test::FailAllocation fail(n);
                hr = ctrl->ActivateSkin(Dark_Blue_Bubble);
                failed = fail.Failed();
            }
            if (!failed) {
                EXPECT_EQ(hr, S_OK);
                break;
            }
            ++failures;
            if (FAILED(hr)) {
                EXPECT_EQ(hr, E_OUTOFMEMORY) << n;
                EXPECT_EQ(seen(), start) << "allocation " << n << " from " << fromActive;
                EXPECT_EQ(host->Control(L"Command1").back, command) << n;
            } else {
                EXPECT_TRUE(Active(*ctrl)) << n; // the failure was answered inside
            }
            // Usable: on and back again, and nothing left behind.
            EXPECT_EQ(ctrl->ActivateSkin(Dark_Blue_Bubble), S_OK) << n;
            EXPECT_TRUE(Active(*ctrl)) << n;
            ctrl->DeactivateSkin();
            if (fromActive)
                ctrl->ActivateSkin(Light_Blue_Bubble);
            else
                ctrl->put_Skin(Light_Blue_Bubble);
            // The host's colour follows the window's activation, reported a little later.
            test::PumpUntil([&] { return seen() == start; }, 500);
            EXPECT_EQ(seen(), start) << n;
            EXPECT_EQ(test::GdiObjectCount(), gdi) << n;
            EXPECT_EQ(test::UserObjectCount(), user) << n;
            if (HasFailure()) return;
        }
        EXPECT_GT(failures, 20);
    }
}

} // namespace
} // namespace qel
