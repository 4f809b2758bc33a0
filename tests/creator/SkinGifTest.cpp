#include "creator/sheet/SkinGif.h"
#include "creator/sheet/SkinSheetMapping.h"
#include "sheet/SkinSheetReader.h"
#include "sheet/SkinSheetWriter.h"
#include "tests/sheet/DecodeGif.h"
#include "tests/sheet/SkinSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <set>

namespace qel {
namespace {

std::set<uint32_t> ColoursOf(const SheetImage& picture) {
    std::set<uint32_t> colours;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            colours.insert(picture.Pixel(x, y));
    return colours;
}

// A skin of the built-in layout whose pieces are smooth photographs with
// colours next to the key's.
SkinSheetContent PhotoSkin() {
    SkinSheetContent c = test::BuiltInLikeSkin().content;
    int n = 0;
    for (SheetImage& piece : c.captionPieces)
        for (int y = 0; y < piece.Height(); ++y)
            for (int x = 0; x < piece.Width(); ++x, ++n)
                piece.SetPixel(x, y,
                               n % 50 == 0 ? c.key ^ 0x000100
                                           : uint32_t(x * 6 + n % 7) | uint32_t(y * 5 + 40) << 8 |
                                                 uint32_t((x + y) * 3) << 16);
    return c;
}

double PiecesPsnr(const SkinSheetContent& a, const SkinSheetContent& b) {
    double squares = 0;
    int64_t samples = 0;
    const auto pa = a.Pictures(), pb = b.Pictures();
    for (size_t i = 0; i < pa.size(); ++i)
        for (int y = 0; y < pa[i]->Height(); ++y)
            for (int x = 0; x < pa[i]->Width(); ++x)
                for (int shift : {0, 8, 16}) {
                    const int d = int(pa[i]->Pixel(x, y) >> shift & 0xFF) -
                                  int(pb[i]->Pixel(x, y) >> shift & 0xFF);
                    squares += d * d;
                    ++samples;
                }
    return squares == 0 ? 99 : 10 * std::log10(255.0 * 255.0 * samples / squares);
}

TEST(SkinGif, SheetsOfFewColoursAreStoredExactly) {
    const SkinSheetContent content = SheetContentOf(SkinDocument(), [](uint32_t c) { return c; });
    const SkinGif gif = MakeSkinGif(content, 0x00FFFFFF);
    EXPECT_TRUE(gif.exact);
    const SheetImage decoded = test::DecodeGif(gif.bytes);
    EXPECT_EQ(decoded, ComposeSkinSheet(content, 0x00FFFFFF));
    EXPECT_EQ(std::string(gif.bytes.begin(), gif.bytes.begin() + 6), "GIF87a");
    EXPECT_EQ(GifReadBackFault(decoded, gif, content), "");

    std::vector<uint8_t> corrupted = gif.bytes;
    corrupted[13 + 2 * 3] ^= 1; // the background (third in the table) one off: only pixels differ
    const SheetImage wrong = test::DecodeGif(corrupted);
    EXPECT_EQ(wrong.Width(), decoded.Width());
    EXPECT_NE(GifReadBackFault(wrong, gif, content), "");
    SkinSheetContent other = content;
    other.Value(SheetValue::MenuTop) = 16;
    EXPECT_NE(GifReadBackFault(decoded, gif, other), "");
    other = content;
    other.flags[0] = !other.flags[0];
    EXPECT_NE(GifReadBackFault(decoded, gif, other), "");
}

TEST(SkinGif, PhotoPiecesAreReducedAroundExactLayoutColours) {
    const SkinSheetContent content = PhotoSkin();
    const SkinGif gif = MakeSkinGif(content, 0x00FFFFFF);
    EXPECT_FALSE(gif.exact);
    EXPECT_LE(ColoursOf(gif.picture).size(), 256u);
    const SheetImage decoded = test::DecodeGif(gif.bytes);
    EXPECT_EQ(GifReadBackFault(decoded, gif, content), "");

    const SkinSheetContent read =
        CutSkinSheetContent(decoded, *ReadSkinSheet(decoded).sheet, FlagRule::Creator);
    for (const SheetImage* piece : read.Pictures())
        EXPECT_FALSE(ColoursOf(*piece).contains(content.key));
    const double psnr = PiecesPsnr(content, read);
    std::cout << "Photo pieces through a GIF: PSNR " << psnr << " dB (goal 35)\n";
    EXPECT_GT(psnr, 30);
}

TEST(SkinGif, RandomSkinsReadBackFromTheirGifPictures) {
    std::mt19937 rng(23);
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        const test::SampleSkin skin = test::RandomSkin(rng);
        const SkinGif gif = MakeSkinGif(skin.content, skin.background);
        const SheetImage decoded = test::DecodeGif(gif.bytes);
        ASSERT_EQ(GifReadBackFault(decoded, gif, skin.content), "");
        if (gif.exact) {
            EXPECT_EQ(decoded, ComposeSkinSheet(skin.content, skin.background));
        }
    }
}

} // namespace
} // namespace qel
