// A picture file walked to its end before the platform's decoder sees it: that
// it holds together, and that what it makes the decoder do is bounded.
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
// The bounds of every picture, whatever the caller's: its file (the loader reads
// none larger), its area (64 Mpixels, 256 MB as 32-bit pixels), its frames (a
// GIF's or an icon's images) and the sum of their areas.
inline constexpr int64_t kMaxPictureFile = 64 << 20;
inline constexpr uint64_t kMaxPictureArea = uint64_t(1) << 26;
inline constexpr uint64_t kMaxPictureFrames = 1000;
// The memory a decoder may hold for a picture (modelled on what it was measured
// to hold for each kind: its samples, their conversion, the bitmap kept and the
// file's bytes) is at most half as much again as the costliest real picture of
// the bound holds: a bitmap of the bound's area read from a file of 3 bytes a
// pixel, or from the largest picture file where that is less.

// True when `data` is a BMP, GIF, JPEG, PNG, icon or cursor that holds together
// from its start to its end (every header, colour table, chunk, segment, scan,
// block and image inside the file, in an order its decoder reads) and whose
// canvas, frames and decoding cost lie within `bound` and the bounds above: the
// decoder's memory, and what else drives its work (a JPEG's scans, a GIF's codes
// and extension blocks, a PNG's chunks and zlib streams, the runs a BMP's RLE
// data closes with escapes and the rectangles its decoder copies adding them to
// its region of set pixels). A format the check does not know is refused, and
// RLE data where its decoder takes none (in an icon, in a top-down bitmap). A
// picture refused for its size or cost gets in `tooLarge` what was found and
// the bound ("is 4097 x 8 pixels; a skin sheet is at most 4096 pixels a side",
// "has 3000 scans; a picture has at most 500 scans"); any other refusal leaves
// it empty. The walk is linear in `size`.
// Once all else fits, a PNG's zlib streams (an icon's PNG images' too) are
// inflated, counting what they make and keeping none of it: the image data may
// make no more than its rows, and what follows its end is not read; compressed
// chunks count what the decoder inflates of them, up to their end or a fault; a
// stream may hold no more blocks than what it makes calls for (no stream lends
// its allowance to another, nor an icon's image to another), and a file's
// streams no more than the largest picture of the bound may. That stops once a
// bound is passed, takes time linear in `size` and in what the streams make,
// which the bounds limit, and allocates zlib's state and window and an output
// buffer (about 100 KB); nothing else is allocated but the text of a refusal.
bool PictureWithin(const void* data, size_t size, PictureBound bound,
                   std::string* tooLarge = nullptr);

} // namespace qel
