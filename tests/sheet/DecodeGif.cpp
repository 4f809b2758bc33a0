#include "tests/sheet/DecodeGif.h"

#include <gif_lib.h>

#include <algorithm>
#include <memory>

namespace qel::test {

namespace {

struct Reader {
    const std::vector<uint8_t>& bytes;
    size_t at = 0;
};

int Read(GifFileType* gif, GifByteType* to, int count) {
    Reader& reader = *static_cast<Reader*>(gif->UserData);
    const size_t n = std::min(static_cast<size_t>(count), reader.bytes.size() - reader.at);
    std::copy_n(reader.bytes.begin() + static_cast<std::ptrdiff_t>(reader.at), n, to);
    reader.at += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

} // namespace

SheetImage DecodeGif(const std::vector<uint8_t>& bytes) {
    Reader reader{bytes};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, Read, &error));
    if (!gif || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return {};
    const SavedImage& image = gif->SavedImages[0];
    const ColorMapObject* map =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    if (!map) return {};
    SheetImage picture(image.ImageDesc.Width, image.ImageDesc.Height);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const int index = image.RasterBits[y * picture.Width() + x];
            if (index >= map->ColorCount) return {};
            const GifColorType& e = map->Colors[index];
            picture.SetPixel(x, y, e.Red | e.Green << 8 | uint32_t(e.Blue) << 16);
        }
    return picture;
}

} // namespace qel::test
