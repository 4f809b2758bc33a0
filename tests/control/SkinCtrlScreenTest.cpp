// The skin control putting skins on a visible host form and taking them off:
// pixels read back from the screen, the host's size, menu and colours, and the
// events that reach the host.
#include "base/PictureFile.h"
#include "control/Qel_SkinCtrl.h"
#include "sheet/win32/SheetPicture.h"
#include "sheet/SkinSheetReader.h"
#include "sheet/SkinSheetWriter.h"
#include "tests/control/SkinCtrlOnScreen.h"
#include "tests/sheet/SkinSamples.h"
#include "tests/control/TestHost.h"
#include "tests/support/Input.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

using test::ClientRectOf;
using test::PumpUntilIdle;
using test::TestHost;
using test::WindowPixel;
using test::WindowRectOf;

constexpr DISPID kFocusChange = 1, kResize = 2, kRePainting = 3, kSkinActive = 4;

int Count(const TestHost& host, DISPID id) {
    int n = 0;
    for (auto& e : host.events)
        n += e.first == id;
    return n;
}

bool LastBool(const TestHost& host, DISPID id) {
    for (auto it = host.events.rbegin(); it != host.events.rend(); ++it)
        if (it->first == id) return V_BOOL(&it->second[0]) != VARIANT_FALSE;
    return false;
}

COLORREF ToRgb(uint32_t bgr) {
    return static_cast<COLORREF>(bgr);
}

using test::SkinCtrlOnScreen;

TEST_F(SkinCtrlOnScreen, EachBuiltInSkinFramesTheFormAndTheClientAreaKeepsItsSize) {
    Place();
    HWND hwnd = host->Window();
    const RECT client = ClientRectOf(hwnd);
    for (int n = 1; n <= 6; ++n) {
        ASSERT_EQ(ctrl->ActivateSkin(n), S_OK);
        PumpUntilIdle();
        RECT now = ClientRectOf(hwnd);
        EXPECT_EQ(now.right, client.right) << n;
        EXPECT_EQ(now.bottom, client.bottom) << n;
        // The caption's left end is the sheet's active Top Left piece; a form
        // without a menu bar takes the plain band, which starts at row 44.
        ComPtr<IPictureDisp> custom;
        std::optional<SheetImage> sheet;
        {
            const std::string path = test::OutputPath("control/screen-sheet.bmp");
            std::wstring wide(path.begin(), path.end());
            BSTR b = SysAllocString(wide.c_str());
            ctrl->SaveSkinPicture(b);
            SysFreeString(b);
            sheet = SheetFromPicture(LoadPictureFile(path, kSheetPictureBound).get());
        }
        ASSERT_TRUE(sheet);
        EXPECT_EQ(WindowPixel(hwnd, 3, 10), ToRgb(sheet->Pixel(1 + 3, 44 + 10))) << n;
        test::SaveWindowShot("control_builtin_skin_" + std::to_string(n), hwnd);
    }
}

