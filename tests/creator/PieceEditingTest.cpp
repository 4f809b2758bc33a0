// Editing pieces on the main window with the real mouse: a click on a piece
// lays the marker on its page's preview, a double-click picks a graphic (the
// open dialog answered through the forms layer's seam, the update dialog
// clicked); the previews' eyedropper, mock caption buttons, menu hover, icon
// choice and Frm1's focus.
#include "creator/editor/GraphicPickers.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/MainFrm.h"
#include "creator/shell/UpdateWhatFrm.h"
#include "tests/creator/CreatorMainFixture.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/PictureBox.h"
#include "forms/TabControl.h"
#include "forms/TextBox.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <fstream>

namespace qel::creator {
namespace {

using namespace forms;
using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;
using qel::test::WaitFor;
using qel::test::WhileInput;

constexpr COLORREF kRed = 0x000000FF, kGreen = 0x0000FF00, kBlue = 0x00FF0000, kYellow = 0x0000FFFF,
                   kPlain = 0x00E0E0E0;

COLORREF PixelAt(HWND hwnd, int x, int y) {
    POINT p = forms::test::ClientPoint(hwnd, x, y);
    return qel::test::ScreenPixel(p.x, p.y);
}

void MoveTo(HWND hwnd, int x, int y) {
    POINT p = forms::test::ClientPoint(hwnd, x, y);
    qel::test::MouseMove(p.x, p.y);
}

void ClickAt(HWND hwnd, int x, int y) {
    POINT p = forms::test::ClientPoint(hwnd, x, y);
    qel::test::Click(p.x, p.y);
}

class PieceEditing : public CreatorMainFixture {
protected:
    void SetUp() override {
        CreatorMainFixture::SetUp();
        first = main->Frm[1];
    }
    // The page of list 1 to 4: List2 stands on variant 3's, List3 on variant 2's.
    void ShowListPage(int list) { ShowPage(list <= 2 ? 0 : 1, (list - 1) % 2); }
    POINT ItemPoint(int list, int item) {
        RECT r{};
        SendMessageA(main->List[list]->hWnd(), LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
        return forms::test::ClientPoint(main->List[list]->hWnd(), 20, (r.top + r.bottom) / 2);
    }
    void ClickItem(int list, int item) {
        WhileInput([&] { qel::test::Click(ItemPoint(list, item).x, ItemPoint(list, item).y); });
        // A list selects at the press and reports the click at the release,
        // which ends its capture of the mouse.
        ASSERT_TRUE(
            PumpUntil([&] { return main->List[list]->ListIndex() == item && !GetCapture(); }));
    }
    // Double-clicks an item; `answer` runs on the input thread once the update
    // dialog shows (none: no dialog is expected).
    void DoubleClickItem(int list, int item,
                         const std::function<void(UpdateWhatFrm&)>& answer = nullptr) {
        UpdateWhatFrm& dialog = Default<UpdateWhatFrm>();
        const size_t asked = titles.size();
        WhileInput([&] {
            const POINT p = ItemPoint(list, item);
            qel::test::DoubleClick(p.x, p.y);
            if (!answer) return;
            ASSERT_TRUE(WaitFor([&] { return dialog.Loaded() && IsWindowVisible(dialog.hWnd()); }));
            answer(dialog);
            ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog.hWnd()); }));
        });
        ASSERT_TRUE(PumpUntil([&] { return titles.size() == asked + 1; }));
        ASSERT_TRUE(PumpUntil([&] { return main->List[list]->ListIndex() == -1; }));
    }
    Image& Marker(int variant) { return *main->Frm[variant]->Image1; }
    void ButtonGraphic(CaptionButton button, int state, COLORREF colour) {
        main->Document.ButtonBox(button, state).tag = "99";
        main->ButtonBox[static_cast<int>(button)][state]->Picture(
            forms::test::SolidPicture(16, 16, colour));
    }

    LivePreviewFrm* first = nullptr;
    // The file dialogs answer `path` and record their titles.
    std::string path;
    std::vector<std::string> titles;
    CommonDialogSeam seam{[this](DialogKind, const CommonDialog& dialog) {
        titles.push_back(dialog.DialogTitle());
        return CommonDialog::Answer{path, {}};
    }};
};

