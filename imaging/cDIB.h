// A device-independent bitmap section selected into a memory device context of
// its own: one image that GDI draws on (hDIBDC) and code reads and writes pixel
// by pixel (lpBits, View). The image type of the imaging library on Windows.
#pragma once
#include "base/ComPtr.h"
#include "base/Handle.h"
#include "imaging/PixelBuffer.h"

#include <olectl.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qel {

class cDIB {
public:
    cDIB() = default;
    cDIB(cDIB&& other) noexcept;
    cDIB& operator=(cDIB&& other) noexcept;
    cDIB(const cDIB&) = delete;
    cDIB& operator=(const cDIB&) = delete;
    ~cDIB() = default;

    // Replaces the image by a new top-down section of 1, 4, 8, 16, 24 or 32 bits
    // per pixel, all bits 0 (a colour table of 2^bpp black entries up to 8 bits).
    // False, with no image, for other depths, sizes below 1 or a failing GDI.
    // Throws std::overflow_error when width x bpp + 31 or the size leaves the
    // signed 32-bit range.
    bool Create(int32_t width, int32_t height, int32_t bpp);
    // Copies a bitmap picture: at 32 bits per pixel when `force32`, otherwise at
    // its own depth with its colour table (black when it is not a section).
    // Returns the bitmap's own bits per pixel; 0, changing nothing, when the
    // picture holds no bitmap.
    uint8_t CreateFromStdPicture(IPicture* picture, bool force32);
    // Loads a Windows bitmap file as a section in the file's own row order
    // (bottom-up for ordinary files), run-length encoded pixels uncompressed.
    // Returns its bits per pixel; 0 when the file is empty (nothing changed) or
    // not a bitmap (no image).
    // Throws std::runtime_error when the file does not exist.
    uint8_t CreateFromBitmapFile(const std::string& fileName);
    // Makes `dest` a copy of this image: size, depth, colour table and pixels.
    // False when `dest` could not be created (it is then empty).
    bool CloneTo(cDIB& dest) const;
    // Frees the section and the device context; every size becomes 0.
    void Destroy();

    // Copies from `source` at (x, y) into the image at (x, y); a width or height
    // below 1 means the image's own. False when there is no image.
    bool LoadBlt(HDC source, int32_t x, int32_t y, int32_t width, int32_t height);
    // Stretches the image's source rectangle onto `dest` with the raster
    // operation, colour on colour; a source width or height below 1 means the
    // image's own. `dest`'s stretch mode is restored. False when there is no image.
    bool Stretch(HDC dest, int32_t x, int32_t y, int32_t width, int32_t height, int32_t sourceX,
                 int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight, DWORD rop) const;
    // Fills the image with an OLE colour (system colours allowed). False when
    // there is no image or the colour is not valid.
    bool Cls(OLE_COLOR colour);
    // The colour table from bytes, 4 an entry (blue, green, red, reserved), from
    // entry 0; for images of 8 bits per pixel or fewer.
    void SetPalette(std::span<const uint8_t> palette);
    // The whole colour table, 2^bpp entries; `palette` is left as it was for
    // images without one.
    void GetPalette(std::vector<uint8_t>& palette) const;
    // Scales the image to the new size (`stretch`), or keeps it at its size in
    // the top-left corner, cropped or with zero pixels beyond. False, leaving
    // the image as it was, when the new image cannot be made.
    bool Resize(int32_t newWidth, int32_t newHeight, bool stretch);
    // Where the image goes inside a target of the given size (see BestFit).
    // Does nothing when there is no image.
    void GetBestFitInfo(int32_t targetWidth, int32_t targetHeight, int32_t& x, int32_t& y,
                        int32_t& width, int32_t& height, bool stretchFit) const;

    HDC hDIBDC() const { return dc_.get(); }
    HBITMAP hDIB() const { return section_.get(); }
    // The first byte of the bits, in memory order (GDI's pending drawing done).
    uint8_t* lpBits() const;
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t BPP() const { return bpp_; }
    int32_t BytesPerScanline() const { return stride_; }
    int32_t Size() const { return size_; }
    // A picture holding a copy of the image at the screen's colour depth; null
    // when there is no image.
    ComPtr<IPicture> Image() const;

    // The pixels top row first, whatever the order in memory (GDI's pending
    // drawing done); empty when there is no image.
    PixelView View() const;

private:
    // Takes a section made in `dc`.
    void Adopt(UniqueDC dc, UniqueBitmap section, void* bits, int32_t width, int32_t height,
               int32_t bpp, bool bottomUp);

    UniqueDC dc_;
    UniqueBitmap section_;
    Selection selection_; // after the handles: deselects before they are freed
    uint8_t* bits_ = nullptr;
    int32_t width_ = 0, height_ = 0, bpp_ = 0, stride_ = 0, size_ = 0;
    bool bottomUp_ = false;
};

} // namespace qel