TEST_F(SkinCtrlOnScreen, DeactivationGivesTheFormItsFrameSizeMenuAndColoursBack) {
    Place({}, 0x00123456);
    HWND hwnd = host->Window();
    HMENU menu = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 100, "&Open");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    host->SetMenu(menu);
    host->AddControl(L"Command1", L"CommandButton", 0x00ABCDEF, 0x00010203);
    const RECT window = WindowRectOf(hwnd), client = ClientRectOf(hwnd);

    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    RECT r = WindowRectOf(hwnd);
    test::MouseMove((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PumpUntilIdle();
    EXPECT_EQ(GetMenu(hwnd), nullptr); // taken off the window: the bar is drawn in the caption
    EXPECT_NE(host->BackColor(), 0x00123456u);
    EXPECT_NE(host->Control(L"Command1").back, 0x00ABCDEFu);
    test::SaveWindowShot("control_with_menu", hwnd);

    ctrl->DeactivateSkin();
    PumpUntilIdle();
    EXPECT_EQ(GetMenu(hwnd), menu);
    RECT w = WindowRectOf(hwnd), c = ClientRectOf(hwnd);
    EXPECT_EQ(w.right - w.left, window.right - window.left);
    EXPECT_EQ(w.bottom - w.top, window.bottom - window.top);
    EXPECT_EQ(c.right, client.right);
    EXPECT_EQ(c.bottom, client.bottom);
    EXPECT_EQ(host->Control(L"Command1").back, 0x00ABCDEFu); // its own colours back
    EXPECT_EQ(host->Control(L"Command1").fore, 0x00010203u);
    VARIANT_BOOL active = VARIANT_TRUE;
    ctrl->IsSkinActive(&active);
    EXPECT_EQ(active, VARIANT_FALSE);
    EXPECT_EQ(Count(*host, kSkinActive), 2);
    EXPECT_FALSE(LastBool(*host, kSkinActive));
    test::SaveWindowShot("control_deactivated", hwnd);
}

TEST_F(SkinCtrlOnScreen, TheRenderersReportsReachTheHost) {
    Place();
    HWND hwnd = host->Window();
    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    EXPECT_GE(Count(*host, kRePainting), 1);
    const int resizes = Count(*host, kResize);
    SetWindowPos(hwnd, nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    EXPECT_GT(Count(*host, kResize), resizes);

    TestHost other(600, 400, 200, 120);
    PumpUntilIdle();
    EXPECT_FALSE(LastBool(*host, kFocusChange));
    SetForegroundWindow(hwnd);
    PumpUntilIdle();
    EXPECT_TRUE(LastBool(*host, kFocusChange));
}

// A sample skin whose active and in-active form colours differ.
ComPtr<IPictureDisp> TwoColourSkin(uint32_t active, uint32_t inactive, uint32_t text) {
    test::SampleSkin skin = test::BuiltInLikeSkin();
    skin.content.Colour(SheetColour::ActiveFormBack) = active;
    skin.content.Colour(SheetColour::InactiveFormBack) = inactive;
    skin.content.Colour(SheetColour::FormText) = text;
    return PictureFromSheet(ComposeSkinSheet(skin.content, skin.background));
}

TEST_F(SkinCtrlOnScreen, ControlsAreRecolouredByKindNameAndColour) {
    const OLE_COLOR form = 0x00404040;
    Place({}, form);
    ctrl->putref_SkinPicture(TwoColourSkin(0x00C0E0F0, 0x00A0A0A0, 0x00200000).get());
    host->AddControl(L"Label1", L"Label", 0x00111111, 0);
    host->AddControl(L"Picture1", L"PictureBox", 0x00222222, 0); // a colour of its own
    host->AddControl(L"Picture2", L"PictureBox", form, 0);       // the form's colour
    host->AddControl(L"Text1", L"TextBox", form, 0);
    host->AddControl(L"PanelLeft", L"PictureBox", 0x00333333, 0);
    host->AddControl(L"Command1", L"CommandButton", 0x00444444, 0, /*hasForeColor=*/false);
    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    const OLE_COLOR skinBack = host->BackColor();
    EXPECT_EQ(skinBack, 0x00C0E0F0u);
    EXPECT_EQ(host->Control(L"Label1").fore, 0x00200000u);
    EXPECT_EQ(host->Control(L"Label1").back, skinBack);
    EXPECT_EQ(host->Control(L"Picture1").back, 0x00222222u);
    EXPECT_EQ(host->Control(L"Picture2").back, skinBack);
    EXPECT_EQ(host->Control(L"Text1").back, form);
    EXPECT_EQ(host->Control(L"PanelLeft").back, 0x00333333u);
    EXPECT_EQ(host->Control(L"Command1").back, skinBack);

    // An in-active form takes the skin's in-active colours.
    TestHost other(600, 400, 200, 120);
    PumpUntilIdle();
    EXPECT_EQ(host->BackColor(), 0x00A0A0A0u);
    EXPECT_EQ(host->Control(L"Label1").back, 0x00A0A0A0u);
    EXPECT_EQ(host->Control(L"Picture2").back, 0x00A0A0A0u);

    ctrl->DeactivateSkin();
    PumpUntilIdle();
    EXPECT_EQ(host->BackColor(), form);
    EXPECT_EQ(host->Control(L"Label1").back, 0x00111111u);
    EXPECT_EQ(host->Control(L"Picture2").back, form);
    EXPECT_EQ(host->Control(L"Command1").back, 0x00444444u);
}

TEST_F(SkinCtrlOnScreen, WithoutControlColoursOnlyTheFormChangesColour) {
    const OLE_COLOR form = 0x00404040;
    Place({{L"ChangeControlColor", test::Long(0)}}, form);
    host->AddControl(L"Label1", L"Label", 0x00111111, 0);
    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    EXPECT_NE(host->BackColor(), form);
    EXPECT_EQ(host->Control(L"Label1").back, 0x00111111u);
}

TEST_F(SkinCtrlOnScreen, AlwaysOnTopKeepsTheSkinnedFormAboveOthers) {
    Place();
    HWND hwnd = host->Window();
    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    EXPECT_FALSE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ctrl->put_AlwaysOnTop(VARIANT_TRUE);
    EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ctrl->put_AlwaysOnTop(VARIANT_FALSE);
    EXPECT_FALSE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(SkinCtrlOnScreen, ACustomSkinWithRoundedCornersAndTheFormIcon) {
    Place();
    HWND hwnd = host->Window();
    host->SetFormIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)), false);

    test::SampleSkin skin = test::BuiltInLikeSkin();
    skin.content.Flag(SheetFlag::RoundTop) = true;
    skin.content.Flag(SheetFlag::RoundBottom) = true;
    skin.content.Flag(SheetFlag::DrawFormIcon) = true;
    skin.content.Value(SheetValue::RoundAngle) = 20;
    skin.content.Value(SheetValue::IconLeft) = 8;
    skin.content.Value(SheetValue::IconTop) = 6;
    ctrl->putref_SkinPicture(
        PictureFromSheet(ComposeSkinSheet(skin.content, skin.background)).get());
    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    VARIANT_BOOL allows = VARIANT_FALSE;
    ctrl->SkinAllowsIcon(&allows);
    EXPECT_EQ(allows, VARIANT_TRUE);
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(hwnd, region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
    test::SaveWindowShot("control_custom_rounded_icon", hwnd);
    ctrl->DeactivateSkin();
    EXPECT_EQ(GetWindowRgn(hwnd, region.get()), ERROR);
}

TEST_F(SkinCtrlOnScreen, AForeignPictureWhileActiveLeavesTheFormAsItWas) {
    Place();
    HWND hwnd = host->Window();
    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    const RECT window = WindowRectOf(hwnd);
    const OLE_COLOR back = host->BackColor();
    ctrl->putref_SkinPicture(PictureFromSheet(SheetImage(10000 / 100, 30, 0x00777777)).get());
    PumpUntilIdle();
    RECT now = WindowRectOf(hwnd);
    EXPECT_EQ(now.right - now.left, window.right - window.left);
    EXPECT_EQ(host->BackColor(), back);
    Skins skin;
    ctrl->get_Skin(&skin);
    EXPECT_EQ(skin, Light_Blue_Bubble);
}

TEST_F(SkinCtrlOnScreen, TheFormsOwnFrameIsMeasuredAgainAfterItsBorderChanges) {
    Place();
    HWND hwnd = host->Window();
    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    ctrl->DeactivateSkin();
    PumpUntilIdle();
    // A thinner border of its own, then on and off again.
    SetWindowLongPtrA(hwnd, GWL_STYLE,
                      (GetWindowLongPtrA(hwnd, GWL_STYLE) & ~WS_THICKFRAME) | WS_BORDER);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PumpUntilIdle();
    const RECT client = ClientRectOf(hwnd);
    ctrl->ActivateSkin(0);
    PumpUntilIdle();
    ctrl->DeactivateSkin();
    PumpUntilIdle();
    RECT after = ClientRectOf(hwnd);
    EXPECT_EQ(after.right, client.right);
    EXPECT_EQ(after.bottom, client.bottom);
}

TEST_F(SkinCtrlOnScreen, DeactivatingANeverActivatedControlOnlyAnnouncesIt) {
    Place();
    HWND hwnd = host->Window();
    const RECT window = WindowRectOf(hwnd);
    host->SetBackColor(0x00445566); // changed by the host since the control was loaded
    host->AddControl(L"Command1", L"CommandButton", 0x00ABCDEF, 0x00010203);
    ctrl->DeactivateSkin();
    RECT now = WindowRectOf(hwnd);
    EXPECT_EQ(now.right - now.left, window.right - window.left);
    EXPECT_EQ(host->BackColor(), 0x00445566u); // no skin, no colours to give back
    EXPECT_EQ(host->Control(L"Command1").back, 0x00ABCDEFu);
    EXPECT_EQ(Count(*host, kSkinActive), 1);
    EXPECT_FALSE(LastBool(*host, kSkinActive));
}

TEST_F(SkinCtrlOnScreen, ActivationsAndSwitchesLeaveNoObjectsBehind) {
    Place();
    for (int n = 1; n <= 6; ++n)
        ctrl->ActivateSkin(n); // each built-in sheet is loaded once
    ctrl->DeactivateSkin();
    PumpUntilIdle();
    const DWORD gdi = test::GdiObjectCount(), user = test::UserObjectCount();
    for (int i = 0; i < 50; ++i) {
        ctrl->ActivateSkin(1 + i % 6);
        ctrl->ActivateSkin(1 + (i + 3) % 6);
        ctrl->DeactivateSkin();
    }
    PumpUntilIdle();
    EXPECT_EQ(test::GdiObjectCount(), gdi);
    EXPECT_EQ(test::UserObjectCount(), user);
}

} // namespace
} // namespace qel

