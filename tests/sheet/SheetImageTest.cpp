#include "sheet/SheetImage.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace qel {
namespace {

SheetImage Numbered(int w, int h) {
    SheetImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetPixel(x, y, static_cast<uint32_t>(100 * y + x));
    return image;
}

TEST(SheetImage, ReadsOutsideAnswerNoColourAndWritesOutsideAreDropped) {
    SheetImage image(3, 2, 7);
    EXPECT_EQ(image.Pixel(2, 1), 7u);
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) {
        EXPECT_EQ(image.Pixel(x, y), SheetImage::kOutside);
        image.SetPixel(x, y, 1);
    }
    EXPECT_EQ(image, SheetImage(3, 2, 7));
    EXPECT_THROW(SheetImage(-1, 2), std::invalid_argument);
}

TEST(SheetImage, FillAndDrawAreClippedAtBothPictures) {
    SheetImage image(4, 4, 0);
    image.Fill({-2, 3, 10, 5}, 9);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(image.Pixel(x, 3), 9u);
    EXPECT_EQ(image.Pixel(0, 2), 0u);

    SheetImage source = Numbered(5, 5);
    SheetImage target(4, 4, 0);
    target.Draw(source, {-1, 3, 3, 4}, -1, 2); // source and target both cut on two sides
    EXPECT_EQ(target.Pixel(0, 2), 300u);
    EXPECT_EQ(target.Pixel(1, 2), 301u);
    EXPECT_EQ(target.Pixel(0, 3), 400u);
    EXPECT_EQ(target.Pixel(2, 2), 0u);
    EXPECT_EQ(target.Pixel(0, 1), 0u);
    target.Draw(source, {4, 4, 9, 9}, 3, 3);
    EXPECT_EQ(target.Pixel(3, 3), 404u);
    target.Draw(source, {0, 0, 5, 5}, 9, 9); // nothing lands
}

TEST(SheetImage, CutTakesOnlyRectanglesInsideThePicture) {
    SheetImage image = Numbered(5, 4);
    SheetImage part = image.Cut({1, 2, 3, 2});
    EXPECT_EQ(part.Width(), 3);
    EXPECT_EQ(part.Pixel(0, 0), 201u);
    EXPECT_EQ(part.Pixel(2, 1), 303u);
    EXPECT_EQ(image.Cut({5, 4, 0, 0}).Width(), 0);
    EXPECT_THROW(image.Cut({3, 0, 3, 1}), std::out_of_range);
    EXPECT_THROW(image.Cut({0, -1, 1, 1}), std::out_of_range);
    EXPECT_THROW(image.Cut({0, 0, -1, 1}), std::out_of_range);
}

TEST(SheetImage, DibPixelsSwapRedAndBlueAndLoseTheirTopByte) {
    const uint32_t dib[] = {0xFF112233, 0x00A0B0C0};
    SheetImage image = SheetImage::FromBgra(2, 1, dib);
    EXPECT_EQ(image.Pixel(0, 0), 0x00332211u);
    EXPECT_EQ(image.Pixel(1, 0), 0x00C0B0A0u);
    EXPECT_EQ(image.ToBgra(), (std::vector<uint32_t>{0x00112233, 0x00A0B0C0}));
}

} // namespace
} // namespace qel
