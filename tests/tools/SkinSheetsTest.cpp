// The generated skin sheets: they read back to the settings they must have,
// their pieces fit together where the renderer puts them, and the committed
// files are exactly what the generator writes.
#include "sheet/SkinSheetReader.h"
#include "sheet/SkinSheetWriter.h"
#include "sheet/SkinSlice.h"
#include "tests/tools/SkinFiles.h"
#include "tools/skins/SkinSheetFile.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <tuple>

namespace qel {
namespace {

using V = CaptionVariant;
using P = CaptionPiece;

// The built-in sheets as the format lists them, in SheetColour order.
struct ListedSheet {
    const char* name;
    uint32_t key;
    std::array<uint32_t, kSheetColours> colours;
    uint32_t background;
};
const ListedSheet kListed[] = {
    {"Light Blue Bubble",
     0x00008000,
     {0x00DCE1E2, 0x00800000, 0x003F3F3F, 0x00800000, 0x003F3F3F, 0x00800000, 0x00DCE1E2,
      0x00FF00FF, 0x00800000, 0x00DCE1E2},
     0x00FEFEFE},
    {"Dark Blue Bubble",
     0x00008000,
     {0x00F9C7C7, 0x00800000, 0x003F3F3F, 0x00800000, 0x003F3F3F, 0x00800000, 0x00DDE2E3,
      0x00FF00FF, 0x00000000, 0x00DDE2E3},
     0x00FFFFFF},
    {"Green Bubble",
     0x00800000,
     {0x00CEF2CE, 0x00008000, 0x003F3F3F, 0x00008000, 0x003F3F3F, 0x00008000, 0x00CEF2CE,
      0x00FF00FF, 0x00004000, 0x00DDE2E3},
     0x00FFFFFF},
    {"Ruby Red Bubble",
     0x00008000,
     {0x00C7C7F9, 0x00000080, 0x003F3F3F, 0x00000080, 0x003F3F3F, 0x00000080, 0x00C7C7F9,
      0x00FF00FF, 0x00000000, 0x00DDE2E3},
     0x00FFFFFF},
    {"Purple Bubble",
     0x0000FF00,
     {0x00E6B2E4, 0x00FEFEFE, 0x00FEFEFE, 0x00160816, 0x005F1F5D, 0x00160816, 0x00F1D2F0,
      0x009E349A, 0x00000000, 0x00DDE2E3},
     0x00FEFEFE},
    {"Grey Bubble",
     0x0000FF00,
     {0x00CDCDCD, 0x00FFFFFF, 0x003F3F3F, 0x000F0F0F, 0x003F3F3F, 0x000F0F0F, 0x00E2E2E2,
      0x00696969, 0x00000000, 0x00E2E2E2},
     0x00FFFFFF},
};

SkinSheet Read(const SheetImage& sheet) {
    SkinSheetReading reading = ReadSkinSheet(sheet);
    if (!reading.sheet) throw std::runtime_error(reading.problem);
    return *reading.sheet;
}

TEST(BuiltInSkins, ReadBackToTheListedSheets) {
    ASSERT_EQ(BuiltInSkins().size(), std::size(kListed));
    const SkinSheetGeometry geometry{28, 13, 28, 42, 24, 6, 6, 14, 15};
    const std::array<int32_t, kSheetValues> values{0, 4, 25, 3, 3, 20, 25, 4, 0, 0, 25};
    for (size_t i = 0; i < std::size(kListed); ++i) {
        const ListedSheet& listed = kListed[i];
        SCOPED_TRACE(listed.name);
        const SkinTheme& theme = BuiltInSkins()[i];
        EXPECT_EQ(theme.name, listed.name);
        EXPECT_EQ(theme.fileName, "Skin" + std::to_string(i + 1) + ".gif");
        const SheetImage sheet = MakeSkinSheet(theme);
        ASSERT_EQ(sheet.Width(), 145);
        ASSERT_EQ(sheet.Height(), 162);
        const SkinSheet read = Read(sheet);
        EXPECT_EQ(read.geometry, geometry);
        EXPECT_EQ(read.key, listed.key);
        for (int y : {0, 43, 68, 75, 91, 107, 123, 139, 143})
            EXPECT_EQ(sheet.Pixel(1, y), listed.key) << "key line " << y;
        for (int y : {143, 144, 145})
            EXPECT_EQ(sheet.Pixel(0, y), listed.key) << "ruler line " << y;
        for (int c = 0; c < kSheetColours; ++c)
            EXPECT_EQ(read.Colour(static_cast<SheetColour>(c)), listed.colours[c])
                << "colour " << c;
        for (FlagRule rule : {FlagRule::Control, FlagRule::Creator})
            for (int f = 0; f < kSheetFlags; ++f)
                EXPECT_EQ(read.Flag(static_cast<SheetFlag>(f), rule), f == 2) << "flag " << f;
        EXPECT_EQ(read.values, values);
        EXPECT_EQ(sheet.Pixel(144, 161), listed.background);
        EXPECT_EQ(sheet.Pixel(100, 100), listed.background);

        // What the control makes of it on a form with a menu and on one without.
        SkinSliceResult withMenu = SliceSkinSheet(sheet, {true, true, false});
        ASSERT_TRUE(withMenu.slice) << withMenu.problem;
        const SkinSlice& s = *withMenu.slice;
        EXPECT_EQ(std::make_pair(s.caption.width, s.caption.height), std::make_pair(138, 41));
        EXPECT_EQ(std::make_pair(s.borders.width, s.borders.height), std::make_pair(84, 6));
        EXPECT_EQ(std::make_pair(s.buttons.width, s.buttons.height), std::make_pair(56, 60));
        const SkinConfigValues& k = s.config;
        EXPECT_EQ((std::array{k.ButtonWidth, k.ButtonHeight, k.ActiveLeftEnd, k.ActiveRightStart,
                              k.ActiveRightEnd, k.InactiveOffset, k.LeftBorderWidth,
                              k.RightBorderWidth, k.TitleStartOffsetY, k.ControlButtonOffsetX,
                              k.ControlButtonOffsetY, int32_t(k.ButtonGap), k.MenuStartOffsetY,
                              k.MenuStartOffsetX, k.IconTop, k.IconLeft, k.CaptionLeft}),
                  (std::array<int32_t, 17>{14, 15, 29, 40, 69, 69, 7, 7, 4, -25, 3, 3, 20, 25, 0, 0,
                                           25}));
        EXPECT_TRUE(k.DrawTitle);
        EXPECT_FALSE(k.ShowIcon);
        EXPECT_EQ(s.RoundAngle, 0);
        SkinSliceResult plain = SliceSkinSheet(sheet, {false, true, false});
        ASSERT_TRUE(plain.slice) << plain.problem;
        EXPECT_EQ(plain.slice->caption.height, 23);
    }
}

TEST(ShowcaseSkins, ReadBackToTheirOwnSettingsWithOtherGeometries) {
    ASSERT_GE(ShowcaseSkins().size(), 3u);
    for (const SkinTheme& theme : ShowcaseSkins()) {
        SCOPED_TRACE(theme.name);
        EXPECT_EQ(theme.fileName, theme.name + ".gif");
        const SheetImage sheet = MakeSkinSheet(theme);
        const SkinSheet read = Read(sheet);
        EXPECT_EQ(read.geometry, theme.geometry);
        EXPECT_EQ(read.key, theme.key);
        for (int c = 0; c < kSheetColours; ++c)
            EXPECT_EQ(read.Colour(static_cast<SheetColour>(c)), theme.colours[c]) << "colour " << c;
        for (int f = 0; f < kSheetFlags; ++f)
            EXPECT_EQ(read.Flag(static_cast<SheetFlag>(f), FlagRule::Creator), theme.flags[f]);
        EXPECT_EQ(read.values, theme.values);

        // A taller caption, larger buttons and rounded corners than the built-in skins.
        const SkinSheetGeometry& g = read.geometry;
        EXPECT_GT(g.plainBandHeight, 24);
        EXPECT_GT(g.menuBandHeight, 42);
        EXPECT_GT(g.buttonWidth * g.buttonHeight, 14 * 15);
        EXPECT_GE(read.Value(SheetValue::RoundAngle), 1);
        EXPECT_TRUE(read.Flag(SheetFlag::RoundTop, FlagRule::Control) ||
                    read.Flag(SheetFlag::RoundBottom, FlagRule::Control));
    }
}

TEST(SkinFiles, CommittedFilesAreWhatTheGeneratorWrites) {
    for (const auto& [theme, kind] : test::AllSkins()) {
        SCOPED_TRACE(theme->name);
        const std::vector<uint8_t> written = SkinFile(*theme);
        ASSERT_GE(written.size(), 10u);
        EXPECT_EQ(std::string(written.begin(), written.begin() + 6), "GIF89a");
        if (kind == test::SkinKind::BuiltIn) {
            EXPECT_EQ(written[6] | written[7] << 8, 145);
            EXPECT_EQ(written[8] | written[9] << 8, 162);
        }
        const std::string path = test::CommittedSkinPath(*theme, kind);
        EXPECT_TRUE(test::ReadBytes(path) == written)
            << path << " differs from what the generator writes: run the generate_skins target";
    }
}

TEST(SkinArtwork, KeyColourOnlyInTheLayoutAndAtMost256Colours) {
    for (const auto& [theme, kind] : test::AllSkins()) {
        SCOPED_TRACE(theme->name);
        const SheetImage sheet = MakeSkinSheet(*theme);
        std::set<uint32_t> colours;
        for (int y = 0; y < sheet.Height(); ++y)
            for (int x = 0; x < sheet.Width(); ++x)
                colours.insert(sheet.Pixel(x, y));
        EXPECT_LE(colours.size(), 256u);
        const SkinSheetContent content = CutSkinSheetContent(sheet, Read(sheet), FlagRule::Control);
        EXPECT_EQ(CheckSkinSheetContent(content, theme->background), "");
        EXPECT_EQ(CheckKeyLines(sheet, Read(sheet)), ""); // the creator loads them
        for (const SheetImage* p : content.Pictures())
            for (int y = 0; y < p->Height(); ++y)
                for (int x = 0; x < p->Width(); ++x)
                    ASSERT_NE(p->Pixel(x, y), theme->key) << "key colour inside a piece";
    }
}

// Whether every pixel of column x (or row y) of a picture is alike.
bool ColumnsAlike(const SheetImage& p, int x0, int x1) {
    for (int y = 0; y < p.Height(); ++y)
        if (p.Pixel(x0, y) != p.Pixel(x1, y)) return false;
    return true;
}
bool RowsAlike(const SheetImage& p, int y0, int y1) {
    for (int x = 0; x < p.Width(); ++x)
        if (p.Pixel(x, y0) != p.Pixel(x, y1)) return false;
    return true;
}

TEST(SkinArtwork, PiecesFitTogetherWhereTheRendererPutsThem) {
    for (const auto& [theme, kind] : test::AllSkins()) {
        SCOPED_TRACE(theme->name);
        const SheetImage sheet = MakeSkinSheet(*theme);
        const SkinSheet read = Read(sheet);
        const SkinSheetContent c = CutSkinSheetContent(sheet, read, FlagRule::Control);
        const SkinSheetGeometry& g = read.geometry;
        const int S = g.stripCellWidth, Bw = g.buttonWidth, Bh = g.buttonHeight;

        // Tiled pieces tile seamlessly: the caption middle along x, the sides along y,
        // the bottom middle along x.
        for (int v = 0; v < kCaptionVariants; ++v) {
            const SheetImage& middle = c.Caption(static_cast<V>(v), P::TopMiddle);
            for (int x = 1; x < middle.Width(); ++x)
                EXPECT_TRUE(ColumnsAlike(middle, 0, x)) << "variant " << v + 1 << ", column " << x;
        }
        for (FrameVariant f : {FrameVariant::Active, FrameVariant::Inactive}) {
            for (StripPiece p : {StripPiece::LeftSide, StripPiece::RightSide})
                for (int y = 1; y < g.stripCellHeight; ++y)
                    EXPECT_TRUE(RowsAlike(c.Strip(f, p), 0, y));
            for (int x = 1; x < S; ++x)
                EXPECT_TRUE(ColumnsAlike(c.Strip(f, StripPiece::BottomMiddle), 0, x));
        }

        // The sides run on through the caption of a form with a menu, below its title bar.
        const int menuTop = read.Value(SheetValue::MenuTop);
        for (auto [v, f] : {std::pair{V::ActiveMenu, FrameVariant::Active},
                            std::pair{V::InactiveMenu, FrameVariant::Inactive}}) {
            const SheetImage& left = c.Caption(v, P::TopLeft);
            const SheetImage& right = c.Caption(v, P::TopRight);
            const SheetImage& leftSide = c.Strip(f, StripPiece::LeftSide);
            const SheetImage& rightSide = c.Strip(f, StripPiece::RightSide);
            for (int y = menuTop; y < g.menuBandHeight - 1; ++y)
                for (int x = 0; x < S; ++x) {
                    EXPECT_EQ(left.Pixel(x, y), leftSide.Pixel(x, 0)) << x << ", " << y;
                    EXPECT_EQ(right.Pixel(g.topRightWidth - S + x, y), rightSide.Pixel(x, 0))
                        << x << ", " << y;
                }
        }

        // Each button's image carries the title bar behind it, which is the same
        // with and without a menu; the close button's part over the right end too.
        const int top = read.Value(SheetValue::ButtonsTop);
        const int closeRight = g.topRightWidth - read.Value(SheetValue::ButtonLeft) - 2;
        for (auto [menu, plain, state] :
             {std::tuple{V::ActiveMenu, V::ActivePlain, ButtonState::Normal},
              std::tuple{V::ActiveMenu, V::ActivePlain, ButtonState::Down},
              std::tuple{V::InactiveMenu, V::InactivePlain, ButtonState::Disabled}}) {
            const SheetImage& middle = c.Caption(menu, P::TopMiddle);
            const SheetImage& right = c.Caption(menu, P::TopRight);
            for (int y = top; y < top + Bh; ++y) {
                EXPECT_EQ(middle.Pixel(0, y), c.Caption(plain, P::TopMiddle).Pixel(0, y)) << y;
                for (int x = std::max(0, closeRight - Bw + 1); x <= closeRight; ++x)
                    EXPECT_EQ(right.Pixel(x, y), middle.Pixel(0, y)) << x << ", " << y;
            }
            for (int b = 0; b < kCaptionButtons; ++b) {
                const SheetImage& button = c.Button(state, static_cast<CaptionButton>(b));
                EXPECT_EQ(button.Pixel(0, 0), middle.Pixel(0, top)) << "button " << b;
                EXPECT_EQ(button.Pixel(Bw - 1, 0), middle.Pixel(0, top)) << "button " << b;
            }
        }
    }
}

} // namespace
} // namespace qel