TEST_F(PieceEditing, AClickMarksThePieceOnThePagesPreviewOnly) {
    SkinDocument& d = main->Document;
    const auto size = [&](Piece piece, int width, int height) {
        d.PieceBox(piece, 3).width = width;
        d.PieceBox(piece, 3).height = height;
    };
    size(Piece::TopLeft, 30, 26);
    size(Piece::LeftSide, 8, 40);
    size(Piece::BtmLeft, 12, 20);
    ShowListPage(2);
    ClickItem(2, 3); // "Left Side" of variant 3, on Frm3
    Image& marker = Marker(3);
    ASSERT_TRUE(marker.Visible());
    EXPECT_EQ(marker.Left(), 0);
    EXPECT_EQ(marker.Top(), 26);
    EXPECT_EQ(marker.Width(), 8);
    EXPECT_EQ(marker.Height(), 206 - 26 - 20);
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(main->Frm[3]->hWnd(), 4, 26) == 0; }));
    qel::test::SaveWindowShot("creator_piece_marker", main->Frm[3]->hWnd());

    // Another list's click clears this one and moves the marker over.
    ShowListPage(3);
    ClickItem(3, 1); // "Top Middle" of variant 2, between the design corners
    EXPECT_EQ(main->List[2]->ListIndex(), -1);
    EXPECT_FALSE(Marker(3).Visible());
    ASSERT_TRUE(Marker(2).Visible());
    EXPECT_EQ(Marker(2).Left(), 21);
    EXPECT_EQ(Marker(2).Width(), 312 - 21 - 21);

    // Corners wider together than the form: no marker rather than a wrong one.
    d.PieceBox(Piece::TopLeft, 4).width = d.PieceBox(Piece::TopRight, 4).width = 200;
    ShowListPage(4);
    ClickItem(4, 1);
    EXPECT_FALSE(Marker(2).Visible());
    EXPECT_FALSE(Marker(4).Visible());
}

TEST_F(PieceEditing, ADoubleClickGivesTheGraphicToTheTickedVariants) {
    path = qel::test::OutputPath("TopLeft24x30.bmp");
    SavePicture(forms::test::SolidPicture(24, 30, kRed).get(), path);
    ShowListPage(2);
    DoubleClickItem(2, 0, [](UpdateWhatFrm& dialog) { // the first graphic: all proposed
        for (CheckBox* box : {dialog.Check1, dialog.Check2, dialog.Check3, dialog.Check4})
            EXPECT_EQ(box->Value(), 1);
        EXPECT_TRUE(forms::test::ClickUntil(dialog.Command1->hWnd(), [&] {
            return !IsWindowVisible(dialog.hWnd());
        })); // "Update" closes it
    });
    EXPECT_EQ(titles.back(), "Get Top Left graphic");
    for (int v = 1; v <= kVariants; ++v) {
        EXPECT_EQ(main->List[v]->ItemData(0), kHasGraphic);
        EXPECT_EQ(main->Document.PieceBox(Piece::TopLeft, v).width, 24);
    }
    EXPECT_EQ(main->Text[Field::CaptionLeft]->Text(), "24");
    EXPECT_EQ(main->Text[Field::MenuLeft]->Text(), "24");
    EXPECT_TRUE(main->Document.SkinModified);
    EXPECT_FALSE(Default<UpdateWhatFrm>().Loaded());
    for (int v = 1; v <= kVariants; ++v)
        EXPECT_FALSE(Marker(v).Visible());

    // Variant 2 holds a "Left Side": on List1's page its box stays unticked.
    // A cancelled update dialog stores nothing and marks the skin all the same.
    main->Document.SkinModified = false;
    main->Document.ItemData(2, Piece::LeftSide) = kHasGraphic;
    ShowListPage(1);
    DoubleClickItem(1, 3, [](UpdateWhatFrm& dialog) {
        EXPECT_EQ(dialog.Check1->Value() * 1000 + dialog.Check2->Value() * 100 +
                      dialog.Check3->Value() * 10 + dialog.Check4->Value(),
                  1101);
        EXPECT_TRUE(forms::test::ClickUntil(dialog.Command2->hWnd(), [&] {
            return !IsWindowVisible(dialog.hWnd());
        })); // "Cancel" closes it
    });
    EXPECT_EQ(main->Document.ItemData(1, Piece::LeftSide), 0);
    EXPECT_TRUE(main->Document.SkinModified);
}

