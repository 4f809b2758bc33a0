// Previews of every skin as a user sees it: frames composed from the sheet the
// way the renderer composes them, active and in-active, with and without a
// menu, the buttons in each state, and the caption's right end enlarged.
// They go to test-output/skins/<skin>.png.
#include "sheet/SkinSheetReader.h"
#include "sheet/SkinSheetWriter.h"
#include "sheet/SkinSlice.h"
#include "tests/sheet/SkinSamples.h"
#include "tests/support/Png.h"
#include "tests/tools/PreviewText.h"
#include "tests/tools/SkinFiles.h"
#include "tools/skins/FramePreview.h"
#include "tools/skins/SkinSheetFile.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

constexpr int kMargin = 12, kZoom = 3;
constexpr uint32_t kPaper = 0x00F0F0F0;

// Pixel (x, y) of `from`, `zoom` times larger, onto `to` at (atX, atY).
void DrawEnlarged(SheetImage& to, const SheetImage& from, const SheetRect& r, int atX, int atY,
                  int zoom) {
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x)
            to.Fill({atX + x * zoom, atY + y * zoom, zoom, zoom}, from.Pixel(r.x + x, r.y + y));
}

std::vector<uint8_t> Rgb(const SheetImage& image) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            uint32_t p = image.Pixel(x, y);
            rgb.insert(rgb.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
        }
    return rgb;
}

void WritePreview(const SkinTheme& theme) {
    const SheetImage sheet = MakeSkinSheet(theme);
    const SkinSheetReading read = ReadSkinSheet(sheet);
    ASSERT_TRUE(read.sheet) << read.problem;
    const SkinSheetContent content = CutSkinSheetContent(sheet, *read.sheet, FlagRule::Control);
    using S = ButtonState;
    const FrameShot shots[] = {
        {300, 170, true, true, false, S::Highlight, S::Normal, S::Normal},
        {300, 170, false, true, false, S::Normal, S::Normal, S::Normal},
        {300, 130, true, false, true, S::Normal, S::Normal, S::Down},
        {300, 130, false, false, false, S::Normal, S::Normal, S::Normal},
    };
    const int cellW = 300 + kMargin, top2 = kMargin + 170 + kMargin;
    const int top3 = top2 + 130 + kMargin;
    const int zoomW = 100, zoomH = 60;
    SheetImage page(kMargin + 2 * cellW, top3 + zoomH * kZoom + kMargin, kPaper);
    for (int i = 0; i < 4; ++i) {
        const int x = kMargin + (i % 2) * cellW, y = i < 2 ? kMargin : top2;
        const FramePicture frame = ComposeFrame(sheet, shots[i]);
        page.Draw(frame.image, x, y);
        // Halfway down, the frame's left edge is the skin's own side piece.
        const SheetImage& side = content.Strip(
            shots[i].active ? FrameVariant::Active : FrameVariant::Inactive, StripPiece::LeftSide);
        for (int s = 0; s < side.Width(); ++s)
            EXPECT_EQ(page.Pixel(x + s, y + shots[i].height / 2), side.Pixel(s, 0))
                << theme.name << ", frame " << i << ", column " << s;
        test::DrawPreviewText(page, x, y, frame, shots[i], theme.name + " - a window title");
    }
    // The right end of the first two frames, enlarged.
    for (int i = 0; i < 2; ++i) {
        const int x = kMargin + i * cellW;
        const SheetImage part = page.Cut({x + 300 - zoomW, kMargin, zoomW, zoomH});
        DrawEnlarged(page, part, {0, 0, zoomW, zoomH}, x, top3, kZoom);
    }
    const std::string path = test::SkinOutputPath(theme.name + ".png");
    ASSERT_TRUE(test::WritePng(path, page.Width(), page.Height(), Rgb(page))) << path;
}

// A sheet whose fixed and sizable bottom corners differ: each window shows the
// corners of its kind.
TEST(SkinPreview, FixedAndSizableWindowsShowTheirOwnBottomCorners) {
    test::SampleSkin skin = test::BuiltInLikeSkin();
    skin.content.Flag(SheetFlag::RoundTop) = skin.content.Flag(SheetFlag::RoundBottom) = false;
    const StripPiece corners[] = {StripPiece::BottomLeftFixed, StripPiece::BottomLeftSizable,
                                  StripPiece::BottomRightFixed, StripPiece::BottomRightSizable};
    const uint32_t colours[] = {0x000000C0, 0x0000C000, 0x00C00000, 0x00C0C000};
    for (int i = 0; i < 4; ++i) {
        SheetImage& piece = skin.content.Strip(FrameVariant::Active, corners[i]);
        piece = SheetImage(piece.Width(), piece.Height(), colours[i]);
    }
    const SheetImage sheet = ComposeSkinSheet(skin.content, skin.background);
    FrameShot shot;
    const FramePicture sizable = ComposeFrame(sheet, shot);
    shot.sizable = false;
    const FramePicture fixed = ComposeFrame(sheet, shot);
    const int W = shot.width, H = shot.height;
    EXPECT_EQ(sizable.image.Pixel(1, H - 2), colours[1]);
    EXPECT_EQ(sizable.image.Pixel(W - 2, H - 2), colours[3]);
    EXPECT_EQ(fixed.image.Pixel(1, H - 2), colours[0]);
    EXPECT_EQ(fixed.image.Pixel(W - 2, H - 2), colours[2]);
}

TEST(SkinPreview, EverySkinIsPreviewedInItsOwnFrames) {
    for (const auto& skin : test::AllSkins())
        WritePreview(*skin.first);
}

} // namespace
} // namespace qel
