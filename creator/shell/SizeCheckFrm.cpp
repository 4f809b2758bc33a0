#include "creator/shell/SizeCheckFrm.h"
#include "creator/shell/CreatorSkin.h"
#include "creator/shell/VerdictIcons.h"
#include "forms/ActiveXControl.h"
#include "forms/CommandButton.h"
#include "forms/Grid.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/RuntimeError.h"
#include "base/Val.h"

#include <cmath>
#include <cstdio>

namespace qel::creator {

using namespace forms;

namespace {

constexpr long kFirstPieceRow = 2, kLastPieceRow = 11;
// The row headings: the piece names, shortened where the list texts are long.
constexpr const char* kRowNames[kPieces] = {"Top Left",
                                            "Top Mid",
                                            "Top Right",
                                            "Left Side",
                                            "Right Side",
                                            "Bottom Left Fixed",
                                            "Bottom Left Sizable",
                                            "Bottom Middle",
                                            "Bottom Right Fixed",
                                            "Bottom Right Sizable"};

// The comparison groups' colours (0x00BBGGRR).
constexpr OleColor kSideWidths = 0x0080FF80, kSideHeights = 0x00FF80FF,
                   kTopHeightsWithMenu = 0x0080C0FF, kTopHeightsNoMenu = 0x00FFC0C0,
                   kTopLeftWidths = 0x0080FFFF, kTopMiddleWidths = 0x00C0C0C0,
                   kTopRightWidths = 0x00FF8080;

Piece PieceOfRow(long row) {
    return static_cast<Piece>(row - kFirstPieceRow);
}

double Number(const Grid& grid, long row, long col) {
    return Val(grid.TextMatrix(row, col));
}

// The size as the platform turns a number into text: whole numbers without a point.
std::string SizeText(float twips) {
    if (twips == std::floor(twips)) return std::to_string(static_cast<long long>(twips));
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(twips));
    return text;
}

} // namespace

void SizeCheckFrm::Design() {
    Caption("Check Skin Graphic Size");
    Border(BorderStyle::FixedDialog);
    ClientSize(9120, 6255);
    StartUp(StartUpPosition::CenterOwner);

    Grid1 = Add<Grid>("Grid1", 150, 150, 5790, 2925);
    Grid2 = Add<Grid>("Grid2", 150, 3225, 5790, 2925);
    for (Grid* grid : {Grid1, Grid2}) {
        grid->Rows(12);
        grid->Cols(5);
        grid->FixedRows(2);
        grid->FixedCols(1);
    }
    Label1 = Add<Label>("Label1", 6525, 375, 1785, 195);
    Label1->Caption("Like Colors MUST Match");
    Image1 = Add<Image>("Image1", 6225, 975, 1890, 1440);
    Image2 = Add<Image>("Image2", 6225, 4875, 240, 240);
    Image2->Picture(PassIcon());
    Image3 = Add<Image>("Image3", 6225, 4875, 240, 240);
    Image3->Picture(FailIcon());
    Label2 = Add<Label>("Label2", 6675, 4800, 2235, 495);
    Command1 = Add<CommandButton>("Command1", 7575, 5625, 1440, 540);
    Command1->Caption("Exit");
    Command1->OnClick = [this] { Unload(); };
    Grid1->OnCellChange = [this] { ShowCell(*Grid1, *Grid2, 1); };
    Grid2->OnCellChange = [this] { ShowCell(*Grid2, *Grid1, 3); };

    Qel_SkinCtrl1 = AddCreatorSkinControl(*this);
    OnLoad = [this] {
        Qel_SkinCtrl1->Call(L"ActivateSkin");
        Fill();
        const bool failed = CheckGroups();
        Grid1->Row(0);
        Grid2->Row(0);
        Label2->Caption(failed ? "Graphic Sizes Currently DO-NOT Pass Validation"
                               : "Graphic Sizes Currently Pass Validation");
        Image2->Visible(!failed);
        Image3->Visible(failed);
    };
}

