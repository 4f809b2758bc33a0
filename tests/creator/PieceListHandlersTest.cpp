// The piece lists as a user meets them: a real click lays the marker over the
// piece on the page's preview, a real double-click asks for a graphic and the
// variants (the open dialog answered through the forms layer's seam, the
// update dialog clicked) and assigns it; the cancel and failure roads.
#include "creator/editor/GraphicPickers.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/MainFrm.h"
#include "creator/shell/UpdateWhatFrm.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Image.h"
#include "forms/ListBox.h"
#include "forms/TabControl.h"
#include "forms/TextBox.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <fstream>

namespace qel::creator {
namespace {

using namespace forms;
using qel::test::PumpFor;
using qel::test::PumpUntil;
using qel::test::WaitFor;
using qel::test::WhileInput;

// The screen point of entry `item` of a list.
POINT ItemPoint(const ListBox& list, int item) {
    RECT r{};
    SendMessageA(list.hWnd(), LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
    return forms::test::ClientPoint(list.hWnd(), r.left + 20, (r.top + r.bottom) / 2);
}

// Answers the open dialog with `path` and records the titles it showed.
struct OpenDialog {
    std::string path;
    std::vector<std::string> titles, filters;
    CommonDialogSeam seam{[this](DialogKind, const CommonDialog& dialog) {
        titles.push_back(dialog.DialogTitle());
        filters.push_back(dialog.Filter());
        return CommonDialog::Answer{path, {}};
    }};
};

class PieceLists : public ::testing::Test {
protected:
    void SetUp() override {
        main = &Default<MainFrm>();
        main->Show();
        SetForegroundWindow(main->hWnd());
        PumpFor(150);
    }
    void TearDown() override {
        qel::test::MouseUp();
        if (main->Loaded()) main->Document.SkinModified = false;
        for (Form* f : std::vector<Form*>(Form::LoadedForms()))
            f->Unload();
        PumpFor(50);
    }
    // Shows the page of list 1 to 4 (List1 and List2 on the active page).
    void ShowListPage(int list) {
        main->C1Tab1->CurrentPage(list <= 2 ? 0 : 1);
        (list <= 2 ? main->C1Tab2 : main->C1Tab3)->CurrentPage((list - 1) % 2);
        PumpFor(100);
    }
    void ClickItem(int list, int item) {
        WhileInput([&] {
            POINT p = ItemPoint(*main->List[list - 1], item);
            qel::test::Click(p.x, p.y);
        });
        ASSERT_TRUE(PumpUntil([&] { return main->List[list - 1]->ListIndex() == item; }));
    }
    // Double-clicks an item; `answer` runs on the input thread once the update
    // dialog shows (none: the dialog is not expected).
    void DoubleClickItem(int list, int item,
                         const std::function<void(UpdateWhatFrm&)>& answer = nullptr) {
        UpdateWhatFrm& dialog = Default<UpdateWhatFrm>();
        const size_t asked = open.titles.size();
        WhileInput([&] {
            POINT p = ItemPoint(*main->List[list - 1], item);
            qel::test::Click(p.x, p.y);
            qel::test::Click(p.x, p.y);
            if (!answer) return;
            ASSERT_TRUE(WaitFor([&] { return dialog.Loaded() && IsWindowVisible(dialog.hWnd()); }));
            answer(dialog);
            ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog.hWnd()); }));
        });
        ASSERT_TRUE(PumpUntil([&] { return open.titles.size() == asked + 1; }));
        ASSERT_TRUE(PumpUntil([&] { return main->List[list - 1]->ListIndex() == -1; }));
    }
    Image& Marker(int variant) { return *main->Frm[variant - 1]->Image1; }

    MainFrm* main = nullptr;
    OpenDialog open;
};

TEST_F(PieceLists, AClickMarksThePieceOnThePagesPreviewOnly) {
    SkinDocument& d = main->Document;
    const auto size = [&](Piece piece, int width, int height) {
        d.PieceBox(piece, 3).width = width;
        d.PieceBox(piece, 3).height = height;
    };
    size(Piece::TopLeft, 30, 26);
    size(Piece::LeftSide, 8, 40);
    size(Piece::BtmLeft, 12, 20);
    ShowListPage(2); // "Active Skin with No Menu": variant 3 on Frm3
    ClickItem(2, 3); // "Left Side"
    Image& marker = Marker(3);
    ASSERT_TRUE(marker.Visible());
    EXPECT_EQ(marker.Left(), 0);
    EXPECT_EQ(marker.Top(), 26);
    EXPECT_EQ(marker.Width(), 8);
    EXPECT_EQ(marker.Height(), 206 - 26 - 20);
    // Its single black line is on the preview.
    HWND third = main->Frm[2]->hWnd();
    PumpFor(50);
    EXPECT_EQ(qel::test::ScreenPixel(forms::test::ClientPoint(third, 4, 26).x,
                                     forms::test::ClientPoint(third, 4, 26).y),
              0u);
    qel::test::SaveWindowShot("creator_piece_marker", third);

    // A click in another list clears this one and moves the marker over.
    ShowListPage(3); // "In-Active Skin with Menu": variant 2 on Frm2
    ClickItem(3, 1); // "Top Middle", between the design corners
    EXPECT_EQ(main->List[1]->ListIndex(), -1);
    EXPECT_FALSE(Marker(3).Visible());
    ASSERT_TRUE(Marker(2).Visible());
    EXPECT_EQ(Marker(2).Left(), 21);
    EXPECT_EQ(Marker(2).Width(), 312 - 21 - 21);
    EXPECT_EQ(Marker(2).Height(), 20);

    // Corners wider together than the form: no marker rather than a wrong one.
    d.PieceBox(Piece::TopLeft, 4).width = 200;
    d.PieceBox(Piece::TopRight, 4).width = 200;
    ShowListPage(4);
    ClickItem(4, 1);
    EXPECT_FALSE(Marker(2).Visible());
    EXPECT_FALSE(Marker(4).Visible());
    EXPECT_FALSE(main->Document.SkinModified);
}

