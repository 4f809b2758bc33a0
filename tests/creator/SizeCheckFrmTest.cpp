// The size check on screen: the sizes of the four variants in the two grids,
// the groups' colours, the verdict with its icon for passing and failing
// pieces, and a cell click showing that piece's graphic.
#include "creator/shell/SizeCheckFrm.h"
#include "forms/Grid.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <map>

namespace qel::creator {
namespace {

using forms::Grid;
using qel::test::ScreenPixel;

// Piece boxes of a skin whose sizes pass: every side and bottom piece 6 x 8,
// top pieces 20, 40 and 22 wide, 30 high with menu and 24 without. Each box's
// image is one colour of its own.
class TestBoxes : public PieceBoxes {
public:
    TestBoxes() {
        for (int p = 0; p < kPieces; ++p)
            for (int v = 1; v <= kVariants; ++v) {
                const int top[] = {20, 40, 22};
                size[{p, v}] = p < 3 ? SIZE{top[p], v <= 2 ? 30 : 24} : SIZE{6, 8};
            }
    }
    float Width(Piece p, int v) const override {
        return size.at({static_cast<int>(p), v}).cx * forms::Screen::TwipsPerPixelX();
    }
    float Height(Piece p, int v) const override {
        return size.at({static_cast<int>(p), v}).cy * forms::Screen::TwipsPerPixelY();
    }
    forms::Picture Image(Piece p, int v) const override {
        return forms::test::SolidPicture(30, 20, Colour(p, v));
    }
    static COLORREF Colour(Piece p, int v) { return RGB(20 * static_cast<int>(p), 60 * v, 90); }
    SIZE& Of(Piece p, int v) { return size[{static_cast<int>(p), v}]; }

