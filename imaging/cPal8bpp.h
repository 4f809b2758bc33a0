// A palette of up to 256 colours for 8-bit images: fixed palettes (grey,
// the 16 standard colours, a halftone cube, a web-safe set), an optimal palette
// found by octree quantisation, and nearest-colour answers.
#pragma once
#include "imaging/PixelBuffer.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#ifdef _WIN32
#include "base/Handle.h"
#endif

namespace qel {

class cPal8bpp {
public:
    static constexpr int kTableEntries = 256;

    cPal8bpp() = default;
    cPal8bpp(const cPal8bpp&) = delete;
    cPal8bpp& operator=(const cPal8bpp&) = delete;

    // Empties the palette, then sets `entries` entries in use, all black.
    // Refuses (false, nothing changed) a count outside 0 ... 256.
    bool Initialize(int entries);
    // Takes a snapshot of the entries in use as the logical palette that
    // ClosestIndex and ClosestColor answer from (and, on Windows, makes the GDI
    // palette of it). The builders below do this at their end.
    void BuildLogicalPalette();
    // No entries in use, all entries black, no logical palette.
    void Destroy();

    // Entries from bytes, 4 an entry (blue, green, red, reserved): re-initialises
    // with size / 4 entries and copies them; the logical palette is not rebuilt.
    // Refuses more than 256 entries.
    bool SetPalette(std::span<const uint8_t> palette);
    // The entries in use, 4 bytes each (blue, green, red, reserved).
    void GetPalette(std::vector<uint8_t>& palette) const;

    // The entry of the logical palette nearest to the colour (least sum of
    // squared channel differences, the first such entry on a tie), as the
    // platform's nearest-palette-colour rule chooses it. Throws
    // std::logic_error when no logical palette was built.
    uint8_t ClosestIndex(uint8_t red, uint8_t green, uint8_t blue) const;
    // The table's colour of the entry ClosestIndex chooses.
    void ClosestColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t& outRed, uint8_t& outGreen,
                      uint8_t& outBlue) const;

    // True when there are entries and every one in use is grey (red = green = blue).
    bool IsGreyScale() const;

    // Levels 0: 2 greys (step 255); 1: 16 greys (step 17); 2: 256 greys.
    // Refuses other levels.
    bool CreateGreyScale(int levels);
    // The 16 standard colours.
    void CreateEGA();
    // A colour cube of 2 to 6 values per channel (levels 0 ... 4: 8, 27, 64,
    // 125 or 216 entries), red varying fastest. Refuses other levels.
    bool CreateHalftone(int levels);
    // The 16 standard colours at 0-7 and 248-255, the rest of the 6 x 6 x 6
    // web-safe cube at 8-215, black at 216 and the greys 8 ... 248 at 217-247.
    void CreateWebsafe();
    // At most `colours` (1 ... 256; up to 8 when fewer are asked) colours that
    // represent a 32-bit image, by octree quantisation `depth` (1 ... 8) levels
    // deep with the channel values weighted before they are split. Entries come
    // in the order of the tree's node numbers. Refuses (false, nothing changed)
    // an image that is not 32 bits per pixel or arguments out of range.
    bool CreateOptimal(const PixelView& image, int32_t colours, int32_t depth, float redWeight,
                       float greenWeight, float blueWeight);

    // The 256-entry table: 1024 bytes, blue, green, red, reserved per entry.
    const uint8_t* lpPalette() const { return table_.data(); }
#ifdef _WIN32
    // The GDI palette of the last BuildLogicalPalette (null before).
    HPALETTE hPal() const {
        return hPal_.get();
    }
#endif

    int Entries() const {
        return entries_;
    }
    // Changes only the count in use; refuses a count outside 0 ... 256.
    bool Entries(int entries);

    uint8_t rgbR(uint8_t index) const {
        return table_[index * 4 + 2];
    }
    uint8_t rgbG(uint8_t index) const {
        return table_[index * 4 + 1];
    }
    uint8_t rgbB(uint8_t index) const {
        return table_[index * 4];
    }
    void rgbR(uint8_t index, uint8_t value) {
        table_[index * 4 + 2] = value;
    }
    void rgbG(uint8_t index, uint8_t value) {
        table_[index * 4 + 1] = value;
    }
    void rgbB(uint8_t index, uint8_t value) {
        table_[index * 4] = value;
    }

private:
    void SetColour(int index, uint8_t red, uint8_t green, uint8_t blue);

    std::array<uint8_t, kTableEntries * 4> table_{};
    int entries_ = 0;
    bool hasLogical_ = false;
    std::vector<std::array<uint8_t, 3>> logical_; // red, green, blue of each entry
#ifdef _WIN32
    UniquePalette hPal_;
#endif
};

} // namespace qel