namespace qel {
namespace {

// The whole stack on a form with a menu: the control's skin, the renderer's
// caption with the menu bar in it, and the bar's popups.
TEST_F(SkinCtrlOnScreen, TheFormsMenuIsABarInTheSkinnedCaption) {
    Place();
    HWND hwnd = host->Window();
    UniqueMenu menu(CreateMenu());
    HMENU file = CreatePopupMenu(), edit = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 100, "&Open\tCtrl+O");
    AppendMenuA(file, MF_STRING | MF_CHECKED, 101, "&Save");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, 102, "E&xit");
    AppendMenuA(edit, MF_STRING, 200, "&Copy");
    AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    host->SetMenu(menu.get());
    ctrl->ActivateSkin(0);
    PumpUntilIdle();

    // The items are drawn in the menu colour of the sheet (skin 1: navy) on the
    // caption, below the title.
    int menuPixels = 0;
    for (int y = 20; y < 38; ++y)
        for (int x = 25; x < 90; ++x)
            menuPixels += WindowPixel(hwnd, x, y) == RGB(0, 0, 128);
    EXPECT_GT(menuPixels, 10);
    test::SaveWindowShot("control_menu_bar", hwnd);

    // A click on "File" opens its popup below the item; a click on "Open" sends the command.
    RECT w = WindowRectOf(hwnd);
    POINT fileItem{w.left + 36, w.top + 28};
    bool popupShot = false;
    test::WhileInput([&] {
        test::Click(fileItem.x, fileItem.y);
        test::WaitFor([] { return !test::OpenPopupMenus().empty(); });
        popupShot =
            !test::SaveScreenshot("control_menu_popup", {w.left, w.top, w.left + 300, w.top + 160})
                 .empty();
        test::Click(fileItem.x + 10, fileItem.y + 24); // the first item, just below the bar
    });
    EXPECT_TRUE(popupShot);
    EXPECT_EQ(host->commands, std::vector<WORD>{100});

    // Alt+E opens Edit; the letter of its item chooses it.
    host->commands.clear();
    SetForegroundWindow(hwnd);
    PumpUntilIdle();
    test::WhileInput([&] {
        test::KeyDown(VK_MENU);
        test::KeyDown('E');
        test::WaitFor([] { return !test::OpenPopupMenus().empty(); });
        test::KeyUp('E');
        test::KeyUp(VK_MENU);
        test::KeyChord({'C'});
    });
    EXPECT_EQ(host->commands, std::vector<WORD>{200});

    // Taken off, the skin leaves the menu as it was.
    ctrl->DeactivateSkin();
    PumpUntilIdle();
    EXPECT_EQ(GetMenu(hwnd), menu.get());
    char text[64] = {};
    GetMenuStringA(file, 100, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Open\tCtrl+O");
    EXPECT_EQ(GetMenuState(file, 101, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    host->SetMenu(nullptr); // the menu is the test's again
}

} // namespace
} // namespace qel