    std::map<std::pair<int, int>, SIZE> size;
};

// The screen point in the middle of a grid cell.
POINT CellPoint(const Grid& grid, long row, long col) {
    int x = 0;
    for (long c = 0; c < col; ++c)
        x += static_cast<int>(grid.ColWidth(c) / forms::Screen::TwipsPerPixelX());
    const int w = static_cast<int>(grid.ColWidth(col) / forms::Screen::TwipsPerPixelX());
    const int h = static_cast<int>(grid.RowHeight() / forms::Screen::TwipsPerPixelY());
    return forms::test::ClientPoint(grid.hWnd(), x + w / 2, static_cast<int>(row) * h + h / 2);
}

// A point of a window's client area, a little in from its top-left corner.
COLORREF ClientPixel(HWND hwnd, int x, int y) {
    const POINT p = forms::test::ClientPoint(hwnd, x, y);
    return ScreenPixel(p.x, p.y);
}

class SizeCheck : public ::testing::Test {
protected:
    // Loads and shows the form on the boxes; the verdict and the grids are computed then.
    SizeCheckFrm& Open() {
        form.Boxes = &boxes;
        form.Show();
        qel::test::PumpUntil([&] { return IsWindowVisible(form.hWnd()) != FALSE; });
        qel::test::PumpUntilIdle();
        return form;
    }
    bool Passes() {
        const bool pass = form.Label2->Caption() == "Graphic Sizes Currently Pass Validation";
        EXPECT_NE(pass, form.Label2->Caption() == "Graphic Sizes Currently DO-NOT Pass Validation");
        EXPECT_EQ(form.Image2->Visible(), pass);
        EXPECT_EQ(form.Image3->Visible(), !pass);
        return pass;
    }
    void TearDown() override {
        if (form.Loaded()) form.Unload();
    }
    SizeCheckFrm& form = forms::Default<SizeCheckFrm>();
    TestBoxes boxes;
};

TEST_F(SizeCheck, APassingSkinShowsItsSizesColoursAndTheTick) {
    Open();
    const Grid& g1 = *form.Grid1;
    const Grid& g2 = *form.Grid2;
    EXPECT_EQ(g1.TextMatrix(0, 0), "With Menu");
    EXPECT_EQ(g2.TextMatrix(0, 0), "No Menu");
    EXPECT_EQ(g2.TextMatrix(0, 3), "In-Active");
    EXPECT_EQ(g1.TextMatrix(1, 4), "Height");
    EXPECT_EQ(g1.TextMatrix(3, 0), "Top Mid");
    EXPECT_EQ(g2.TextMatrix(11, 0), "Bottom Right Sizable");
    EXPECT_EQ(g1.ColWidth(0), 2000);
    // Sizes in twips, 15 to the pixel.
    EXPECT_EQ(g1.TextMatrix(3, 1), "600");
    EXPECT_EQ(g1.TextMatrix(2, 4), "450");
    EXPECT_EQ(g2.TextMatrix(2, 2), "360");
    EXPECT_EQ(g2.TextMatrix(9, 3), "90");
    EXPECT_EQ(g1.Row(), 0);
    EXPECT_TRUE(Passes());
    EXPECT_EQ(form.Label1->Caption(), "Like Colors MUST Match");

    // The groups' colours, on screen; the headings keep the grid's own.
    const std::pair<std::pair<long, long>, COLORREF> cells[] = {
        {{7, 1}, 0x0080FF80}, {{11, 4}, 0x00FF80FF}, {{2, 1}, 0x0080FFFF},
        {{3, 3}, 0x00C0C0C0}, {{4, 1}, 0x00FF8080},  {{2, 2}, 0x0080C0FF}};
    for (auto [cell, colour] : cells) {
        const POINT p = CellPoint(g1, cell.first, cell.second);
        EXPECT_EQ(ScreenPixel(p.x + 24, p.y), colour) << cell.first << ", " << cell.second;
    }
    const POINT p = CellPoint(g2, 4, 4);
    EXPECT_EQ(ScreenPixel(p.x + 24, p.y), 0x00FFC0C0u);
    EXPECT_EQ(g1.CellBackColor(1, 1), g1.CellBackColor(0, 0));
    // The green tick, the red sign hidden.
    EXPECT_EQ(ClientPixel(form.Image2->hWnd(), 6, 12), RGB(0, 160, 0));
    qel::test::SaveWindowShot("creator_size_check_pass", form.hWnd());

    // Opened again while loaded: the same form, the old sizes.
    boxes.Of(Piece::TopMiddle, 1).cx = 50;
    form.Show();
    EXPECT_EQ(g1.TextMatrix(3, 1), "600");
}

TEST_F(SizeCheck, EachTestedGroupFailsTheSkinAndTheGuideGroupsDoNot) {
    // Top-middle and top-right widths differing between variants: coloured only.
    boxes.Of(Piece::TopMiddle, 2).cx = 41;
    boxes.Of(Piece::TopRight, 4).cx = 25;
    Open();
    EXPECT_TRUE(Passes());
    form.Unload();

    struct Fault {
        Piece piece;
        int variant;
        bool width;
    };
    const Fault faults[] = {{Piece::BtmMid, 4, true},     // side and bottom widths
                            {Piece::RightSide, 2, false}, // side and bottom heights
                            {Piece::TopRight, 1, false},  // top heights with menu
                            {Piece::TopLeft, 3, false},   // top heights without menu
                            {Piece::TopLeft, 2, true}};   // top-left widths
    for (const Fault& f : faults) {
        TestBoxes broken;
        SIZE& s = broken.Of(f.piece, f.variant);
        (f.width ? s.cx : s.cy) += 1;
        boxes = broken;
        Open();
        SCOPED_TRACE(static_cast<int>(f.piece));
        EXPECT_FALSE(Passes());
        if (f.piece == Piece::BtmMid) {
            EXPECT_EQ(form.Grid2->TextMatrix(9, 3), "105");
            // The cell keeps its group's colour; the red sign tells the verdict.
            EXPECT_EQ(form.Grid2->CellBackColor(9, 3), 0x0080FF80u);
            EXPECT_EQ(ClientPixel(form.Image3->hWnd(), 8, 2), RGB(220, 0, 0));
            qel::test::SaveWindowShot("creator_size_check_fail", form.hWnd());
        }
        form.Unload();
    }
}

TEST_F(SizeCheck, ACellClickShowsThatPiecesGraphic) {
    Open();
    Grid& g1 = *form.Grid1;
    Grid& g2 = *form.Grid2;
    auto shown = [&] { return ClientPixel(form.Image1->hWnd(), 5, 5); };
    // A heading cell changes nothing.
    qel::test::WhileInput([&] {
        const POINT p = CellPoint(g2, 1, 2);
        qel::test::Click(p.x, p.y);
    });
    EXPECT_FALSE(form.Image1->Picture());
    // Row 9, column 4 of Grid2: the in-active bottom middle without menu (variant 4).
    qel::test::WhileInput([&] {
        POINT p = CellPoint(g1, 5, 1);
        qel::test::Click(p.x, p.y);
        p = CellPoint(g2, 9, 4);
        qel::test::Click(p.x, p.y);
    });
    EXPECT_EQ(g1.Row(), 0);
    EXPECT_EQ(g2.Row(), 9);
    EXPECT_EQ(shown(), TestBoxes::Colour(Piece::BtmMid, 4));
    // Column 0 counts as the active variant.
    qel::test::WhileInput([&] {
        const POINT p = CellPoint(g1, 2, 0);
        qel::test::Click(p.x, p.y);
    });
    EXPECT_EQ(g2.Row(), 0);
    EXPECT_EQ(shown(), TestBoxes::Colour(Piece::TopLeft, 1));
    qel::test::SaveWindowShot("creator_size_check_cell", form.hWnd());
}

} // namespace
} // namespace qel::creator
