#include "skinmodel/FrameLayout.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

// A skin as the slicer makes them: in-active border cells of 6 x 8, side
// borders one wider than a cell, buttons placed from the right.
FrameSkin SlicedSkin() {
    FrameSkin k;
    k.ButtonWidth = 16;
    k.ButtonHeight = 14;
    k.ActiveLeftEnd = 31;
    k.ActiveRightStart = 60;
    k.ActiveRightEnd = 90;
    k.InactiveOffset = 90;
    k.BorderHasInactiveVersion = true;
    k.LeftBorderWidth = k.RightBorderWidth = 7;
    k.TopSizingBorderHeight = k.BottomSizingBorderHeight = 5;
    k.ButtonGap = 2;
    k.CustomControlButtonPosition = true;
    k.ControlButtonOffsetX = -6;
    k.ControlButtonOffsetY = 6;
    k.captionHeight = 30;
    k.bordersWidth = 14 * 6;
    k.bordersHeight = 8;
    return k;
}

FrameState Window(int w, int h) {
    FrameState s;
    s.window = {0, 0, w, h};
    return s;
}

using S = FrameSurface;

// The copies from one surface to another, in painting order.
std::vector<PieceCopy> Copies(const std::vector<FrameCopy>& copies, FrameSurface from,
                              FrameSurface to) {
    std::vector<PieceCopy> out;
    for (const FrameCopy& c : copies)
        if (c.from == from && c.to == to) out.push_back(c.piece);
    return out;
}

std::vector<int> SourceXs(const std::vector<PieceCopy>& copies) {
    std::vector<int> out;
    for (const PieceCopy& c : copies)
        out.push_back(c.fromX);
    return out;
}

TEST(FrameLayout, TheBottomCornersAreThoseOfTheWindowsKind) {
    const FrameSkin k = SlicedSkin();
    FrameState state = Window(300, 200);
    FrameLayout sizable = LayOutFrame(k, state);
    // The bottom middle cell, then the left and the right corner.
    const std::vector<PieceCopy> bottom = Copies(sizable.frame, S::Borders, S::Strip);
    EXPECT_EQ(SourceXs(bottom), (std::vector<int>{3 * 6, 2 * 6, 5 * 6}));
    EXPECT_EQ(bottom.back().to.left, 300 - 6);
    EXPECT_EQ(Copies(sizable.frame, S::Strip, S::Window).back().to, (FrameRect{0, 192, 300, 200}));

    state.sizable = false;
    state.active = false;
    FrameLayout fixed = LayOutFrame(k, state);
    EXPECT_EQ(SourceXs(Copies(fixed.frame, S::Borders, S::Strip)),
              (std::vector<int>{(7 + 3) * 6, (7 + 1) * 6, (7 + 4) * 6}));
    EXPECT_EQ(SourceXs(Copies(fixed.frame, S::Borders, S::Side)), (std::vector<int>{42, 42 + 36}));
}

TEST(FrameLayout, CaptionButtonsCloseUpFromTheRightAndTakeTheirCells) {
    const FrameSkin k = SlicedSkin();
    FrameState state = Window(300, 200);
    state.looks = {ButtonState::Highlight, ButtonState::Down, ButtonState::Normal};
    state.maximised = true;
    FrameLayout all = LayOutFrame(k, state);
    EXPECT_EQ(all.buttons[kCloseButton], (FrameRect{277, 6, 294, 20}));
    EXPECT_EQ(all.buttons[kMaxRestoreButton], (FrameRect{258, 6, 273, 20}));
    EXPECT_EQ(all.buttons[kMinimiseButton], (FrameRect{239, 6, 254, 20}));
    EXPECT_EQ(all.buttonCells[kCloseButton].fromY, 2 * 14);
    EXPECT_EQ(all.buttonCells[kMaxRestoreButton].fromX, 16); // restore
    EXPECT_EQ(all.buttonCells[kMaxRestoreButton].fromY, 14);
    EXPECT_EQ(all.buttonCells[kMinimiseButton].fromX, 3 * 16);

    // Without a maximise box the minimise button takes its place; in-active,
    // every button shows the in-active row.
    state.shown[kMaxRestoreButton] = false;
    state.active = false;
    FrameLayout two = LayOutFrame(k, state);
    EXPECT_FALSE(two.buttonShown[kMaxRestoreButton]);
    EXPECT_EQ(two.buttons[kMinimiseButton], all.buttons[kMaxRestoreButton]);
    EXPECT_EQ(two.buttonCells[kCloseButton].fromY, 3 * 14);
    EXPECT_EQ(two.caption[0].piece.fromX, 90); // the caption's left end
}

