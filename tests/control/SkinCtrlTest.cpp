// The skin control's properties, persistence, skin choice and cache file, on
// a hidden test host.
#include "base/LateBound.h"
#include "base/PictureFile.h"
#include "control/Qel_SkinCtrl.h"
#include "sheet/win32/SheetPicture.h"
#include "sheet/SkinSheetWriter.h"
#include "tests/sheet/SkinSamples.h"
#include "tests/control/TestHost.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <fstream>
#include <set>
#include <thread>

namespace qel {
namespace {

using test::TestHost;

// A skin sheet picture of a sample skin.
ComPtr<IPictureDisp> SamplePicture(uint32_t seed) {
    std::mt19937 rng(seed);
    test::SampleSkin skin = test::RandomSkin(rng, test::kBuiltInGeometry);
    return PictureFromSheet(ComposeSkinSheet(skin.content, skin.background));
}

// The control's current skin sheet, read back through SaveSkinPicture.
SheetImage CurrentSheet(Qel_SkinCtrl& ctrl, const std::string& name) {
    const std::string path = test::OutputPath("control/" + name + ".bmp");
    std::wstring wide(path.begin(), path.end());
    BSTR b = SysAllocString(wide.c_str());
    ctrl.SaveSkinPicture(b);
    SysFreeString(b);
    ComPtr<IPictureDisp> saved = LoadPictureFile(path, kSheetPictureBound);
    std::optional<SheetImage> sheet = SheetFromPicture(saved.get());
    return sheet ? *sheet : SheetImage();
}

// Built-in sheet n as the library's resources hold it.
SheetImage BuiltInSheet(int n) {
    const std::string name = "SKIN" + std::to_string(n);
    HRSRC found = FindResourceA(nullptr, name.c_str(), reinterpret_cast<LPCSTR>(RT_RCDATA));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    if (!loaded) return SheetImage();
    ComPtr<IPictureDisp> picture =
        LoadPictureBytes(LockResource(loaded), SizeofResource(nullptr, found), kSheetPictureBound);
    std::optional<SheetImage> sheet = SheetFromPicture(picture.get());
    return sheet ? *sheet : SheetImage();
}

int Count(const std::vector<std::pair<DISPID, std::vector<VARIANT>>>& events, DISPID id) {
    int n = 0;
    for (auto& e : events)
        n += e.first == id;
    return n;
}

std::map<std::wstring, VARIANT>
Stored(std::initializer_list<std::pair<const wchar_t*, VARIANT>> values) {
    std::map<std::wstring, VARIANT> bag;
    for (auto& [k, v] : values)
        bag[k] = v;
    return bag;
}

// Every test starts without a cache file for this thread.
class SkinCtrlProperties : public ::testing::Test {
protected:
    void SetUp() override { RemoveCache(); }
    void TearDown() override { RemoveCache(); }
    static std::string CacheFile() {
        char windows[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, MAX_PATH);
        return std::string(windows) + "\\Qel_Skins\\" + std::to_string(GetCurrentThreadId()) +
               ".skn";
    }
    static void RemoveCache() { DeleteFileA(CacheFile().c_str()); }
};

TEST_F(SkinCtrlProperties, ANewlyPlacedControlHasItsDefaultsAndStoresOnlyItsPicture) {
    TestHost host(0, 0, 300, 200, false);
    auto ctrl = Qel_SkinCtrl::Create();
    host.Place(ctrl->Unknown(), {}, /*initNew=*/true);
    Skins skin;
    ctrl->get_Skin(&skin);
    EXPECT_EQ(skin, Light_Blue_Bubble);
    VARIANT_BOOL b;
    ctrl->get_ChangeControlColor(&b);
    EXPECT_EQ(b, VARIANT_TRUE);
    ctrl->get_LoadSkinFromRegistry(&b);
    EXPECT_EQ(b, VARIANT_TRUE);
    ctrl->get_ShowIcon(&b);
    EXPECT_EQ(b, VARIANT_TRUE);
    ctrl->get_SaveSkinToRegistry(&b);
    EXPECT_EQ(b, VARIANT_FALSE);
    ctrl->get_AlwaysOnTop(&b);
    EXPECT_EQ(b, VARIANT_FALSE);
    LONG limit = -1;
    ctrl->get_FormMaxWidth(&limit);
    EXPECT_EQ(limit, 0);
    ctrl->IsSkinActive(&b);
    EXPECT_EQ(b, VARIANT_FALSE);
    ctrl->SkinAllowsIcon(&b);
    EXPECT_EQ(b, VARIANT_FALSE);

    auto bag = host.SaveBag();
    ASSERT_EQ(bag.size(), 1u);
    EXPECT_EQ(bag.begin()->first, L"SkinPicture");
    for (auto& [k, v] : bag)
        VariantClear(&v);
}

TEST_F(SkinCtrlProperties, StoredPropertiesReadBackAndOnlyChangedOnesAreWritten) {
    TestHost host(0, 0, 300, 200, false);
    auto ctrl = Qel_SkinCtrl::Create();
    host.Place(ctrl->Unknown(), Stored({{L"Skin", test::Long(3)},
                                        {L"FormMaxWidth", test::Long(9000)},
                                        {L"FormMinHeight", test::Long(2000)},
                                        {L"AlwaysOnTop", test::Long(-1)},
                                        {L"SaveSkinToRegistry", test::Long(-1)},
                                        {L"LoadSkinFromRegistry", test::Long(0)}}));
    Skins skin;
    ctrl->get_Skin(&skin);
    EXPECT_EQ(skin, Green_Bubble);
    LONG limit = 0;
    ctrl->get_FormMaxWidth(&limit);
    EXPECT_EQ(limit, 9000);
    ctrl->get_FormMinHeight(&limit);
    EXPECT_EQ(limit, 2000);
    // Stored without a custom picture, the control takes the first built-in sheet.
    ComPtr<IPictureDisp> custom;
    ctrl->get_SkinPicture(custom.put());
    EXPECT_TRUE(IsUsableSheet(custom.get()));

    auto bag = host.SaveBag();
    std::set<std::wstring> keys;
    for (auto& [k, v] : bag)
        keys.insert(k), VariantClear(&v);
    EXPECT_EQ(keys, (std::set<std::wstring>{L"SkinPicture", L"Skin", L"FormMaxWidth",
                                            L"FormMinHeight", L"AlwaysOnTop", L"SaveSkinToRegistry",
                                            L"LoadSkinFromRegistry"}));
}

TEST_F(SkinCtrlProperties, PropertyChangesNotifyTheContainer) {
    TestHost host(0, 0, 300, 200, false);
    auto ctrl = Qel_SkinCtrl::Create();
    host.Place(ctrl->Unknown(), {});
    host.notifications.clear();
    ctrl->put_FormMaxWidth(5000);
    ctrl->put_FormMinWidth(1000);
    ctrl->put_FormMaxHeight(5000);
    ctrl->put_FormMinHeight(1000);
    ctrl->put_ChangeControlColor(VARIANT_FALSE);
    ctrl->put_AlwaysOnTop(VARIANT_TRUE);
    ctrl->put_ShowIcon(VARIANT_FALSE);
    ctrl->put_ShowIcon(VARIANT_FALSE); // unchanged: no notification
    ctrl->put_Skin(Grey_Bubble);
    EXPECT_EQ(host.notifications,
              (std::vector<DISPID>{0x6803000A, 0x68030009, 0x68030008, 0x68030007, 0x6803000B,
                                   0x68030003, 0x68030000, 0x68030006}));
    // A custom picture notifies "SkinPicture" but not the skin number it changes.
    host.notifications.clear();
    ctrl->putref_SkinPicture(SamplePicture(1).get());
    EXPECT_EQ(host.notifications, std::vector<DISPID>{0x6803000C});
}

TEST_F(SkinCtrlProperties, LateBoundClientsFindEveryMemberUnderItsDispatchId) {
    auto ctrl = Qel_SkinCtrl::Create();
    ComPtr<IDispatch> d = ctrl.as<IDispatch>();
    const std::pair<const wchar_t*, DISPID> members[] = {{L"ActivateSkin", 0x60030018},
                                                         {L"DeactivateSkin", 0x6003001A},
                                                         {L"SkinPicture", 0x6803000C},
                                                         {L"ChangeControlColor", 0x6803000B},
                                                         {L"FormMaxWidth", 0x6803000A},
                                                         {L"FormMinWidth", 0x68030009},
                                                         {L"FormMaxHeight", 0x68030008},
                                                         {L"FormMinHeight", 0x68030007},
                                                         {L"Skin", 0x68030006},
                                                         {L"SaveSkinPicture", 0x60030027},
                                                         {L"SaveSkinToRegistry", 0x68030005},
                                                         {L"LoadSkinFromRegistry", 0x68030004},
                                                         {L"AlwaysOnTop", 0x68030003},
                                                         {L"ShowIcon", 0x68030000},
                                                         {L"SkinAllowsIcon", 0x6003002D},
                                                         {L"IsSkinActive", 0x6003002E}};
    for (auto [name, id] : members) {
        DISPID found = 0;
        LPOLESTR n = const_cast<LPOLESTR>(name);
        ASSERT_EQ(d->GetIDsOfNames(IID_NULL, &n, 1, 0, &found), S_OK) << name;
        EXPECT_EQ(found, id) << name;
    }
    // ActivateSkin's number is optional.
    EXPECT_TRUE(CallMethod(d.get(), L"ActivateSkin"));
    VARIANT r;
    ASSERT_TRUE(CallMethod(d.get(), L"IsSkinActive", {}, &r));
    EXPECT_EQ(V_VT(&r), VT_BOOL);
}

TEST_F(SkinCtrlProperties, SettingTheSameSkinChangesNothingAndANewOneIsAnnounced) {
    TestHost host(0, 0, 300, 200, false);
    auto ctrl = Qel_SkinCtrl::Create();
    host.Place(ctrl->Unknown(), {});
    ctrl->put_Skin(Light_Blue_Bubble);
    EXPECT_EQ(Count(host.events, 5), 0);
    ctrl->put_Skin(Purple_Bubble);
    ASSERT_EQ(Count(host.events, 5), 1);
    const VARIANT& picture = host.events.back().second[0];
    EXPECT_EQ(V_VT(&picture), VT_DISPATCH);
}

TEST_F(SkinCtrlProperties, ACustomPictureIsTakenOnceAndAForeignPictureIsRefused) {
    TestHost host(0, 0, 300, 200, false);
    auto ctrl = Qel_SkinCtrl::Create();
    host.Place(ctrl->Unknown(), Stored({{L"Skin", test::Long(4)}}));
    ComPtr<IPictureDisp> picture = SamplePicture(7);
    ctrl->putref_SkinPicture(picture.get());
    Skins skin;
    ctrl->get_Skin(&skin);
    EXPECT_EQ(skin, Custom_Skin);
    EXPECT_EQ(Count(host.events, 5), 1);
    ctrl->putref_SkinPicture(picture.get()); // the same picture while 99: nothing
    EXPECT_EQ(Count(host.events, 5), 1);

    // A picture that is no skin sheet (a plain gradient) leaves everything as it was.
    SheetImage plain(80, 60, 0x00336699);
    ctrl->put_Skin(Ruby_Red_Bubble);
    ctrl->putref_SkinPicture(PictureFromSheet(plain).get());
    ctrl->get_Skin(&skin);
    EXPECT_EQ(skin, Ruby_Red_Bubble);
    ComPtr<IPictureDisp> kept;
    ctrl->get_SkinPicture(kept.put());
    EXPECT_EQ(kept.get(), picture.get());
}

TEST_F(SkinCtrlProperties, TheCacheFileCarriesOneFormsSkinToTheNext) {
    TestHost first(0, 0, 300, 200, false);
    auto a = Qel_SkinCtrl::Create();
    first.Place(a->Unknown(), Stored({{L"SaveSkinToRegistry", test::Long(-1)},
                                      {L"LoadSkinFromRegistry", test::Long(0)}}));
    EXPECT_NE(GetFileAttributesA(CacheFile().c_str()), INVALID_FILE_ATTRIBUTES);
    a->ActivateSkin(Dark_Blue_Bubble); // written again at every change of picture
    a->DeactivateSkin();
    // A new number while the skin is off changes only the number: the file
    // keeps the picture shown last.
    a->put_Skin(Purple_Bubble);

    // A second form keeping the defaults starts from the file, whatever its own skin says.
    TestHost second(0, 0, 300, 200, false);
    auto b = Qel_SkinCtrl::Create();
    second.Place(b->Unknown(), Stored({{L"Skin", test::Long(3)}}));
    Skins skin;
    b->get_Skin(&skin);
    EXPECT_EQ(skin, Green_Bubble);
    EXPECT_EQ(CurrentSheet(*b, "from-cache"), BuiltInSheet(2));
}

TEST_F(SkinCtrlProperties, AnUnreadableCacheFileIsPassedOver) {
    { std::ofstream(CacheFile(), std::ios::binary) << "not a picture at all"; }
    TestHost host(0, 0, 300, 200, false);
    auto ctrl = Qel_SkinCtrl::Create();
    host.Place(ctrl->Unknown(), Stored({{L"Skin", test::Long(5)}}));
    EXPECT_EQ(CurrentSheet(*ctrl, "unreadable-cache"), BuiltInSheet(1)); // Picture1 as it was
}

TEST_F(SkinCtrlProperties, SavingTheSkinPictureWhereNoFolderIsWritesNothing) {
    auto ctrl = Qel_SkinCtrl::Create();
    BSTR path = SysAllocString(L"Z:\\no\\such\\folder\\skin.bmp");
    EXPECT_EQ(ctrl->SaveSkinPicture(path), S_OK);
    SysFreeString(path);
    EXPECT_EQ(GetFileAttributesA("Z:\\no\\such\\folder\\skin.bmp"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SkinCtrlProperties, EachBuiltInSkinIsAReadableSheetOfTheBuiltInSize) {
    for (int n = 1; n <= 6; ++n) {
        SheetImage sheet = BuiltInSheet(n);
        EXPECT_EQ(sheet.Width(), 145) << n;
        EXPECT_EQ(sheet.Height(), 162) << n;
    }
}

} // namespace
} // namespace qel

namespace qel {
namespace {

// ---- Design time ---------------------------------------------------------------

SIZEL Himetric(LONG twipsW, LONG twipsH) {
    return {static_cast<LONG>(twipsW * 2540 / 1440), static_cast<LONG>(twipsH * 2540 / 1440)};
}

TEST(SkinCtrlDesign, AResizedControlKeepsItsFaceAndOffersTheSizeMenu) {
    TestHost host(100, 100, 300, 200, /*visible=*/true, /*userMode=*/false);
    auto ctrl = Qel_SkinCtrl::Create();
    host.Place(ctrl->Unknown(), {});
    ctrl->put_FormMaxWidth(9000);
    ctrl->put_FormMinHeight(1000);
    host.notifications.clear();
    // Choose the first item ("Reset Min\Max to Zero") once the menu is up.
    std::thread keys([] {
        test::WaitFor([] { return !test::OpenPopupMenus().empty(); });
        test::KeyChord({VK_DOWN});
        test::KeyChord({VK_RETURN});
    });
    SIZEL bigger = Himetric(1200, 900);
    EXPECT_EQ(ctrl->SetExtent(DVASPECT_CONTENT, &bigger), E_FAIL);
    keys.join();
    SIZEL now{};
    ctrl->GetExtent(DVASPECT_CONTENT, &now);
    EXPECT_EQ(now.cx, 1111);
    EXPECT_EQ(now.cy, 953);
    LONG limit = -1;
    ctrl->get_FormMaxWidth(&limit);
    EXPECT_EQ(limit, 0);
    ctrl->get_FormMinHeight(&limit);
    EXPECT_EQ(limit, 0);
    EXPECT_EQ(host.notifications,
              (std::vector<DISPID>{0x68030008, 0x6803000A, 0x68030007, 0x68030009}));
}

TEST(SkinCtrlDesign, ANewlyPlacedControlSnapsBackWithoutAMenuAndRunTimeChangesNothing) {
    TestHost design(100, 100, 300, 200, false, /*userMode=*/false);
    auto placed = Qel_SkinCtrl::Create();
    design.Place(placed->Unknown(), {}, /*initNew=*/true);
    SIZEL bigger = Himetric(1200, 900);
    EXPECT_EQ(placed->SetExtent(DVASPECT_CONTENT, &bigger), E_FAIL); // returns at once
    SIZEL face = Himetric(630, 540);
    EXPECT_EQ(placed->SetExtent(DVASPECT_CONTENT, &face), S_OK);

    TestHost run(100, 100, 300, 200, false, /*userMode=*/true);
    auto running = Qel_SkinCtrl::Create();
    run.Place(running->Unknown(), {});
    EXPECT_EQ(running->SetExtent(DVASPECT_CONTENT, &bigger), S_OK);
    SIZEL now{};
    running->GetExtent(DVASPECT_CONTENT, &now);
    EXPECT_EQ(now.cx, bigger.cx);
}

// Draws the control through IViewObject into the host's client area at (x, y),
// w x h pixels, and reads the pixel back at a point of that rectangle.
COLORREF DrawnPixel(TestHost& host, IUnknown* control, RECT at, POINT read) {
    ComPtr<IViewObject> view;
    control->QueryInterface(IID_IViewObject, view.put_void());
    if (!view) return CLR_INVALID;
    WindowDC dc = WindowDC::Client(host.Window());
    RECT all;
    GetClientRect(host.Window(), &all);
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECTL bounds{at.left, at.top, at.right, at.bottom};
    view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.get(), &bounds, nullptr, nullptr,
               0);
    return GetPixel(dc.get(), at.left + read.x, at.top + read.y);
}

TEST(SkinCtrlDesign, AFormBeingDesignedShowsTheControlsFace) {
    TestHost design(100, 100, 300, 200, /*visible=*/true, /*userMode=*/false);
    auto ctrl = Qel_SkinCtrl::Create();
    design.Place(ctrl->Unknown(), {});
    test::PumpUntilIdle();
    const RECT face{10, 10, 52, 46}, twice{10, 10, 94, 82};
    EXPECT_EQ(DrawnPixel(design, ctrl->Unknown(), face, {12, 9}), RGB(0, 0, 128)); // caption
    EXPECT_EQ(DrawnPixel(design, ctrl->Unknown(), face, {20, 20}), RGB(255, 255, 255));
    EXPECT_EQ(DrawnPixel(design, ctrl->Unknown(), face, {2, 2}), RGB(192, 192, 192));
    EXPECT_EQ(DrawnPixel(design, ctrl->Unknown(), face, {41, 35}), RGB(0, 0, 0));
    EXPECT_EQ(DrawnPixel(design, ctrl->Unknown(), twice, {24, 18}), RGB(0, 0, 128));
    // At run time the control draws nothing.
    TestHost run(100, 100, 300, 200, /*visible=*/true, /*userMode=*/true);
    auto running = Qel_SkinCtrl::Create();
    run.Place(running->Unknown(), {});
    test::PumpUntilIdle();
    EXPECT_EQ(DrawnPixel(run, running->Unknown(), face, {12, 9}), RGB(0, 0, 0));
}

// ---- Bad pictures through the public interface ------------------------------------

TEST(SkinCtrlBadInput, PicturesThatAreNoSkinSheetsAreRefused) {
    TestHost host(0, 0, 300, 200, false);
    auto ctrl = Qel_SkinCtrl::Create();
    host.Place(ctrl->Unknown(), {});
    auto refused = [&](IPictureDisp* picture) {
        ctrl->putref_SkinPicture(picture);
        Skins skin;
        ctrl->get_Skin(&skin);
        return skin == Light_Blue_Bubble;
    };
    EXPECT_TRUE(refused(nullptr));
    EXPECT_TRUE(refused(PictureFromSheet(SheetImage(1, 1, 0)).get()));
    // 10000 x 10000 pixels (one bit each): refused by its size, before its pixels are read.
    {
        ComPtr<IPictureDisp> huge =
            PictureFromBitmap(UniqueBitmap(CreateBitmap(10000, 10000, 1, 1, nullptr)));
        ASSERT_TRUE(huge);
        EXPECT_TRUE(refused(huge.get()));
        std::string why;
        EXPECT_FALSE(IsUsableSheet(huge.get(), &why));
        EXPECT_EQ(why, "The picture is 10000 x 10000 pixels, larger than any skin sheet.");
    }
    // A sheet cut short: its value rows are missing.
    std::mt19937 rng(3);
    test::SampleSkin skin = test::RandomSkin(rng, test::kBuiltInGeometry);
    SheetImage sheet = ComposeSkinSheet(skin.content, skin.background);
    EXPECT_TRUE(refused(PictureFromSheet(sheet.Cut({0, 0, sheet.Width(), 100})).get()));
    // A file cut short does not load: its rows are not all there.
    const std::string path = test::OutputPath("control/truncated.bmp");
    ASSERT_TRUE(SavePictureFile(PictureFromSheet(sheet).get(), path));
    ASSERT_TRUE(LoadPictureFile(path, kSheetPictureBound));
    {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::ofstream(path, std::ios::binary) << bytes.substr(0, bytes.size() - 1000);
    }
    std::string error;
    EXPECT_FALSE(LoadPictureFile(path, kSheetPictureBound, &error));
    EXPECT_EQ(error, "Invalid picture: " + path);
    EXPECT_FALSE(refused(PictureFromSheet(sheet).get())); // the whole sheet is taken
}

} // namespace
} // namespace qel

namespace qel {
namespace {

// Where the Windows folder's cache folder cannot be made (here a file stands
// in its way), the cache lives in the user's local application data.
TEST(SkinCtrlCache, ACacheFolderThatCannotBeMadeMovesToLocalApplicationData) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string folder = std::string(windows) + "\\Qel_Skins";
    const std::string aside = folder + ".aside";
    const bool hadFolder = MoveFileA(folder.c_str(), aside.c_str()) != FALSE;
    { std::ofstream(folder) << "in the way"; }
    char local[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local);
    const std::string cache =
        std::string(local) + "\\Qel_Skins\\" + std::to_string(GetCurrentThreadId()) + ".skn";
    DeleteFileA(cache.c_str());
    {
        TestHost first(0, 0, 300, 200, false);
        auto a = Qel_SkinCtrl::Create();
        first.Place(a->Unknown(), Stored({{L"SaveSkinToRegistry", test::Long(-1)},
                                          {L"LoadSkinFromRegistry", test::Long(0)},
                                          {L"Skin", test::Long(6)}}));
        EXPECT_NE(GetFileAttributesA(cache.c_str()), INVALID_FILE_ATTRIBUTES);
        TestHost second(0, 0, 300, 200, false);
        auto b = Qel_SkinCtrl::Create();
        second.Place(b->Unknown(), {});
        EXPECT_EQ(CurrentSheet(*b, "from-local-cache"), BuiltInSheet(6));
    }
    DeleteFileA(cache.c_str());
    DeleteFileA(folder.c_str());
    if (hadFolder) MoveFileA(aside.c_str(), folder.c_str());
}

TEST(SkinCtrlHost, AControlOutlivingItsFormsWindowLeavesItAlone) {
    auto ctrl = Qel_SkinCtrl::Create();
    {
        TestHost host(0, 0, 300, 200, false);
        host.Place(ctrl->Unknown(), {});
        host.AddControl(L"Command1", L"CommandButton", 0x00ABCDEF, 0x00010203);
        ctrl->ActivateSkin(0);
        const OLE_COLOR skinned = host.BackColor(), control = host.Control(L"Command1").back;
        ASSERT_NE(skinned, 0x8000000Fu);
        DestroyWindow(host.Window());
        ctrl->DeactivateSkin(); // the window is gone: nothing is moved or recoloured
        EXPECT_EQ(host.BackColor(), skinned);
        EXPECT_EQ(host.Control(L"Command1").back, control);
        VARIANT_BOOL active = VARIANT_TRUE;
        ctrl->IsSkinActive(&active);
        EXPECT_EQ(active, VARIANT_FALSE);
    }
}

} // namespace
} // namespace qel
