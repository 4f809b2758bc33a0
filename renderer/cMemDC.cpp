#include "renderer/cMemDC.h"

#include <algorithm>

namespace qel {
namespace {

// Handles are compared by their 32 significant bits: the platform may hand the
// same handle back zero-extended where it was passed in sign-extended.
bool IsSelected(HDC dc, HBITMAP bitmap) {
    return HandleToULong(GetCurrentObject(dc, OBJ_BITMAP)) == HandleToULong(bitmap);
}

} // namespace

void cMemDC::CreateFromPicture(IPicture* sPic) {
    if (!sPic) return;
    OLE_HANDLE handle = 0;
    if (FAILED(sPic->get_Handle(&handle))) return;
    auto bitmap = static_cast<HBITMAP>(LongToHandle(static_cast<LONG>(handle)));
    BITMAP bm{};
    if (!bitmap || GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm) return;
    Grow(bm.bmWidth, bm.bmHeight);

    UniqueDC source(CreateCompatibleDC(nullptr));
    if (!source) return;
    Selection selected(source.get(), bitmap);
    // A bitmap that is selected into another context cannot be read here.
    if (!IsSelected(source.get(), bitmap)) return;
    BitBlt(hdc(), 0, 0, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void cMemDC::Grow(long w, long h) {
    if (w <= Width() && h <= Height()) return;
    pCreate(std::max(w, Width()), std::max(h, Height()));
}

void cMemDC::pCreate(long w, long h) {
    surface_.reset();
    surface_.emplace(nullptr, static_cast<int>(w), static_cast<int>(h));
    // A bitmap that could not be made leaves the surface empty.
    if (!surface_->bitmap() || !IsSelected(surface_->dc(), surface_->bitmap())) surface_.reset();
}

} // namespace qel