TEST_F(PieceLists, ADoubleClickGivesTheGraphicToTheTickedVariants) {
    open.path = qel::test::OutputPath("TopLeft24x30.bmp");
    SavePicture(forms::test::SolidPicture(24, 30, 0x000000FF).get(), open.path);
    ShowListPage(2);
    // The first graphic of a piece: every variant is proposed.
    DoubleClickItem(2, 0, [](UpdateWhatFrm& dialog) {
        for (CheckBox* box : {dialog.Check1, dialog.Check2, dialog.Check3, dialog.Check4})
            EXPECT_EQ(box->Value(), 1);
        EXPECT_FALSE(dialog.Check5->Enabled());
        forms::test::ClickOn(dialog.Command1->hWnd()); // "Update"
    });
    EXPECT_EQ(open.titles.back(), "Get Top Left graphic");
    EXPECT_EQ(open.filters.back(), kGraphicFilter);
    for (int v = 1; v <= kVariants; ++v) {
        EXPECT_EQ(main->Document.ItemData(v, Piece::TopLeft), kHasGraphic);
        EXPECT_EQ(main->ListOfVariant(v).ItemData(0), kHasGraphic);
        EXPECT_EQ(main->Document.PieceBox(Piece::TopLeft, v).width, 24);
    }
    EXPECT_EQ(main->Text[12]->Text(), "24");
    EXPECT_EQ(main->Text[6]->Text(), "24");
    EXPECT_TRUE(main->Document.SkinModified);
    EXPECT_FALSE(Default<UpdateWhatFrm>().Loaded());
    for (int v = 1; v <= kVariants; ++v)
        EXPECT_FALSE(Marker(v).Visible());

    // Variant 2 holds a "Left Side": on List1's page its box stays unticked.
    // A bottom corner offers the other corner kind.
    main->Document.SkinModified = false;
    main->Document.ItemData(2, Piece::LeftSide) = kHasGraphic;
    ShowListPage(1);
    DoubleClickItem(1, 3, [](UpdateWhatFrm& dialog) {
        EXPECT_EQ(dialog.Check1->Value(), 1);
        EXPECT_EQ(dialog.Check2->Value(), 1);
        EXPECT_EQ(dialog.Check3->Value(), 0);
        EXPECT_EQ(dialog.Check4->Value(), 1);
        forms::test::ClickOn(dialog.Command2->hWnd()); // "Cancel"
    });
    EXPECT_EQ(main->Document.ItemData(1, Piece::LeftSide), 0);
    EXPECT_TRUE(main->Document.SkinModified);
    EXPECT_FALSE(Default<UpdateWhatFrm>().Loaded());

    DoubleClickItem(1, 8, [](UpdateWhatFrm& dialog) {
        EXPECT_EQ(dialog.Check5->Caption(), "Sizable Corners");
        EXPECT_TRUE(dialog.Check5->Enabled());
        forms::test::ClickOn(dialog.Check5->hWnd());
        WaitFor([&] { return dialog.Check5->Value() == 1; });
        forms::test::ClickOn(dialog.Command1->hWnd());
    });
    EXPECT_EQ(main->Document.ItemData(4, Piece::BtmRight), kHasGraphic);
    EXPECT_EQ(main->Document.ItemData(4, Piece::BtmRightSize), kHasGraphic);
}

TEST_F(PieceLists, CancelsAndUnreadableGraphicsStoreNothing) {
    // A cancelled open dialog marks the skin modified on List1's page only.
    open.path = "";
    ShowListPage(1);
    DoubleClickItem(1, 2);
    EXPECT_TRUE(main->Document.SkinModified);
    main->Document.SkinModified = false;
    ShowListPage(2);
    DoubleClickItem(2, 2);
    EXPECT_FALSE(main->Document.SkinModified);
    EXPECT_EQ(open.titles.back(), "Get Top Right graphic");

    // A text file named ".bmp", and a graphic wider than a skin sheet holds:
    // nothing assigned, no message, the update dialog left loaded.
    const SkinDocument before = main->Document;
    const std::string text = qel::test::OutputPath("NotAPicture.bmp");
    std::ofstream(text) << "not a picture";
    const std::string wide = qel::test::OutputPath("TooWide.bmp");
    SavePicture(forms::test::SolidPicture(4097, 2, 0x00FF0000).get(), wide);
    for (const std::string& path : {text, wide}) {
        open.path = path;
        DoubleClickItem(
            2, 4, [](UpdateWhatFrm& dialog) { forms::test::ClickOn(dialog.Command1->hWnd()); });
        EXPECT_EQ(main->Document, before);
        EXPECT_EQ(main->List[2]->ItemData(4), 0);
        EXPECT_TRUE(Default<UpdateWhatFrm>().Loaded());
        EXPECT_TRUE(forms::test::MessageBoxes().prompts.empty());
        Default<UpdateWhatFrm>().Unload();
    }
}

} // namespace
} // namespace qel::creator
