#include "tests/imaging/GdiHelpers.h"
#include "tests/imaging/TestFiles.h"

namespace qel::test {

ComPtr<IPicture> BitmapPicture(HBITMAP bitmap) {
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&description, IID_IPicture, TRUE, picture.put_void());
    return picture;
}

ComPtr<IPicture> IconPicture() {
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_ICON;
    description.icon.hicon = LoadIcon(nullptr, IDI_APPLICATION);
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&description, IID_IPicture, FALSE, picture.put_void());
    return picture;
}

uint32_t Pixel32(const cDIB& image, int x, int y) {
    const uint8_t* p = image.View().Row(y) + 4 * x;
    return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
}

void SetPixel32(cDIB& image, int x, int y, uint32_t rgb) {
    uint8_t* p = image.View().Row(y) + 4 * x;
    p[0] = static_cast<uint8_t>(rgb);
    p[1] = static_cast<uint8_t>(rgb >> 8);
    p[2] = static_cast<uint8_t>(rgb >> 16);
}

uint32_t GradientColour(int x, int y) {
    return uint32_t(x * 10 & 0xFF) << 16 | uint32_t(y * 10 & 0xFF) << 8 | 200;
}

cDIB Gradient(int width, int height) {
    cDIB image;
    image.Create(width, height, 32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel32(image, x, y, GradientColour(x, y));
    return image;
}

void WriteGradientBmp(const std::string& path, int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> file(54 + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height)); // positive: bottom row first
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t c = GradientColour(x, y);
            size_t at = 54 + static_cast<size_t>(height - 1 - y) * stride + 3 * x;
            file[at] = static_cast<uint8_t>(c);
            file[at + 1] = static_cast<uint8_t>(c >> 8);
            file[at + 2] = static_cast<uint8_t>(c >> 16);
        }
    WriteFileBytes(path, file);
}

} // namespace qel::test