TEST_F(PieceEditing, CancelsAndUnreadableGraphicsStoreNothing) {
    // A cancelled open dialog marks the skin modified on List1's page only.
    ShowListPage(1);
    DoubleClickItem(1, 2);
    EXPECT_TRUE(main->Document.SkinModified);
    main->Document.SkinModified = false;
    ShowListPage(2);
    DoubleClickItem(2, 2);
    EXPECT_FALSE(main->Document.SkinModified);

    // A text file named ".bmp", and a graphic wider than a skin sheet holds:
    // nothing assigned, the update dialog left loaded, only the graphic told.
    const SkinDocument before = main->Document;
    const std::string text = qel::test::OutputPath("NotAPicture.bmp");
    std::ofstream(text) << "not a picture";
    const std::string wide = qel::test::OutputPath("TooWide.bmp");
    SavePicture(forms::test::SolidPicture(4097, 2, kBlue).get(), wide);
    for (const std::string& file : {text, wide}) {
        path = file;
        DoubleClickItem(2, 4, [](UpdateWhatFrm& dialog) {
            EXPECT_TRUE(forms::test::ClickUntil( // "Update" closes it
                dialog.Command1->hWnd(), [&] { return !IsWindowVisible(dialog.hWnd()); }));
        });
        EXPECT_EQ(main->Document, before);
        EXPECT_TRUE(Default<UpdateWhatFrm>().Loaded());
        EXPECT_EQ(forms::test::MessageBoxes().prompts.size(), file == wide ? 1u : 0u);
        Default<UpdateWhatFrm>().Unload();
    }
    EXPECT_NE(forms::test::MessageBoxes().prompts.at(0).find("a piece graphic is at most 4096"),
              std::string::npos);
}

TEST_F(PieceEditing, TheEyedropperFollowsThePointerAndAPressTakesTheColour) {
    HWND form = first->hWnd();
    UniqueBrush red(CreateSolidBrush(kRed));
    const RECT patch{100, 100, 140, 140};
    FillRect(first->hDC(), &patch, red.get());
    first->Refresh();

    WhileInput([&] { forms::test::ClickOn(main->Command[2]->hWnd()); }); // swatch 0
    ASSERT_TRUE(PumpUntil([&] { return main->ColorPick.active; }));
    WhileInput([&] { MoveTo(form, 120, 120); });
    ASSERT_TRUE(
        PumpUntil([&] { return main->picColor[Swatch::ActiveFormBack]->BackColor() == kRed; }));
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    GetCursorInfo(&cursor); // the cross-hair, not the arrow
    EXPECT_NE(cursor.hCursor, LoadCursor(nullptr, IDC_ARROW));
    WhileInput([&] { MoveTo(form, 60, 60); });
    ASSERT_TRUE(
        PumpUntil([&] { return main->picColor[Swatch::ActiveFormBack]->BackColor() == kPlain; }));
    first->OnMouseMove(0, 0, -5, 900); // no pixel there: the swatch keeps its colour
    EXPECT_EQ(main->Document.picColor(Swatch::ActiveFormBack).backColor, kPlain);

    // A press on a label takes nothing; one on the bare form takes the colour.
    WhileInput([&] { forms::test::ClickOn(first->Label3->hWnd()); });
    EXPECT_TRUE(main->ColorPick.active);
    EXPECT_FALSE(main->Document.SkinModified);
    WhileInput([&] { ClickAt(form, 120, 120); });
    ASSERT_TRUE(PumpUntil([&] { return !main->ColorPick.active; }));
    EXPECT_EQ(PixelAt(main->picColor[Swatch::ActiveFormBack]->hWnd(), 10, 8), kRed);
    EXPECT_EQ(main->Frm[3]->BackColor(), kRed);
    EXPECT_EQ(main->Frm[2]->BackColor(), kPlain);
    EXPECT_TRUE(main->Document.SkinModified);
    for (Form* f : main->Frm)
        EXPECT_EQ(f->MousePointer(), Pointer::Arrow);

    // Without a pending pick a press changes nothing.
    main->Document.SkinModified = false;
    WhileInput([&] { ClickAt(form, 120, 120); });
    EXPECT_FALSE(main->Document.SkinModified);

    // Goal: a hundred picks leave the GDI and USER counts where they were.
    const DWORD gdi = qel::test::GdiObjectCount(), user = qel::test::UserObjectCount();
    for (int i = 0; i < 100; ++i) {
        main->ArmEyedropper(i % 2 ? Swatch::ActiveFormBack : Swatch::MenuBackground);
        first->OnMouseDown(1, 0, 120, 120);
    }
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);
}

