#include "imaging/ReduceColours.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <stdexcept>
#include <unordered_set>

namespace qel {

namespace {

using Channels = std::array<int, 3>; // red, green, blue

Channels Split(uint32_t c) {
    return {static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
            static_cast<int>((c >> 16) & 0xFF)};
}

uint32_t Join(const Channels& c) {
    return static_cast<uint32_t>(c[0]) | static_cast<uint32_t>(c[1]) << 8 |
           static_cast<uint32_t>(c[2]) << 16;
}

// The eye tells greens apart best and blues worst.
constexpr std::array<int64_t, 3> kWeight{3, 4, 2};

int64_t Distance(const Channels& a, const Channels& b) {
    int64_t d = 0;
    for (int i = 0; i < 3; ++i)
        d += kWeight[i] * (a[i] - b[i]) * (a[i] - b[i]);
    return d;
}

struct Entry {
    Channels colour;
    int64_t count;
};

// The count-weighted mean, each channel rounded half up.
Channels Mean(const std::vector<Entry>& entries) {
    std::array<int64_t, 3> sum{};
    int64_t total = 0;
    for (const Entry& e : entries) {
        for (int i = 0; i < 3; ++i)
            sum[i] += e.colour[i] * e.count;
        total += e.count;
    }
    Channels mean{};
    for (int i = 0; i < 3; ++i)
        mean[i] = static_cast<int>((2 * sum[i] + total) / (2 * total));
    return mean;
}

// The weighted squared error of a box around its mean, channel by channel.
std::array<int64_t, 3> Spread(const std::vector<Entry>& entries) {
    Channels mean = Mean(entries);
    std::array<int64_t, 3> spread{};
    for (const Entry& e : entries)
        for (int i = 0; i < 3; ++i)
            spread[i] += kWeight[i] * e.count * (e.colour[i] - mean[i]) * (e.colour[i] - mean[i]);
    return spread;
}

std::vector<Channels> MedianCut(std::vector<Entry> entries, int boxes) {
    std::vector<std::vector<Entry>> cut{std::move(entries)};
    while (static_cast<int>(cut.size()) < boxes) {
        // The box with the most error, split across its widest channel at the weighted median.
        int best = -1, channel = 0;
        int64_t most = 0;
        for (size_t b = 0; b < cut.size(); ++b) {
            if (cut[b].size() < 2) continue;
            auto spread = Spread(cut[b]);
            for (int i = 0; i < 3; ++i)
                if (spread[i] > most) {
                    most = spread[i];
                    best = static_cast<int>(b);
                    channel = i;
                }
        }
        if (best < 0) break;
        std::vector<Entry>& box = cut[best];
        std::sort(box.begin(), box.end(), [channel](const Entry& a, const Entry& b) {
            return a.colour[channel] != b.colour[channel] ? a.colour[channel] < b.colour[channel]
                                                          : Join(a.colour) < Join(b.colour);
        });
        int64_t total = 0, half = 0;
        for (const Entry& e : box)
            total += e.count;
        size_t at = 0;
        while (at + 1 < box.size() && 2 * (half + box[at].count) <= total)
            half += box[at++].count;
        at = std::max<size_t>(at, 1);
        std::vector<Entry> upper(box.begin() + static_cast<ptrdiff_t>(at), box.end());
        box.resize(at);
        cut.push_back(std::move(upper));
    }
    std::vector<Channels> centres;
    for (const auto& box : cut)
        centres.push_back(Mean(box));
    return centres;
}

size_t Nearest(const std::vector<Channels>& table, const Channels& c) {
    size_t best = 0;
    int64_t least = Distance(table[0], c);
    for (size_t i = 1; i < table.size(); ++i)
        if (int64_t d = Distance(table[i], c); d < least) {
            least = d;
            best = i;
        }
    return best;
}

void Refine(std::vector<Channels>& centres, const std::vector<Entry>& entries, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::vector<Entry>> members(centres.size());
        for (const Entry& e : entries)
            members[Nearest(centres, e.colour)].push_back(e);
        for (size_t i = 0; i < centres.size(); ++i)
            if (!members[i].empty()) centres[i] = Mean(members[i]);
    }
}

} // namespace

std::vector<uint32_t> ColoursOf(const PixelView& picture) {
    std::vector<uint32_t> colours;
    std::unordered_set<uint32_t> seen;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (uint32_t c = ColourAt(picture, x, y); seen.insert(c).second) colours.push_back(c);
    return colours;
}

void ReduceColours(const std::vector<PixelView>& pictures, const std::vector<uint32_t>& reserved,
                   int budget, uint32_t avoid) {
    if (budget < 1) throw std::invalid_argument("no colours left for the artwork");
    std::map<uint32_t, int64_t> histogram;
    for (const PixelView& p : pictures) {
        if (p.bpp != 32) throw std::invalid_argument("the pictures must be 32 bits per pixel");
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                ++histogram[ColourAt(p, x, y)];
    }
    const std::set<uint32_t> kept(reserved.begin(), reserved.end());

    std::vector<Entry> entries;
    for (const auto& [colour, count] : histogram)
        if (!kept.contains(colour)) entries.push_back({Split(colour), count});

    // The table the pixels map to: the reserved colours and, when the artwork
    // has too many of its own, the centres found for it; never `avoid`.
    std::vector<Channels> table;
    for (uint32_t c : kept)
        if (c != avoid) table.push_back(Split(c));
    const bool fits = static_cast<int>(entries.size()) <= budget && !histogram.contains(avoid);
    if (fits) return;
    if (static_cast<int>(entries.size()) <= budget) {
        for (const Entry& e : entries)
            if (Join(e.colour) != avoid) table.push_back(e.colour);
    } else {
        std::vector<Channels> centres = MedianCut(entries, budget);
        Refine(centres, entries, 8);
        for (Channels& c : centres) {
            if (Join(c) == avoid) c[2] ^= 1; // the nearest colour that is not the key
            table.push_back(c);
        }
    }
    if (table.empty()) throw std::invalid_argument("no colour to map the artwork to");

    std::map<uint32_t, uint32_t> mapping;
    for (const auto& [colour, count] : histogram)
        mapping[colour] = kept.contains(colour) && colour != avoid
                              ? colour
                              : Join(table[Nearest(table, Split(colour))]);
    for (const PixelView& p : pictures)
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                SetColourAt(p, x, y, mapping[ColourAt(p, x, y)]);
}

} // namespace qel
