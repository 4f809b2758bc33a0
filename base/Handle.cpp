#include "base/Handle.h"

namespace qel {

MemorySurface::MemorySurface(HDC reference, int w, int h) : w_(w), h_(h) {
    if (reference) {
        dc_.reset(CreateCompatibleDC(reference));
        bitmap_.reset(CreateCompatibleBitmap(reference, w, h));
    } else {
        UniqueDC display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
        dc_.reset(CreateCompatibleDC(display.get()));
        bitmap_.reset(CreateCompatibleBitmap(display.get(), w, h));
    }
    if (dc_ && bitmap_) selection_ = Selection(dc_.get(), bitmap_.get());
}

} // namespace qel
