// The live previews on the creator's main window: DoBorders composing the
// four real preview forms (pixels read back from their surfaces and from the
// screen, their regions and controls), the caption-button pickers on the
// "Buttons" page, and clearing the skin. Dialogs are answered through the
// forms layer's seam; screenshots of the previews of a built-in sheet are saved.
#include "base/PictureFile.h"
#include "base/Rounding.h"
#include "creator/shell/ButtonGraphics.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/LivePreviewFrm.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Menu.h"
#include "forms/PictureBox.h"
#include "forms/Settings.h"
#include "forms/TextBox.h"
#include "tests/creator/CreatorMainFixture.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"

#include <gtest/gtest.h>
#include <chrono>
#include <fstream>

namespace qel::creator {
namespace {

using namespace forms;
using forms::test::MessageBoxes;
using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;
using qel::test::WhileInput;

constexpr COLORREF kRed = 0x000000FF, kGreen = 0x0000FF00, kBlue = 0x00FF0000, kYellow = 0x0000FFFF,
                   kBack = 0x00E0E0E0, kMagenta = 0x00FF00FF;

// Answers the open dialogs with `path`, recording their folders, titles and filters.
struct OpenDialogs {
    std::string path;
    std::vector<std::string> initDirs, titles, filters;
    CommonDialogSeam seam{[this](DialogKind, const CommonDialog& dialog) {
        initDirs.push_back(dialog.InitDir());
        titles.push_back(dialog.DialogTitle());
        filters.push_back(dialog.Filter());
        return CommonDialog::Answer{path, {}};
    }};
};

RECT BoxOf(HRGN region) {
    RECT box{};
    GetRgnBox(region, &box);
    return box;
}

// The region of a window, or null when it has none.
UniqueRegion RegionOf(HWND hwnd) {
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(hwnd, region.get()) == ERROR) region.reset();
    return region;
}

class Previews : public CreatorMainFixture {
protected:
    LivePreviewFrm& Frm(int v) { return *main->Frm[v]; }
    // Gives piece `p` of variant `v` a picture of one colour and flags it.
    void Flag(Piece p, int v, const SheetImage& picture) {
        main->Document.PieceBox(p, v).Load(picture);
        main->Document.ItemData(v, p) = kHasGraphic;
    }
    // The colour on the form's persistent surface, and on the screen.
    COLORREF Surface(int v, int x, int y) { return GetPixel(Frm(v).hDC(), x, y); }
    COLORREF OnScreen(int v, int x, int y) {
        const POINT p = forms::test::ClientPoint(Frm(v).hWnd(), x, y);
        return qel::test::ScreenPixel(p.x, p.y);
    }
    void SetField(Field n, const std::string& text) { main->Text[n]->Text(text); }
    void ClickCheck(Option n) {
        WhileInput([&] { forms::test::ClickOn(main->Check[n]->hWnd()); });
    }
};

// Picture1 to Picture4 show the previews of these variants.
constexpr int kBoxVariant[4] = {1, 3, 2, 4};

SheetImage Solid(int w, int h, COLORREF colour) {
    return SheetImage(w, h, colour);
}

COLORREF CentrePixel(HWND hwnd) {
    const POINT p = forms::test::CentreOf(hwnd);
    return qel::test::ScreenPixel(p.x, p.y);
}

TEST_F(Previews, RunsCopyFlaggedPiecesAndTheCornersCoverTheOvershoot) {
    Flag(Piece::TopLeft, 1, Solid(20, 30, kRed));
    main->Document.PieceBox(Piece::TopRight, 1).Load(Solid(20, 30, kYellow)); // not flagged
    SheetImage middle = Solid(8, 30, kBlue);
    middle.Fill({0, 0, 1, 30}, kGreen); // marks where each copy starts
    Flag(Piece::TopMiddle, 1, middle);
    DoBorders(*main);
    ShowPage(0, 0);

    // Int((312 - 20 - 20) / 8) = 34: 35 copies at x = 20, 28, ..., 292.
    for (int i = 0; i < 35; ++i) {
        ASSERT_EQ(Surface(1, 20 + 8 * i, 10), kGreen) << "copy " << i;
        ASSERT_EQ(Surface(1, 21 + 8 * i, 10), kBlue) << "copy " << i;
    }
    EXPECT_EQ(Surface(1, 300, 10), kBack) << "no 36th copy";
    EXPECT_EQ(Surface(1, 5, 5), kRed);
    EXPECT_EQ(Surface(1, 100, 100), kBack) << "unflagged pieces leave the back colour";
    EXPECT_EQ(Surface(2, 100, 10), kBack) << "other variants' flags are their own";
    EXPECT_EQ(OnScreen(1, 292, 10), kGreen);
    EXPECT_EQ(OnScreen(1, 5, 5), kRed);

    main->Document.ItemData(1, Piece::TopRight) = kHasGraphic;
    DoBorders(*main);
    EXPECT_EQ(Surface(1, 292, 10), kYellow) << "the last copy lies under the Top Right corner";
    EXPECT_EQ(Surface(1, 291, 10), kBlue);

    // A form narrower than its corners: the copies still go rightwards from
    // Top Left, Int(Abs((312 - 200 - 200) / 8)) + 1 = 12 of them.
    main->Document.PieceBox(Piece::TopLeft, 1).Load(Solid(200, 30, kRed));
    main->Document.PieceBox(Piece::TopRight, 1).Load(Solid(200, 30, kYellow));
    main->Document.ItemData(1, Piece::TopRight) = 0;
    DoBorders(*main);
    EXPECT_EQ(Surface(1, 199, 10), kRed);
    EXPECT_EQ(Surface(1, 200, 10), kGreen);
    EXPECT_EQ(Surface(1, 295, 10), kBlue);
    EXPECT_EQ(Surface(1, 296, 10), kBack);
}

TEST_F(Previews, SizableCornersAreDrawnAndTheRunsMeasureByTheFixedOnes) {
    Flag(Piece::TopLeft, 3, Solid(20, 30, kRed));
    main->Document.PieceBox(Piece::BtmLeft, 3).Load(Solid(20, 30, kYellow)); // not flagged
    Flag(Piece::BtmLeftSize, 3, Solid(10, 10, kGreen));
    Flag(Piece::BtmRightSize, 3, Solid(12, 12, kGreen));
    Flag(Piece::LeftSide, 3, Solid(8, 20, kBlue));
    ClickCheck(Option::ShowSizableCorners);
    ASSERT_TRUE(PumpUntil([&] { return Surface(3, 2, 200) == kGreen; }));
    EXPECT_EQ(Surface(3, 2, 196), kGreen);
    EXPECT_EQ(Surface(3, 305, 200), kGreen);
    // Int((206 - 30 - 30) / 20) + 1 = 8 copies from y = 30: the last ends at 190.
    EXPECT_EQ(Surface(3, 2, 189), kBlue);
    EXPECT_EQ(Surface(3, 2, 192), kBack);
    EXPECT_EQ(Surface(3, 2, 15), kRed);

    ClickCheck(Option::ShowSizableCorners);
    ASSERT_TRUE(PumpUntil([&] { return Surface(3, 2, 200) == kBack; }))
        << "the fixed corner is not flagged";
}

TEST_F(Previews, RegionsRoundTheChosenCornersAndNeverFail) {
    ShowPage(0, 0);
    SetField(Field::RoundAngle, "10");
    ClickCheck(Option::RoundTopCorners);
    ASSERT_TRUE(PumpUntil([&] { return OnScreen(1, 0, 0) == 0; })) << "the host shows through";
    UniqueRegion region = RegionOf(Frm(1).hWnd());
    const UniqueRegion expected(CreateRoundRectRgn(0, 0, 313, 227, 10, 10));
    const RECT box = BoxOf(region.get()), want = BoxOf(expected.get());
    EXPECT_TRUE(EqualRect(&box, &want)) << box.right << "," << box.bottom;
    for (POINT p : {POINT{1, 1}, POINT{311, 0}})
        EXPECT_FALSE(PtInRegion(region.get(), p.x, p.y)) << p.x;
    for (POINT p : {POINT{5, 0}, POINT{0, 205}, POINT{311, 205}})
        EXPECT_TRUE(PtInRegion(region.get(), p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(OnScreen(1, 0, 205), kBack) << "the bottom corners stay square";

    // Angle 0 with both options: the plain rectangle.
    SetField(Field::RoundAngle, "0");
    ClickCheck(Option::RoundBottomCorners);
    ASSERT_TRUE(PumpUntil([&] { return OnScreen(1, 0, 0) == kBack; }));
    region = RegionOf(Frm(1).hWnd());
    EXPECT_TRUE(PtInRegion(region.get(), 0, 0) && PtInRegion(region.get(), 311, 205));

    // An angle beyond what a region can take, and a flagged run piece 0
    // pixels long: what can be drawn is drawn, with no error.
    SetField(Field::RoundAngle, "99999999999");
    Flag(Piece::TopMiddle, 1, Solid(0, 30, kRed));
    Flag(Piece::TopLeft, 1, Solid(20, 30, kRed));
    DoBorders(*main);
    EXPECT_TRUE(MessageBoxes().prompts.empty());
    EXPECT_EQ(Surface(1, 5, 5), kRed);
    region = RegionOf(Frm(1).hWnd());
    ASSERT_TRUE(region) << "the form keeps a region";
    EXPECT_TRUE(PtInRegion(region.get(), 156, 100));
}

TEST_F(Previews, ControlsArePlacedFromTheNumberFields) {
    const int widths[4] = {16, 18, 18, 15};
    for (int v = 1; v <= kVariants; ++v)
        for (int k = 1; k <= 4; ++k)
            Frm(v).Image2[k]->Picture(forms::test::SolidPicture(widths[k - 1], 14, kRed));
    using enum Field;
    const std::pair<Field, const char*> fields[] = {
        {ButtonsTop, "12/5"}, {ButtonLeft, "10"},        {ButtonGap, ""},
        {CaptionLeft, "30"},  {CaptionTopWithMenu, "7"}, {CaptionTopNoMenu, "9"},
        {MenuTop, "15"},      {MenuLeft, "3"},           {IconTop, "4"},
        {IconLeft, "6"}};
    for (auto [n, text] : fields)
        SetField(n, text);
    main->Document.picColor(Swatch::ActiveMenu).backColor = kBlue;
    main->List[1]->ListIndex(3);
    Frm(1).Image1->Visible(true);
    DoBorders(*main);

    for (int v = 1; v <= kVariants; ++v) {
        LivePreviewFrm& f = Frm(v);
        SCOPED_TRACE(f.Name());
        EXPECT_EQ(f.Label1->Left(), 30);
        EXPECT_EQ(f.Label1->Top(), v <= 2 ? 7 : 9);
        EXPECT_EQ(f.IcoImage->Top(), 4);
        EXPECT_EQ(f.IcoImage->Left(), 6);
        EXPECT_EQ(f.Image2[1]->Left(), 312 - 16 - 10);
        EXPECT_EQ(f.Image2[2]->Left(), 312 - 16 - 18 - 10);
        EXPECT_EQ(f.Image2[3]->Left(), f.Image2[2]->Left());
        EXPECT_EQ(f.Image2[4]->Left() + 15, f.Image2[3]->Left()) << "no gap: touching";
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(f.Image2[k]->Top(), 12) << "12/5 reads 12";
        EXPECT_FALSE(f.Image1->Visible());
        EXPECT_EQ(main->List[v]->ListIndex(), -1);
    }
    EXPECT_EQ(Frm(1).Label2->Top(), 20);
    EXPECT_EQ(Frm(1).Label2->Left(), 3);
    EXPECT_EQ(Frm(1).Label2->ForeColor(), kBlue);
    EXPECT_EQ(Frm(2).Label2->ForeColor(), 0x00808080u);
    EXPECT_EQ(Frm(1).Label3->Left(), (312 - 48) / 2);
    EXPECT_EQ(Frm(3).Label3->Top(), (206 - 13) / 2);
    EXPECT_EQ(Frm(2).Label3->Left(), 130) << "the in-active samples keep their place";
}

// Skin 1 of the control, written as a bitmap file.
std::string BuiltInSheetFile() {
    const std::string path = qel::test::OutputPath("BuiltInSkin1.bmp");
    HMODULE dll = LoadLibraryExA("Qel_SkinControl.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceA(dll, "SKIN1", MAKEINTRESOURCEA(10)); // RT_RCDATA
    const void* bytes = LockResource(LoadResource(dll, found));
    ComPtr<IPictureDisp> picture =
        LoadPictureBytes(bytes, SizeofResource(dll, found), kSheetPictureBound);
    SavePicture(picture.get(), path);
    FreeLibrary(dll);
    return path;
}

TEST_F(Previews, ABuiltInSheetLoadedShowsOnAllFourPreviews) {
    OpenDialogs dialogs;
    dialogs.path = BuiltInSheetFile();
    main->mnuLoad->Clicked();
    PumpUntilIdle();
    ASSERT_TRUE(MessageBoxes().prompts.empty()) << MessageBoxes().prompts.front();
    main->Check[Option::DrawFormIcon]->Value(1);
    const char* shots[4] = {"active_with_menu", "active_no_menu", "inactive_with_menu",
                            "inactive_no_menu"};
    for (int box = 0; box < 4; ++box) {
        const int v = kBoxVariant[box];
        SCOPED_TRACE(v);
        ShowPage(box / 2, box % 2);
        const SheetImage corner = main->Document.PieceBox(Piece::TopLeft, v).Shown();
        EXPECT_EQ(OnScreen(v, 1, 1), corner.Pixel(1, 1));
        // The sample icon, and the caption buttons of the preview's state.
        const int x = RoundHalfEven(Frm(v).IcoImage->Left()) + 8,
                  y = RoundHalfEven(Frm(v).IcoImage->Top()) + 8;
        EXPECT_NE(OnScreen(v, x, y), Surface(v, x, y));
        const GraphicBox& close = main->Document.ButtonBox(CaptionButton::Close, v % 2 ? 1 : 4);
        EXPECT_EQ(PictureSize(Frm(v).Image2[1]->Picture().get()).cx, close.width);
        // Along the bottom run, from the fixed Bottom Left's width.
        const SheetImage bottom = main->Document.PieceBox(Piece::BtmMid, v).Shown();
        const int from = main->Document.PieceBox(Piece::BtmLeft, v).width;
        EXPECT_EQ(Surface(v, 156, 205),
                  bottom.Pixel((156 - from) % bottom.Width(), bottom.Height() - 1));
        qel::test::SaveWindowShot("creator_composed_" + std::string(shots[box]),
                                  main->Picture[box]->hWnd());
    }
}

TEST_F(Previews, ButtonGraphicsLoadPerStateCentredAndFollowStatesOneAndFour) {
    ShowPage(2, 0);
    const std::string file = qel::test::OutputPath("CloseButton.bmp");
    SavePicture(forms::test::SolidPicture(20, 18, kRed).get(), file);
    const std::string folder = qel::test::OutputPath("");
    SaveSetting("Vantreo", "Settings", "LstGraphicLoc", folder);
    OpenDialogs dialogs;
    dialogs.path = file;
    PictureBox& close1 = *main->ButtonBox[0][1];
    WhileInput([&] {
        const POINT p = forms::test::CentreOf(close1.hWnd());
        qel::test::DoubleClick(p.x, p.y);
    });
    ASSERT_TRUE(PumpUntil([&] { return main->Document.SkinModified; }));
    ASSERT_EQ(dialogs.titles.size(), 1u);
    EXPECT_EQ(dialogs.initDirs[0], folder);
    EXPECT_EQ(dialogs.titles[0], "Get Close Button Graphic");
    EXPECT_EQ(dialogs.filters[0], "Graphic Files (*.bmp, *.jpg, *.gif)|*.bmp;*.jpg;*.gif");
    EXPECT_EQ(close1.Tag(), "99");
    EXPECT_EQ(main->Document.ButtonBox(CaptionButton::Close, 1).tag, "99");
    const RECT client = qel::test::ClientRectOf(close1.hWnd());
    EXPECT_EQ(client.right - client.left, 20) << "the box takes the picture's size";
    for (int state = 1; state <= kButtonStates; ++state)
        for (int b = 0; b < kCaptionButtons; ++b) {
            PictureBox& box = *main->ButtonBox[b][state];
            const PictureBox& frame = *main->ButtonFrame[b][state];
            EXPECT_NEAR(box.Left(), (frame.Width() - box.Width()) / 2, 15) << b << state;
            EXPECT_NEAR(box.Top(), (frame.Height() - box.Height()) / 2, 15) << b << state;
        }
    EXPECT_EQ(CentrePixel(close1.hWnd()), kRed);
    qel::test::SaveWindowShot("creator_button_graphics", main->hWnd());
    for (int v : {1, 3})
        EXPECT_EQ(PictureSize(Frm(v).Image2[1]->Picture().get()).cx, 20) << v;
    for (int v : {2, 4})
        EXPECT_FALSE(Frm(v).Image2[1]->Picture()) << "an empty Disabled box gives no picture";

    // Down changes no preview image; Disabled reaches the in-active previews.
    const Picture before = Frm(1).Image2[3]->Picture();
    ButtonBox_DblClick(*main, CaptionButton::Maximize, 2);
    EXPECT_EQ(Frm(1).Image2[3]->Picture().get(), before.get());
    ButtonBox_DblClick(*main, CaptionButton::Close, 4);
    EXPECT_TRUE(Frm(2).Image2[1]->Picture());
    EXPECT_TRUE(Frm(4).Image2[1]->Picture());

    // Cancelled, unreadable or too large: nothing changes; the last is told why,
    // the file named once. An icon is drawn as its box shows it.
    std::ofstream(qel::test::OutputPath("NotAPicture.bmp")) << "no picture";
    const std::string large = qel::test::OutputPath("Large.bmp");
    SavePicture(forms::test::SolidPicture(4100, 2, kRed).get(), large);
    for (const std::string& path :
         {std::string(), qel::test::OutputPath("NotAPicture.bmp"), large}) {
        main->Document.SkinModified = false;
        dialogs.path = path;
        ButtonBox_DblClick(*main, CaptionButton::Minimize, 1);
        EXPECT_FALSE(main->Document.SkinModified) << path;
        EXPECT_EQ(main->Document.ButtonBox(CaptionButton::Minimize, 1).tag, "") << path;
        EXPECT_FALSE(main->ButtonBox[3][1]->Picture()) << path;
    }
    const std::string& told = MessageBoxes().prompts.at(0);
    EXPECT_NE(told.find("4100 x 2 pixels; a button graphic is at most"), std::string::npos);
    EXPECT_EQ(told.find("Large.bmp"), told.rfind("Large.bmp")) << told;
    dialogs.path = qel::test::OutputPath("Minimize.ico");
    forms::test::WriteIcon(dialogs.path, kGreen);
    ButtonBox_DblClick(*main, CaptionButton::Minimize, 1);
    EXPECT_TRUE(PumpUntil([&] { return CentrePixel(main->ButtonBox[3][1]->hWnd()) == kGreen; }));
    // The setting goes again, so that later pickers start where they would.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Qel Program Settings\\Vantreo\\Settings",
                       "LstGraphicLoc");
}

TEST_F(Previews, ClearingResetsGraphicsSwatchesAndPreviewsAndKeepsTheRest) {
    OpenDialogs dialogs;
    dialogs.path = qel::test::OutputPath("CloseButton.bmp");
    SavePicture(forms::test::SolidPicture(40, 30, kRed).get(), dialogs.path);
    ButtonBox_DblClick(*main, CaptionButton::Close, 1);
    Flag(Piece::TopLeft, 1, Solid(20, 30, kRed));
    SetField(Field::ButtonGap, "7");
    main->Check[Option::RoundTopCorners]->Value(1);
    main->Document.picColor(Swatch::ActiveFormBack).backColor = kGreen;
    ShowPage(0, 0);
    // The eyedropper of swatch 0 (Command2) keeps its colour to reset to.
    WhileInput([&] { forms::test::ClickOn(main->Command[2]->hWnd()); });
    ASSERT_TRUE(PumpUntil(
        [&] { return main->Document.picColor(Swatch::ActiveFormBack).foreColor == kGreen; }));
    main->Document.picColor(Swatch::ActiveCaption).backColor = kBlue;
    main->ShowSwatch(Swatch::ActiveCaption);
    Frm(1).Label1->Left(100);
    DoBorders(*main);
    ASSERT_EQ(Surface(1, 5, 5), kRed);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        main->Document.SkinModified = true;
        forms::test::MessageBoxes().answers.push_back(IDNO);
        main->mnuCreate->Clicked();
        PumpUntilIdle();
        EXPECT_FALSE(main->Document.SkinModified);
        EXPECT_EQ(main->Document.picColor(Swatch::ActiveFormBack).backColor, kGreen);
        EXPECT_EQ(main->Document.picColor(Swatch::ActiveCaption).backColor, kWindowText);
        ShowPage(0, 0);
        EXPECT_EQ(CentrePixel(main->picColor[Swatch::ActiveCaption]->hWnd()), 0u)
            << "the system colour, translated";

        PictureBox& close1 = *main->ButtonBox[0][1];
        EXPECT_FALSE(close1.Picture());
        EXPECT_EQ(close1.Width(), 270);
        EXPECT_EQ(close1.Height(), 240);
        EXPECT_NEAR(close1.Left(), (main->ButtonFrame[0][1]->Width() - 270) / 2, 15);
        EXPECT_EQ(close1.Tag(), "99");
        EXPECT_EQ(main->Document.ItemData(1, Piece::TopLeft), kHasGraphic);
        EXPECT_EQ(main->Text[Field::ButtonGap]->Text(), "7");
        EXPECT_EQ(main->Check[Option::RoundTopCorners]->Value(), 1);

        for (int box = 0; box < 4; ++box) {
            LivePreviewFrm& f = Frm(kBoxVariant[box]);
            SCOPED_TRACE(f.Name());
            EXPECT_EQ(f.Host(), main->Picture[box]);
            EXPECT_EQ(GetParent(f.hWnd()), main->Picture[box]->hWnd());
            EXPECT_EQ(f.Label1->Left(), 25) << "loaded anew";
            EXPECT_FALSE(f.Image2[1]->Picture());
            EXPECT_EQ(GetPixel(f.hDC(), 5, 5), kBack) << "blank";
            const RECT host = qel::test::WindowRectOf(main->Picture[box]->hWnd());
            const RECT form = qel::test::WindowRectOf(f.hWnd());
            const POINT origin = forms::test::ClientPoint(main->Picture[box]->hWnd(), 0, 0);
            EXPECT_NEAR(form.left - origin.x, (host.right - host.left - 312) / 2, 1);
        }
        EXPECT_EQ(OnScreen(1, 5, 5), kBack);
    }
    DoBorders(*main);
    EXPECT_EQ(Surface(1, 5, 5), kMagenta) << "the emptied flagged piece shows its box";
}

// Goals, printed: the composition of four previews of a full skin within a
// frame, and no handle left behind by compositions and clearings.
TEST_F(Previews, CompositionsAndClearingsLeakNothing) {
    OpenDialogs dialogs;
    dialogs.path = BuiltInSheetFile();
    main->mnuLoad->Clicked();
    PumpUntilIdle();
    DoBorders(*main);
    PumpUntilIdle();
    DWORD gdi = qel::test::GdiObjectCount(), user = qel::test::UserObjectCount();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i)
        DoBorders(*main);
    const auto took = std::chrono::steady_clock::now() - start;
    printf("DoBorders on four previews of a full skin: %.2f ms\n",
           std::chrono::duration<double, std::milli>(took).count() / 100);
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);

    main->ClearSkinPieces(); // lets go of the skin's pictures
    PumpUntilIdle();
    gdi = qel::test::GdiObjectCount();
    user = qel::test::UserObjectCount();
    for (int i = 0; i < 100; ++i)
        main->ClearSkinPieces();
    PumpUntilIdle();
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);
}

} // namespace
} // namespace qel::creator