TEST_F(PieceEditing, MockButtonsShowTheirStatesAndSwapRestoreAndMaximise) {
    ButtonGraphic(CaptionButton::Close, 1, kRed);
    ButtonGraphic(CaptionButton::Close, 2, kYellow);
    ButtonGraphic(CaptionButton::Close, 3, kGreen);
    ButtonGraphic(CaptionButton::Maximize, 1, kBlue);
    ButtonGraphic(CaptionButton::Maximize, 2, kYellow);
    HWND form = first->hWnd();
    auto shows = [&](int image, COLORREF colour) {
        const Image& i = *first->Image2[image];
        return PumpUntil(
            [&] { return PixelAt(form, int(i.Left()) + 8, int(i.Top()) + 8) == colour; });
    };
    WhileInput([&] { MoveTo(form, 150, 150); }); // the rest look
    ASSERT_TRUE(shows(1, kRed));
    ASSERT_TRUE(shows(3, kBlue));
    // Goal: a thousand rest resets that change nothing repaint nothing.
    std::vector<HWND> looks{first->Label2->hWnd()};
    for (int k = 1; k <= 4; ++k)
        looks.push_back(first->Image2[k]->hWnd());
    for (HWND look : looks)
        ValidateRect(look, nullptr);
    for (int i = 0; i < 1000; ++i)
        first->OnMouseMove(0, 0, 150, 150);
    for (HWND look : looks)
        EXPECT_FALSE(GetUpdateRect(look, nullptr, FALSE));

    WhileInput([&] { MoveTo(form, 290, 10); }); // close: Highlight
    EXPECT_TRUE(shows(1, kGreen));
    WhileInput([&] { MoveTo(form, 270, 10); }); // maximise has none: all kept
    EXPECT_TRUE(shows(1, kGreen));
    WhileInput([&] { ClickAt(form, 290, 10); }); // Down, kept after the release
    EXPECT_TRUE(shows(1, kYellow));
    WhileInput([&] {
        MoveTo(form, 270, 10);
        qel::test::MouseDown();
    });
    EXPECT_TRUE(shows(3, kYellow));
    EXPECT_TRUE(shows(1, kRed)); // the others at rest
    WhileInput([&] { qel::test::MouseUp(); });
    // The click on maximise shows restore in its place on Frm1, and back.
    ASSERT_TRUE(PumpUntil([&] { return first->Image2[2]->Visible(); }));
    EXPECT_FALSE(first->Image2[3]->Visible());
    WhileInput([&] { ClickAt(form, 270, 30); });
    ASSERT_TRUE(PumpUntil([&] { return first->Image2[3]->Visible(); }));
    EXPECT_FALSE(first->Image2[2]->Visible());

    // Frm3's maximise image maximises Frm1 inside its box, and restores it.
    main->C1Tab2->CurrentPage(1);
    PumpUntilIdle();
    LivePreviewFrm& third = *main->Frm[3];
    WhileInput([&] { ClickAt(third.hWnd(), 270, 10); });
    ASSERT_TRUE(PumpUntil([&] { return first->WindowState() == WindowState::Maximized; }));
    EXPECT_TRUE(third.Image2[2]->Visible());
    RECT box{}, inside{};
    GetClientRect(main->Picture[0]->hWnd(), &box);
    GetClientRect(form, &inside);
    EXPECT_EQ(inside.right * 1000 + inside.bottom, box.right * 1000 + box.bottom);
    main->C1Tab2->CurrentPage(0);
    qel::test::SaveWindowShot("creator_frm1_maximised", main->Picture[0]->hWnd());
    main->C1Tab2->CurrentPage(1);
    PumpUntilIdle();
    // The composition put restore in maximise's place.
    WhileInput([&] { ClickAt(third.hWnd(), 270, 10); });
    ASSERT_TRUE(PumpUntil([&] { return first->WindowState() == WindowState::Normal; }));
    EXPECT_TRUE(third.Image2[3]->Visible());
}

