#include "imaging/cDIB.h"
#include "base/PictureFile.h"
#include "base/SystemPath.h"
#include "imaging/PictureBitmap.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace qel {
namespace {

bool IsDibDepth(int32_t bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

} // namespace

cDIB::cDIB(cDIB&& other) noexcept {
    *this = std::move(other);
}

cDIB& cDIB::operator=(cDIB&& other) noexcept {
    if (this == &other) return *this;
    Destroy();
    dc_ = std::move(other.dc_);
    section_ = std::move(other.section_);
    selection_ = std::move(other.selection_);
    bits_ = std::exchange(other.bits_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    bpp_ = std::exchange(other.bpp_, 0);
    stride_ = std::exchange(other.stride_, 0);
    size_ = std::exchange(other.size_, 0);
    bottomUp_ = std::exchange(other.bottomUp_, false);
    return *this;
}

void cDIB::Adopt(UniqueDC dc, UniqueBitmap section, void* bits, int32_t width, int32_t height,
                 int32_t bpp, bool bottomUp) {
    DibLayout layout = DibLayoutFor(width, height, bpp);
    dc_ = std::move(dc);
    section_ = std::move(section);
    selection_ = Selection(dc_.get(), section_.get());
    bits_ = static_cast<uint8_t*>(bits);
    width_ = width;
    height_ = height;
    bpp_ = bpp;
    stride_ = layout.stride;
    size_ = layout.size;
    bottomUp_ = bottomUp;
}

bool cDIB::Create(int32_t width, int32_t height, int32_t bpp) {
    Destroy();
    if (width < 1 || height < 1 || !IsDibDepth(bpp)) return false;
    DibLayoutFor(width, height, bpp); // refuses sizes beyond 32 bits first
    UniqueDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header = {
        sizeof(BITMAPINFOHEADER), width, -height, 1, static_cast<WORD>(bpp), BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap section(CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&info),
                                          DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section) return false;
    Adopt(std::move(dc), std::move(section), bits, width, height, bpp, false);
    return true;
}

uint8_t cDIB::CreateFromStdPicture(IPicture* picture, bool force32) {
    HBITMAP bitmap = PictureBitmap(picture);
    if (!bitmap) return 0;
    BITMAP bm{};
    GetObject(bitmap, sizeof bm, &bm);
    const int bpp = bm.bmBitsPixel;
    if (!Create(bm.bmWidth, bm.bmHeight, force32 ? 32 : bpp)) return 0;
    UniqueDC source(CreateCompatibleDC(dc_.get()));
    if (!source) return 0;
    Selection selected(source.get(), bitmap);
    if (bpp <= 8 && !force32) {
        RGBQUAD colours[256] = {};
        UINT n = 1u << bpp;
        GetDIBColorTable(source.get(), 0, n, colours);
        SetDIBColorTable(dc_.get(), 0, n, colours);
    }
    BitBlt(dc_.get(), 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY);
    return static_cast<uint8_t>(bpp);
}

uint8_t cDIB::CreateFromBitmapFile(const std::string& fileName) {
    const std::optional<std::wstring> name = SystemPath(fileName);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!name || !GetFileAttributesExW(name->c_str(), GetFileExInfoStandard, &attributes) ||
        (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw std::runtime_error("File not found: " + fileName);
    if (attributes.nFileSizeLow == 0 && attributes.nFileSizeHigh == 0) return 0;
    Destroy();
    // The file checked, then laid into a section made from its own headers and
    // colour table (copied to be aligned), in the file's layout and row order:
    // uncompressed pixels are copied as they lie, run-length encoded ones are
    // decoded into an uncompressed section.
    std::vector<uint8_t> file = ReadPictureFile(fileName, kAnyPicture);
    BITMAPFILEHEADER header{};
    if (file.size() < sizeof header) return 0;
    std::memcpy(&header, file.data(), sizeof header);
    // Past the check, a file that starts "BM" has its headers and colour table before
    // its pixel offset and its pixels from there on; other pictures are no bitmaps.
    if (header.bfType != 0x4D42) return 0; // "BM"
    std::vector<uint32_t> info((header.bfOffBits - sizeof header + 3) / 4);
    std::memcpy(info.data(), file.data() + sizeof header, header.bfOffBits - sizeof header);
    std::vector<uint32_t> made = info;
    auto* madeHeader = reinterpret_cast<BITMAPINFOHEADER*>(made.data());
    const bool core = madeHeader->biSize < sizeof(BITMAPINFOHEADER); // 12 bytes, sides unsigned
    const bool rle =
        !core && (madeHeader->biCompression == BI_RLE8 || madeHeader->biCompression == BI_RLE4);
    if (rle) {
        madeHeader->biCompression = BI_RGB;
        madeHeader->biSizeImage = 0;
    }
    UniqueDC dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    UniqueBitmap section(dc ? CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(made.data()),
                                               DIB_RGB_COLORS, &bits, nullptr, 0)
                            : nullptr);
    DIBSECTION ds{};
    if (!section || GetObject(section.get(), sizeof ds, &ds) != sizeof ds) return 0;
    const uint8_t* pixels = file.data() + header.bfOffBits;
    if (rle && !SetDIBits(dc.get(), section.get(), 0, ds.dsBm.bmHeight, pixels,
                          reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS))
        return 0;
    // The platform tells every section's height as positive: the file's own header
    // says whether its rows lie top-down.
    Adopt(std::move(dc), std::move(section), bits, ds.dsBm.bmWidth, ds.dsBm.bmHeight,
          ds.dsBm.bmBitsPixel, core || madeHeader->biHeight > 0);
    // No further than the file: its last row may end without its padding.
    if (!rle)
        std::memcpy(bits_, pixels, std::min<size_t>(size_, file.data() + file.size() - pixels));
    return static_cast<uint8_t>(bpp_);
}

bool cDIB::CloneTo(cDIB& dest) const {
    if (&dest == this) return static_cast<bool>(section_);
    if (!dest.Create(width_, height_, bpp_)) return false;
    if (bpp_ <= 8) {
        std::vector<uint8_t> palette;
        GetPalette(palette);
        dest.SetPalette(palette);
    }
    // Row by row, so that a bottom-up image comes out the right way up.
    PixelView from = View(), to = dest.View();
    for (int32_t y = 0; y < height_; ++y)
        std::memcpy(to.Row(y), from.Row(y), static_cast<size_t>(stride_));
    return true;
}

void cDIB::Destroy() {
    selection_.reset();
    section_.reset();
    dc_.reset();
    bits_ = nullptr;
    width_ = height_ = bpp_ = stride_ = size_ = 0;
    bottomUp_ = false;
}

bool cDIB::LoadBlt(HDC source, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (!section_) return false;
    if (width < 1) width = width_;
    if (height < 1) height = height_;
    return BitBlt(dc_.get(), x, y, width, height, source, x, y, SRCCOPY) != FALSE;
}

bool cDIB::Stretch(HDC dest, int32_t x, int32_t y, int32_t width, int32_t height, int32_t sourceX,
                   int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight, DWORD rop) const {
    if (!section_) return false;
    if (sourceWidth < 1) sourceWidth = width_;
    if (sourceHeight < 1) sourceHeight = height_;
    int previous = SetStretchBltMode(dest, COLORONCOLOR);
    BOOL done = StretchBlt(dest, x, y, width, height, dc_.get(), sourceX, sourceY, sourceWidth,
                           sourceHeight, rop);
    SetStretchBltMode(dest, previous);
    return done != FALSE;
}

bool cDIB::Cls(OLE_COLOR colour) {
    COLORREF rgb = 0;
    if (!section_ || FAILED(OleTranslateColor(colour, nullptr, &rgb))) return false;
    UniqueBrush brush(CreateSolidBrush(rgb));
    RECT all{0, 0, width_, height_};
    return FillRect(dc_.get(), &all, brush.get()) != 0;
}

void cDIB::SetPalette(std::span<const uint8_t> palette) {
    if (!section_ || bpp_ > 8) return;
    UINT n = static_cast<UINT>(std::min<size_t>(palette.size() / 4, size_t{1} << bpp_));
    SetDIBColorTable(dc_.get(), 0, n, reinterpret_cast<const RGBQUAD*>(palette.data()));
}

void cDIB::GetPalette(std::vector<uint8_t>& palette) const {
    if (!section_ || bpp_ > 8) return;
    palette.assign((size_t{1} << bpp_) * 4, 0);
    GetDIBColorTable(dc_.get(), 0, 1u << bpp_, reinterpret_cast<RGBQUAD*>(palette.data()));
}

bool cDIB::Resize(int32_t newWidth, int32_t newHeight, bool stretch) {
    cDIB resized;
    if (!resized.Create(newWidth, newHeight, bpp_)) return false;
    if (bpp_ <= 8) {
        std::vector<uint8_t> palette;
        GetPalette(palette);
        resized.SetPalette(palette);
    }
    if (stretch)
        Stretch(resized.hDIBDC(), 0, 0, newWidth, newHeight, 0, 0, width_, height_, SRCCOPY);
    else
        Stretch(resized.hDIBDC(), 0, 0, width_, height_, 0, 0, width_, height_, SRCCOPY);
    *this = std::move(resized);
    return true;
}

void cDIB::GetBestFitInfo(int32_t targetWidth, int32_t targetHeight, int32_t& x, int32_t& y,
                          int32_t& width, int32_t& height, bool stretchFit) const {
    if (!section_) return;
    FitRect fit = BestFit(width_, height_, targetWidth, targetHeight, stretchFit);
    x = fit.x;
    y = fit.y;
    width = fit.width;
    height = fit.height;
}

uint8_t* cDIB::lpBits() const {
    GdiFlush();
    return bits_;
}

ComPtr<IPicture> cDIB::Image() const {
    if (!section_) return {};
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width_, height_));
    if (!dc || !bitmap) return {};
    {
        Selection selected(dc.get(), bitmap.get());
        Stretch(dc.get(), 0, 0, width_, height_, 0, 0, width_, height_, SRCCOPY);
    }
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap.get();
    ComPtr<IPicture> picture;
    // The picture owns the bitmap from here on.
    if (SUCCEEDED(OleCreatePictureIndirect(&description, IID_IPicture, TRUE, picture.put_void())))
        bitmap.release();
    return picture;
}

PixelView cDIB::View() const {
    if (!section_) return {};
    GdiFlush();
    if (!bottomUp_) return {bits_, width_, height_, stride_, bpp_};
    return {bits_ + static_cast<ptrdiff_t>(height_ - 1) * stride_, width_, height_,
            -ptrdiff_t{stride_}, bpp_};
}

} // namespace qel