TEST(FrameLayout, ANarrowCaptionKeepsItsRightEndAndDropsTheTitle) {
    FrameSkin k = SlicedSkin();
    k.DrawTitle = true;
    FrameLayout wide = LayOutFrame(k, Window(300, 200));
    EXPECT_FALSE(wide.tooNarrow);
    EXPECT_EQ(wide.title, (FrameRect{36, 9, 270, 19})); // below half a border: b + 1
    // The middle (31 to 270): a first tile of 29, repeated by doubling.
    std::vector<FrameRect> middle;
    for (const PieceCopy& c : Copies(wide.caption, S::Strip, S::Strip))
        middle.push_back(c.to);
    EXPECT_EQ(wide.caption[2].piece.to, (FrameRect{31, 0, 60, 30}));
    EXPECT_EQ(middle,
              (std::vector<FrameRect>{
                  {60, 0, 89, 30}, {89, 0, 147, 30}, {147, 0, 263, 30}, {263, 0, 270, 30}}));

    FrameLayout narrow = LayOutFrame(k, Window(40, 200));
    EXPECT_TRUE(narrow.tooNarrow);
    EXPECT_EQ(narrow.caption[1].piece.to.left, 31); // the caption's right end
    EXPECT_EQ(narrow.title, FrameRect{});
    // Equal right start and left end: 16-pixel tiles.
    k.ActiveRightStart = k.ActiveLeftEnd;
    EXPECT_EQ(LayOutFrame(k, Window(300, 200)).caption[2].piece.to.Width(), 16);
}

TEST(FrameLayout, TheMenuBarSitsBelowTheMeasuredTitle) {
    FrameSkin k = SlicedSkin();
    k.DrawTitle = true;
    k.TitleStartOffsetY = 4;
    FrameState state = Window(300, 200);
    state.menu = true;
    state.titleHeight = 13;
    FrameLayout l = LayOutFrame(k, state);
    EXPECT_EQ(l.title, (FrameRect{36, 4, 270, 17}));
    EXPECT_EQ(l.menuBar, (FrameRect{33, 5 + 1 + 13 + 5, 33, 30}));
    EXPECT_EQ(l.menuArea, (FrameRect{28, 24, 28 + 270 - 31, 30}));
    EXPECT_EQ(l.menuYOffset, 24 - 30 + 2);
    k.MenuStartOffsetX = 12;
    k.MenuStartOffsetY = 20;
    l = LayOutFrame(k, state);
    EXPECT_EQ(l.menuBar.left, 12);
    EXPECT_EQ(l.menuArea.left, 12);
    EXPECT_EQ(l.menuBar.top, 20);
}

TEST(FrameLayout, HitTestsFindMenuCaptionZonesAndButtons) {
    const FrameSkin k = SlicedSkin();
    FrameState state = Window(300, 200);
    state.menu = true;
    FrameLayout l = LayOutFrame(k, state);
    l.menuBar.right = l.menuBar.left + 50;
    const int client = 1;
    auto hit = [&](int x, int y, bool canSize = true) {
        return HitTestFrame(k, l, x, y, 300, 200, canSize, client);
    };
    EXPECT_EQ(hit(l.menuBar.left, l.menuBar.top), kHitMenu);
    EXPECT_EQ(hit(150, 5), kHitTop);
    EXPECT_EQ(hit(150, 6), kHitCaption);
    EXPECT_EQ(hit(150, 31), client);
    EXPECT_EQ(hit(2, 100), kHitLeft);
    EXPECT_EQ(hit(3, 100), client);
    EXPECT_EQ(hit(295, 100), kHitRight);
    EXPECT_EQ(hit(0, 0), kHitTopLeft);
    EXPECT_EQ(hit(299, 199), kHitBottomRight);
    EXPECT_EQ(hit(150, 195), kHitBottom);
    EXPECT_EQ(hit(2, 100, false), client);
    std::array<bool, kFrameButtonCount> under{};
    EXPECT_EQ(HitTestFrame(k, l, 280, 10, 300, 200, true, client, &under), kHitSysMenu);
    EXPECT_EQ(under, (std::array<bool, kFrameButtonCount>{true, false, false}));

    // Margins and the inner rectangle agree with the side borders.
    const FrameMargins m = MarginsOf(k);
    EXPECT_EQ(m.top, 30);
    EXPECT_EQ(m.left, 7);
    EXPECT_EQ(m.right, 6);
    EXPECT_EQ(m.bottom, 7);
    EXPECT_EQ(l.inner, (FrameRect{7, 30, 293, 196}));
    const PieceCopy right = Copies(l.frame, S::Side, S::Window)[1];
    EXPECT_EQ(right.to, (FrameRect{292, 30, 300, 200}));
    EXPECT_EQ(right.fromX, 2 * 6 - 7 - 1);
}

TEST(FrameLayout, TheBandsAreCopiedToTheWindowWhereItLies) {
    FrameState state = Window(300, 200);
    state.window = {10, 20, 310, 220};
    const FrameLayout l = LayOutFrame(SlicedSkin(), state);
    std::vector<FrameRect> onWindow;
    for (const FrameCopy& c : l.frame)
        if (c.to == S::Window) onWindow.push_back(c.piece.to);
    EXPECT_EQ(onWindow,
              (std::vector<FrameRect>{
                  {10, 20, 310, 50}, {10, 50, 17, 220}, {302, 50, 310, 220}, {10, 212, 310, 220}}));
}

} // namespace
} // namespace qel