TEST_F(PieceEditing, MenuHoverIconChoiceAndFocus) {
    main->ClearSkinPieces(); // reloaded previews (a new skin) keep their reactions
    main->Document.picColor(Swatch::MenuHighlight).backColor = kRed;
    HWND form = first->hWnd();
    WhileInput([&] { ClickAt(form, 150, 150); }); // Frm1 hands the focus on
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == main->hWnd(); }));
    WhileInput([&] { MoveTo(form, 73, 26); }); // over the mock menu
    ASSERT_TRUE(PumpUntil([&] { return first->Label2->ForeColor() == kRed; }));
    WhileInput([&] { MoveTo(form, 150, 150); });
    ASSERT_TRUE(PumpUntil([&] {
        return first->Label2->ForeColor() == main->Document.picColor(Swatch::ActiveMenu).backColor;
    }));

    main->C1Tab2->CurrentPage(1); // Frm3 keeps the focus
    PumpUntilIdle();
    WhileInput([&] { ClickAt(main->Frm[3]->hWnd(), 150, 150); });
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == main->Frm[3]->hWnd(); }));
    main->C1Tab2->CurrentPage(0);

    // The icon: a cancelled dialog still ends a pending pick; a chosen icon
    // goes to all four previews.
    main->Check[Option::DrawFormIcon]->Value(1);
    main->Document.SkinModified = false;
    main->ArmEyedropper(Swatch::ActiveMenu);
    auto doubleClickIcon = [&] {
        WhileInput([&] {
            const POINT p = forms::test::ClientPoint(form, 12, 12);
            qel::test::DoubleClick(p.x, p.y);
        });
        ASSERT_TRUE(
            PumpUntil([&] { return !titles.empty() && titles.back() == "Select New Icon"; }));
    };
    doubleClickIcon();
    EXPECT_EQ(main->CommonDialog1.Filter(), "Icon Files (*.ico)|*.ico");
    EXPECT_FALSE(main->ColorPick.active);
    EXPECT_EQ(main->Frm[4]->MousePointer(), Pointer::Arrow);
    const Picture sample = first->IcoImage->Picture(); // the drawn sample icon
    EXPECT_EQ(PictureType(sample.get()), PICTYPE_ICON);
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(form, 8, 8) != kPlain; }));

    path = qel::test::OutputPath("SampleIcon.ico");
    forms::test::WriteIcon(path, kGreen);
    titles.clear();
    doubleClickIcon();
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(form, 12, 12) == kGreen; }));
    for (LivePreviewFrm* f : main->Frm)
        EXPECT_EQ(PictureType(f->IcoImage->Picture().get()), PICTYPE_ICON);
    EXPECT_FALSE(main->Document.SkinModified);

    // A picture larger than a sheet is refused, and says why.
    path = qel::test::OutputPath("TooWide.ico");
    SavePicture(forms::test::SolidPicture(4097, 1, kBlue).get(), path);
    forms::test::MessageBoxes().prompts.clear();
    titles.clear();
    doubleClickIcon();
    ASSERT_EQ(forms::test::MessageBoxes().prompts.size(), 1u);
    EXPECT_NE(forms::test::MessageBoxes().prompts[0].find(
                  "is 4097 x 1 pixels; a sample icon is at most 4096 pixels a side"),
              std::string::npos);
    EXPECT_EQ(PixelAt(form, 12, 12), kGreen);
}

} // namespace
} // namespace qel::creator