void SizeCheckFrm::Fill() {
    if (!Boxes) throw RuntimeError(kInvalidCall, "No piece boxes to check");
    Grid1->TextMatrix(0, 0, "With Menu");
    Grid2->TextMatrix(0, 0, "No Menu");
    for (Grid* grid : {Grid1, Grid2}) {
        const char* headings[] = {"Graphic", "Width", "Height", "Width", "Height"};
        for (long c = 0; c < 5; ++c)
            grid->TextMatrix(1, c, headings[c]);
    }
    for (Grid* grid : {Grid1, Grid2}) {
        grid->TextMatrix(0, 1, "Active");
        grid->TextMatrix(0, 3, "In-Active");
    }
    for (Grid* grid : {Grid1, Grid2})
        for (long row = kFirstPieceRow; row <= kLastPieceRow; ++row)
            grid->TextMatrix(row, 0, kRowNames[row - kFirstPieceRow]);
    for (Grid* grid : {Grid1, Grid2})
        grid->ColWidth(0, 2000);
    // Grid1: variants 1 (active) and 2 (in-active); Grid2: variants 3 and 4.
    for (auto [grid, active] : {std::pair{Grid1, 1}, std::pair{Grid2, 3}})
        for (long row = kFirstPieceRow; row <= kLastPieceRow; ++row)
            for (int v = 0; v < 2; ++v) {
                const Piece piece = PieceOfRow(row);
                grid->TextMatrix(row, 1 + 2 * v, SizeText(Boxes->Width(piece, active + v)));
                grid->TextMatrix(row, 2 + 2 * v, SizeText(Boxes->Height(piece, active + v)));
            }
}

bool SizeCheckFrm::CheckGroups() {
    bool failed = false;
    // Whether every listed cell holds `ref`; stops at the first that does not.
    auto allEqual = [](double ref, std::initializer_list<std::pair<const Grid*, long>> cells,
                       long row) {
        for (auto [grid, col] : cells)
            if (Number(*grid, row, col) != ref) return false;
        return true;
    };
    auto colourBoth = [this](long row1, long row2, long col, OleColor colour) {
        Grid1->CellBackColor(row1, col, row2, col, colour);
        Grid2->CellBackColor(row1, col, row2, col, colour);
    };
    // The side and bottom pieces share one width and one height in all four variants.
    for (auto [col, colour] : {std::pair{1L, kSideWidths}, std::pair{2L, kSideHeights}}) {
        colourBoth(5, 11, col, colour);
        colourBoth(5, 11, col + 2, colour);
        if (failed) continue; // the heights are tested only while nothing failed
        const double ref = Number(*Grid1, 5, col);
        for (long row = 5; row <= 11 && !failed; ++row)
            failed = !allEqual(
                ref, {{Grid1, col}, {Grid1, col + 2}, {Grid2, col}, {Grid2, col + 2}}, row);
    }
    // The top pieces share one height within the variants with menu, and within those without.
    for (auto [grid, colour] :
         {std::pair{Grid1, kTopHeightsWithMenu}, std::pair{Grid2, kTopHeightsNoMenu}}) {
        grid->CellBackColor(2, 2, 4, 2, colour);
        grid->CellBackColor(2, 4, 4, 4, colour);
        if (failed) continue;
        const double ref = Number(*grid, 2, 2);
        for (long row = 2; row <= 4 && !failed; ++row)
            failed = !allEqual(ref, {{grid, 2}, {grid, 4}}, row);
    }
    // The four top-left pieces share one width.
    colourBoth(2, 2, 1, kTopLeftWidths);
    colourBoth(2, 2, 3, kTopLeftWidths);
    if (!failed) failed = !allEqual(Number(*Grid1, 2, 1), {{Grid1, 3}, {Grid2, 1}, {Grid2, 3}}, 2);
    // The top-middle and top-right widths are coloured as a guide only.
    colourBoth(3, 3, 1, kTopMiddleWidths);
    colourBoth(3, 3, 3, kTopMiddleWidths);
    colourBoth(4, 4, 1, kTopRightWidths);
    colourBoth(4, 4, 3, kTopRightWidths);
    return failed;
}

void SizeCheckFrm::ShowCell(Grid& grid, Grid& other, int activeVariant) {
    const long row = grid.Row();
    if (row < kFirstPieceRow) return; // the headings
    other.Row(0);
    const int variant = grid.Col() < 3 ? activeVariant : activeVariant + 1;
    Image1->Picture(Boxes->Image(PieceOfRow(row), variant));
}

} // namespace qel::creator
