// Memory surfaces: they only grow, keep what is drawn on them while they do
// not, and copy pictures in.
#include "renderer/cMemDC.h"
#include "tests/renderer/SyntheticSkin.h"

#include <olectl.h>
#include <gtest/gtest.h>

namespace qel {
namespace {

void Fill(cMemDC& s, RECT r, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(s.hdc(), &r, brush.get());
}

TEST(MemDC, AsksForSmallerSizesKeepTheSurfaceAndItsContents) {
    cMemDC s;
    EXPECT_EQ(s.hdc(), nullptr);
    EXPECT_EQ(s.Width(), 0);
    s.SetWidth(40);
    s.SetHeight(30);
    ASSERT_NE(s.hdc(), nullptr);
    EXPECT_EQ(s.Width(), 40);
    EXPECT_EQ(s.Height(), 30);
    Fill(s, {0, 0, 40, 30}, RGB(10, 20, 30));
    const HDC dc = s.hdc();
    s.SetWidth(40);
    s.SetWidth(12);
    s.SetHeight(1);
    EXPECT_EQ(s.hdc(), dc);
    EXPECT_EQ(s.Width(), 40);
    EXPECT_EQ(s.Height(), 30);
    EXPECT_EQ(GetPixel(s.hdc(), 39, 29), RGB(10, 20, 30));
    // Growing in one direction keeps the other size.
    s.SetHeight(50);
    EXPECT_EQ(s.Width(), 40);
    EXPECT_EQ(s.Height(), 50);
}

TEST(MemDC, APictureGoesToTheCornerOfASurfaceThatMayBeLarger) {
    auto picture = test::FlatPicture(10, 8, RGB(200, 0, 0), {{{5, 0, 10, 8}, RGB(0, 0, 200)}});
    ComPtr<IPicture> p = picture.as<IPicture>();
    cMemDC fresh;
    fresh.CreateFromPicture(p.get());
    EXPECT_EQ(fresh.Width(), 10);
    EXPECT_EQ(fresh.Height(), 8);
    EXPECT_EQ(GetPixel(fresh.hdc(), 1, 1), RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(fresh.hdc(), 9, 7), RGB(0, 0, 200));

    cMemDC large;
    large.SetWidth(50);
    large.SetHeight(40);
    Fill(large, {0, 0, 50, 40}, RGB(0, 150, 0));
    large.CreateFromPicture(p.get());
    EXPECT_EQ(large.Width(), 50);
    EXPECT_EQ(large.Height(), 40);
    EXPECT_EQ(GetPixel(large.hdc(), 2, 2), RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(large.hdc(), 10, 2), RGB(0, 150, 0));
    EXPECT_EQ(GetPixel(large.hdc(), 2, 8), RGB(0, 150, 0));
}

TEST(MemDC, MissingOrForeignPicturesAndAbsurdSizesLeaveItEmpty) {
    cMemDC s;
    s.CreateFromPicture(nullptr);
    EXPECT_EQ(s.hdc(), nullptr);
    // An icon picture has no bitmap to copy.
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    ComPtr<IPicture> icon;
    ASSERT_EQ(OleCreatePictureIndirect(&desc, IID_IPicture, FALSE, icon.put_void()), S_OK);
    s.CreateFromPicture(icon.get());
    EXPECT_EQ(s.hdc(), nullptr);
    EXPECT_EQ(s.Width(), 0);

    // A bitmap that cannot be made leaves no surface behind.
    s.SetWidth(200000);
    s.SetHeight(200000);
    EXPECT_EQ(s.hdc(), nullptr);
    EXPECT_EQ(s.Width(), 0);
    EXPECT_EQ(s.Height(), 0);
}

} // namespace
} // namespace qel
