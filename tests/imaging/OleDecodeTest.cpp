// Every GIF case read back by the platform's picture loader (OleLoadPicture):
// the colour of every pixel.
#include "imaging/mGIFSave.h"
#include "tests/imaging/GdiHelpers.h"
#include "tests/imaging/GifCases.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qel {
namespace {

ComPtr<IPicture> LoadPicture(const std::vector<uint8_t>& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.put()))) return {};
    ComPtr<IPicture> picture;
    OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                   picture.put_void());
    return picture;
}

TEST(OleDecode, ThePictureLoaderReadsEveryCase) {
    std::vector<test::GifCase> cases = test::MakeGifCases();
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> gif;
        ASSERT_EQ(EncodeGIF(c.pixels.View(), *c.Palette(),
                            {c.transparentIndex, c.interlaced, c.comment}, gif),
                  GifError::None);
        auto picture = LoadPicture(gif);
        ASSERT_TRUE(picture);
        cDIB decoded;
        ASSERT_GT(decoded.CreateFromStdPicture(picture.get(), true), 0);
        ASSERT_EQ(decoded.Width(), c.Width());
        ASSERT_EQ(decoded.Height(), c.Height());
        auto table = c.ColourTable();
        std::vector<uint8_t> indices = c.Indices();
        int wrong = 0;
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x) {
                uint8_t index = indices[static_cast<size_t>(y) * c.Width() + x];
                if (index == c.transparentIndex) continue; // the loader's choice of colour
                const auto& e = table[index];
                uint32_t expected = uint32_t(e[0]) << 16 | uint32_t(e[1]) << 8 | e[2];
                if (test::Pixel32(decoded, x, y) != expected && ++wrong <= 3)
                    ADD_FAILURE() << "pixel " << x << "," << y << " index " << int(index);
            }
        EXPECT_EQ(wrong, 0);
    }
}

} // namespace
} // namespace qel
