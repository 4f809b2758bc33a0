#include "base/Handle.h"
#include "tests/support/Resources.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

using test::GdiObjectCount;

TEST(Handle, OwnersFreeWhatTheyHoldAndMovesTransferIt) {
    DWORD before = GdiObjectCount();
    {
        UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
        UniqueRegion region(CreateRectRgn(0, 0, 5, 5));
        ASSERT_TRUE(brush);
        UniqueBrush moved = std::move(brush);
        EXPECT_FALSE(brush);
        EXPECT_TRUE(moved);
        EXPECT_EQ(GdiObjectCount(), before + 2);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(Handle, MemorySurfaceSelectsItsBitmapAndFreesEverything) {
    DWORD before = GdiObjectCount();
    {
        MemorySurface surface(nullptr, 40, 30);
        ASSERT_TRUE(surface);
        EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_BITMAP), surface.bitmap());
        BITMAP bm{};
        GetObject(surface.bitmap(), sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 40);
        EXPECT_EQ(bm.bmHeight, 30);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

} // namespace
} // namespace qel
