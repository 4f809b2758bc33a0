#include "tests/imaging/GifCases.h"

namespace qel::test {
namespace {

// A small deterministic generator (xorshift), so that every run writes the same files.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

private:
    uint32_t state_;
};

enum class Fill { Noise, Stripes, RowNumbers };

GifCase Make(std::string name, int entries, int width, int height, Fill fill,
             bool interlaced = false, int transparentIndex = -1, std::string comment = {}) {
    GifCase c;
    c.name = std::move(name);
    c.entries = entries;
    c.interlaced = interlaced;
    c.transparentIndex = transparentIndex;
    c.comment = std::move(comment);
    c.pixels = PixelBuffer(width, height, 8);
    PixelView v = c.pixels.View();
    Random random(static_cast<uint32_t>(width * 31 + height * 7 + entries));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t value = 0;
            switch (fill) {
            case Fill::Noise:
                value = random.Next() >> 8;
                break;
            case Fill::Stripes:
                value = static_cast<uint32_t>((x / 7 + y / 5) ^ (x * y / 97));
                break;
            // Each row different from its neighbours, so rows out of order show.
            case Fill::RowNumbers:
                value = static_cast<uint32_t>(y * 5 + (x % 3));
                break;
            }
            v.Row(y)[x] = static_cast<uint8_t>(value % static_cast<uint32_t>(entries));
        }
    return c;
}

} // namespace

std::unique_ptr<cPal8bpp> GifCase::Palette() const {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < entries; ++i) {
        // blue, green, red: the red channel alone tells every entry apart.
        bytes.push_back(static_cast<uint8_t>(255 - i));
        bytes.push_back(static_cast<uint8_t>((i * 7 + 40) & 0xFF));
        bytes.push_back(static_cast<uint8_t>(i));
        bytes.push_back(0);
    }
    auto palette = std::make_unique<cPal8bpp>();
    palette->SetPalette(bytes);
    return palette;
}

std::vector<std::array<uint8_t, 3>> GifCase::ColourTable() const {
    int size = 2;
    while (size < entries)
        size *= 2;
    auto palette = Palette();
    std::vector<std::array<uint8_t, 3>> table(static_cast<size_t>(size), {0, 0, 0});
    for (int i = 0; i < entries; ++i) {
        auto e = static_cast<uint8_t>(i);
        table[i] = {palette->rgbR(e), palette->rgbG(e), palette->rgbB(e)};
    }
    return table;
}

std::vector<uint8_t> GifCase::Indices() {
    PixelView v = pixels.View();
    std::vector<uint8_t> out;
    for (int y = 0; y < v.height; ++y)
        out.insert(out.end(), v.Row(y), v.Row(y) + v.width);
    return out;
}

std::vector<GifCase> MakeGifCases() {
    std::vector<GifCase> cases;
    cases.push_back(Make("p2_1x1", 2, 1, 1, Fill::Noise));
    cases.push_back(Make("p2_7x5", 2, 7, 5, Fill::Noise));
    cases.push_back(Make("p3_1x13", 3, 1, 13, Fill::Noise));
    cases.push_back(Make("p3_13x1", 3, 13, 1, Fill::Noise));
    cases.push_back(Make("p17_33x17", 17, 33, 17, Fill::Stripes));
    cases.push_back(Make("p256_1x1", 256, 1, 1, Fill::Noise));
    cases.push_back(Make("p256_255x3", 256, 255, 3, Fill::Noise));
    // Long data: many sub-blocks, and tables that fill up again and again.
    cases.push_back(Make("p256_noise_301x211", 256, 301, 211, Fill::Noise));
    cases.push_back(Make("p2_noise_513x511", 2, 513, 511, Fill::Noise));
    cases.push_back(Make("p3_noise_257x129", 3, 257, 129, Fill::Noise));
    cases.push_back(Make("p17_stripes_641x479", 17, 641, 479, Fill::Stripes));
    for (int height = 1; height <= 9; ++height)
        cases.push_back(
            Make("interlaced_h" + std::to_string(height), 17, 3, height, Fill::RowNumbers, true));
    cases.push_back(Make("interlaced_p256_257x391", 256, 257, 391, Fill::RowNumbers, true));
    cases.push_back(Make("interlaced_p2_noise_99x37", 2, 99, 37, Fill::Noise, true));
    cases.push_back(Make("transparent_p17", 17, 9, 7, Fill::Noise, false, 5));
    cases.push_back(Make("comment_p3", 3, 5, 5, Fill::Noise, false, -1, "Qel skin sheet"));
    cases.push_back(Make("transparent_comment_p256", 256, 31, 29, Fill::Noise, false, 0,
                         "made by the imaging tests"));
    std::string longComment;
    for (int i = 0; longComment.size() < 700; ++i)
        longComment += "line " + std::to_string(i) + "; ";
    cases.push_back(
        Make("long_comment_interlaced_p2", 2, 17, 11, Fill::Noise, true, 1, longComment));
    return cases;
}

} // namespace qel::test
