// A plain 32-bit picture for skin sheets and the pieces cut from them: pixels
// are colour values 0x00BBGGRR, as the platform's pixel read returns them, rows
// top to bottom. No platform types: the Win32 side converts DIB rows with
// FromBgra/ToBgra.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qel {

struct SheetRect {
    int x = 0, y = 0, width = 0, height = 0;

    int Right() const { return x + width; }   // one past the last column
    int Bottom() const { return y + height; } // one past the last row
    bool operator==(const SheetRect&) const = default;
};

class SheetImage {
public:
    // What Pixel answers outside the picture; no colour value equals it.
    static constexpr uint32_t kOutside = 0xFFFFFFFF;

    SheetImage() = default;
    // Throws std::invalid_argument for a negative size.
    SheetImage(int width, int height, uint32_t colour = 0);

    // From 32-bit DIB pixels (blue in the low byte, the top byte ignored), rows
    // top to bottom, `width` pixels each.
    static SheetImage FromBgra(int width, int height, const uint32_t* rows);
    // The pixels as 32-bit DIB pixels, rows top to bottom, top byte 0.
    std::vector<uint32_t> ToBgra() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    bool Contains(const SheetRect& r) const;

    // kOutside outside the picture.
    uint32_t Pixel(int x, int y) const { return Inside(x, y) ? pixels_[Index(x, y)] : kOutside; }
    // Drawing is clipped to the picture.
    void SetPixel(int x, int y, uint32_t colour) {
        if (Inside(x, y)) pixels_[Index(x, y)] = colour;
    }
    void Fill(const SheetRect& r, uint32_t colour);
    // Copies `from` of `source` to (x, y), clipped at both pictures.
    void Draw(const SheetImage& source, const SheetRect& from, int x, int y);
    void Draw(const SheetImage& source, int x, int y) {
        Draw(source, {0, 0, source.width_, source.height_}, x, y);
    }

    // A copy of `r`, which must lie inside the picture (std::out_of_range if not).
    SheetImage Cut(const SheetRect& r) const;

    bool operator==(const SheetImage&) const = default;

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_;
};

} // namespace qel
