// The headers of a picture file, checked before the platform's decoder trusts
// them: that they hold together, and that what they declare is not too large.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace qel {

// How large a picture a caller takes, and what a refusal calls such a picture.
struct PictureBound {
    long side;        // pixels a side
    const char* kind; // "a picture"
};
inline constexpr PictureBound kAnyPicture{32767, "a picture"};
// The bounds of every picture, whatever the caller's: its area (64 Mpixels,
// 256 MB as 32-bit pixels), its frames (a GIF's or an icon's images) and the
// sum of their areas.
inline constexpr uint64_t kMaxPictureArea = uint64_t(1) << 26;
inline constexpr uint64_t kMaxPictureFrames = 1000;

// True when `data` is a BMP, GIF, JPEG, PNG, icon or cursor whose headers hold
// together (every header, colour table, image and pixel data inside the file)
// and whose canvas and frames lie within `bound` and the bounds above. A
// format the check does not know is refused. A picture refused for its size
// gets in `tooLarge` what is too large ("is 4097 x 8 pixels; a skin sheet is at
// most 4096 pixels a side"); any other refusal leaves it empty.
bool PictureWithin(const void* data, size_t size, PictureBound bound,
                   std::string* tooLarge = nullptr);

} // namespace qel
