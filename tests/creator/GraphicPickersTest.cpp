#include "creator/editor/GraphicPickers.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace qel {
namespace {

TEST(GraphicPickers, ProposeThePageVariantAndEveryVariantStillWithoutThePiece) {
    SkinDocument d;
    d.ItemData(2, Piece::LeftSide) = kHasGraphic;
    d.ItemData(1, Piece::LeftSide) = kHasGraphic;
    EXPECT_EQ(ProposedUpdate(d, PageVariant(1), Piece::LeftSide),
              (PieceUpdate{true, true, false, true, 0}));
    EXPECT_EQ(ProposedUpdate(d, PageVariant(3), Piece::TopLeft),
              (PieceUpdate{true, true, true, true, 0}));
    EXPECT_EQ(ProposedUpdate(d, 4, Piece::BtmRight).cornerKind, 1);
    EXPECT_EQ(ProposedUpdate(d, 4, Piece::BtmLeftSize).cornerKind, 2);
    EXPECT_EQ(PiecePickerTitle(Piece::LeftSide), "Get Left Side graphic");
    EXPECT_EQ(ButtonPickerTitle(CaptionButton::Maximize), "Get Maximize Button Graphic");
    EXPECT_THROW(PageVariant(5), std::out_of_range);
}

// Dialogs answered by the test, counting what the picker asked.
struct ScriptedDialogs {
    std::string file = "C:\\art\\piece.bmp";
    bool update = true;
    PieceUpdate ticks{true, false, false, false, 0}; // what the user leaves ticked
    bool readable = true;
    int width = 24;
    std::vector<std::string> titles;
    PieceUpdate proposed;
    int unloads = 0, redraws = 0;

    PickerDialogs Seams() {
        return {[this](const std::string& title) {
                    titles.push_back(title);
                    return file;
                },
                [this](PieceUpdate& u) {
                    proposed = u;
                    u = ticks;
                    return update;
                },
                [this] { ++unloads; },
                [this](const std::string&, PictureBound) {
                    if (!readable) throw std::runtime_error("not a picture");
                    return SheetImage(width, 30, 0x00ABCDEF);
                },
                [](const std::string&) {}};
    }
    std::function<void()> Redraw() {
        return [this] { ++redraws; };
    }
};

TEST(GraphicPickers, APiecePickAssignsWhatTheUpdateDialogLeavesTicked) {
    SkinDocument d;
    ScriptedDialogs s;
    PickPieceGraphic(d, 2, -1, s.Seams(), s.Redraw()); // no item selected
    EXPECT_TRUE(s.titles.empty());
    EXPECT_EQ(s.redraws, 0);

    PickPieceGraphic(d, 2, 0, s.Seams(), s.Redraw());
    EXPECT_EQ(s.titles, (std::vector<std::string>{"Get Top Left graphic"}));
    EXPECT_EQ(s.proposed, (PieceUpdate{true, true, true, true, 0}));
    EXPECT_EQ(d.ItemData(1, Piece::TopLeft), kHasGraphic);
    EXPECT_EQ(d.ItemData(3, Piece::TopLeft), 0);
    EXPECT_EQ(d.Text(Field::CaptionLeft), "24");
    EXPECT_EQ(s.unloads, 1);
    EXPECT_EQ(s.redraws, 1);
    EXPECT_TRUE(d.SkinModified);

    d.SkinModified = false;
    s.update = false; // "Cancel": nothing stored, yet modified
    PickPieceGraphic(d, 4, 3, s.Seams(), s.Redraw());
    EXPECT_EQ(d.ItemData(1, Piece::LeftSide), 0);
    EXPECT_EQ(s.unloads, 2);
    EXPECT_TRUE(d.SkinModified);
}

TEST(GraphicPickers, CancelAndFailureRoadsOfThePiecePick) {
    SkinDocument d;
    ScriptedDialogs s;
    s.file.clear(); // a cancelled open dialog marks the skin modified on List1's page only
    PickPieceGraphic(d, 3, 1, s.Seams(), s.Redraw());
    EXPECT_FALSE(d.SkinModified);
    PickPieceGraphic(d, 1, 1, s.Seams(), s.Redraw());
    EXPECT_TRUE(d.SkinModified);
    EXPECT_EQ(s.redraws, 2);
    EXPECT_EQ(s.unloads, 0);

    // A file that is no picture, or one larger than a sheet holds: nothing
    // stored, no redraw, the update dialog left loaded, SkinModified kept.
    s.file = "C:\\art\\notes.bmp";
    d.SkinModified = false;
    const SkinDocument before = d;
    s.readable = false;
    PickPieceGraphic(d, 1, 7, s.Seams(), s.Redraw());
    s.readable = true;
    s.width = kMaxSheetSide + 1;
    PickPieceGraphic(d, 3, 7, s.Seams(), s.Redraw());
    EXPECT_EQ(d, before);
    EXPECT_EQ(s.redraws, 2);
    EXPECT_EQ(s.unloads, 0);
}

TEST(GraphicPickers, AButtonPickTagsTheBoxAndMarksTheSkinModifiedLast) {
    SkinDocument d;
    ScriptedDialogs s;
    bool modifiedWhenShown = true;
    const auto show = [&] { modifiedWhenShown = d.SkinModified; };
    PickButtonGraphic(d, CaptionButton::Restore, 2, s.Seams(), show);
    EXPECT_EQ(s.titles.back(), "Get Restore Button Graphic");
    const GraphicBox& box = d.ButtonBox(CaptionButton::Restore, 2);
    EXPECT_EQ(box.width, 24);
    EXPECT_EQ(box.tag, "99");
    EXPECT_FALSE(modifiedWhenShown);
    EXPECT_TRUE(d.SkinModified);

    d.SkinModified = false;
    const SkinDocument before = d;
    s.width = kMaxSheetSide + 1;
    PickButtonGraphic(d, CaptionButton::Close, 1, s.Seams(), show);
    s.file.clear();
    PickButtonGraphic(d, CaptionButton::Close, 1, s.Seams(), show);
    EXPECT_EQ(d, before);
}

} // namespace
} // namespace qel
