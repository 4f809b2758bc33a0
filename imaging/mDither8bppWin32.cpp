#include "imaging/cDIB.h"
#include "imaging/mDither8bpp.h"

namespace qel {
namespace {

// The wait pointer for a scope; the previous one is put back at the end.
class BusyPointer {
public:
    BusyPointer() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~BusyPointer() { SetCursor(previous_); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    HCURSOR previous_;
};

} // namespace

bool DitherTo8bpp(const cDIB& source, cDIB& dest, cPal8bpp& palette) {
    if (source.BPP() != 32 || &source == &dest) return false;
    if (!dest.Create(source.Width(), source.Height(), 8)) return false;
    if (!DitherTo8bpp(source.View(), dest.View(), palette)) return false;
    dest.SetPalette({palette.lpPalette(), cPal8bpp::kTableEntries * 4});
    return true;
}

uint8_t CompactPalette(cDIB& image, cPal8bpp& palette) {
    BusyPointer busy;
    std::vector<uint8_t> before, after;
    palette.GetPalette(before);
    uint8_t removed = CompactPalette(image.View(), palette);
    palette.GetPalette(after);
    if (after != before) image.SetPalette(after);
    return removed;
}

} // namespace qel
