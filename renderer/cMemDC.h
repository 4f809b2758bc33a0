// An off-screen drawing surface that only ever grows: a memory device context
// with a bitmap in the screen's colour format. Asking for a size not larger
// than the current one keeps the bitmap and what is drawn on it; growing makes
// a new bitmap whose contents start undefined.
#pragma once
#include "base/Handle.h"

#include <ocidl.h>
#include <optional>

namespace qel {

class cMemDC {
public:
    // Grows the surface to at least the picture's bitmap and copies the bitmap
    // to (0, 0). A missing picture, or one without a bitmap, changes nothing.
    void CreateFromPicture(IPicture* sPic);

    // The memory device context; null while the surface is empty.
    HDC hdc() const { return surface_ ? surface_->dc() : nullptr; }
    long Width() const { return surface_ ? surface_->width() : 0; }
    long Height() const { return surface_ ? surface_->height() : 0; }
    void SetWidth(long w) { Grow(w, Height()); }
    void SetHeight(long h) { Grow(Width(), h); }

private:
    // Re-creates the surface when either size is larger than the current one.
    void Grow(long w, long h);
    void pCreate(long w, long h);

    std::optional<MemorySurface> surface_;
};

} // namespace qel
