#include "sheet/SheetImage.h"

#include <algorithm>
#include <stdexcept>

namespace qel {

namespace {

// Swaps red and blue: the same operation both ways between DIB pixels and colour values.
uint32_t SwapRedBlue(uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

} // namespace

SheetImage::SheetImage(int width, int height, uint32_t colour) : width_(width), height_(height) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative picture size");
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), colour);
}

SheetImage SheetImage::FromBgra(int width, int height, const uint32_t* rows) {
    SheetImage image(width, height);
    std::transform(rows, rows + image.pixels_.size(), image.pixels_.begin(), SwapRedBlue);
    return image;
}

std::vector<uint32_t> SheetImage::ToBgra() const {
    std::vector<uint32_t> out(pixels_.size());
    std::transform(pixels_.begin(), pixels_.end(), out.begin(), SwapRedBlue);
    return out;
}

bool SheetImage::Contains(const SheetRect& r) const {
    return r.width >= 0 && r.height >= 0 && r.x >= 0 && r.y >= 0 && r.x <= width_ - r.width &&
           r.y <= height_ - r.height;
}

void SheetImage::Fill(const SheetRect& r, uint32_t colour) {
    int left = std::max(r.x, 0), right = std::min(r.Right(), width_);
    int top = std::max(r.y, 0), bottom = std::min(r.Bottom(), height_);
    if (left >= right) return;
    for (int y = top; y < bottom; ++y)
        std::fill_n(pixels_.begin() + Index(left, y), right - left, colour);
}

void SheetImage::Draw(const SheetImage& source, const SheetRect& from, int x, int y) {
    // Clip the source rectangle to the source picture, then to this one.
    int sx = from.x, sy = from.y, w = from.width, h = from.height;
    auto clip = [](int& pos, int& other, int& size, int limit) {
        if (pos < 0) {
            size += pos;
            other -= pos;
            pos = 0;
        }
        size = std::min(size, limit - pos);
    };
    clip(sx, x, w, source.width_);
    clip(sy, y, h, source.height_);
    clip(x, sx, w, width_);
    clip(y, sy, h, height_);
    if (w <= 0 || h <= 0) return;
    for (int row = 0; row < h; ++row) {
        auto start = source.pixels_.begin() + source.Index(sx, sy + row);
        std::copy_n(start, w, pixels_.begin() + Index(x, y + row));
    }
}

SheetImage SheetImage::Cut(const SheetRect& r) const {
    if (!Contains(r)) throw std::out_of_range("rectangle outside the picture");
    SheetImage part(r.width, r.height);
    part.Draw(*this, r, 0, 0);
    return part;
}

} // namespace qel
