#include "imaging/cPal8bpp.h"
#include "base/Rounding.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace qel {
namespace {

// The standard colours as red, green, blue: the first eight and the second eight.
constexpr uint8_t kStandardLow[8][3] = {{0, 0, 0},   {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                        {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192}};
constexpr uint8_t kStandardHigh[8][3] = {{128, 128, 128}, {255, 0, 0},    {0, 255, 0},
                                         {255, 255, 0},   {0, 0, 255},    {255, 0, 255},
                                         {0, 255, 255},   {255, 255, 255}};

// Octree colour quantisation. Nodes live in one array and are linked by index
// (0 = none; node 1 is the root); released nodes go to a free list and are
// handed out again first, so the node numbers, and with them the order of the
// palette, follow the order in which colours arrive and branches are merged.
class Octree {
public:
    Octree(int depth, float redWeight, float greenWeight, float blueWeight)
        : maxDepth_(depth), weights_{redWeight, greenWeight, blueWeight}, nodes_(51) {}

    void AddColor(uint8_t red, uint8_t green, uint8_t blue);
    // Merges the children of the most recently listed node of the deepest
    // level into it; false when no node is left to merge.
    bool ReduceTree();
    int Leaves() const { return leaves_; }
    // Calls out(red, green, blue) with the mean colour of every leaf, in node order.
    template <class Out> void ForEachLeaf(Out out) const;

private:
    struct Node {
        bool isLeaf = false;
        bool inList = false;
        int64_t red = 0, green = 0, blue = 0;
        int32_t count = 0; // pixels of a leaf; children made under an inner node
        int32_t children[8] = {};
        int32_t next = 0; // in the reducible list of its level, or in the free list
    };

    int32_t CreateNode();
    void FreeNode(int32_t index);

    int maxDepth_;
    float weights_[3];
    std::vector<Node> nodes_; // element 0 unused
    int32_t inUse_ = 1;
    int32_t freeHead_ = 0;
    int leaves_ = 0;
    int32_t reducible_[9] = {}; // heads of the lists of levels 1 ... 8
};

void Octree::AddColor(uint8_t red, uint8_t green, uint8_t blue) {
    const uint8_t values[3] = {red, green, blue};
    uint8_t low[3] = {0, 0, 0}, high[3] = {255, 255, 255};
    int32_t node = 1;
    for (int level = 1;; ++level) {
        int slot = 0;
        for (int c = 0; c < 3; ++c) {
            // The two halves of a range share its middle value.
            auto middle = static_cast<uint8_t>(RoundHalfEven(low[c] / 2.0 + high[c] / 2.0));
            if (static_cast<float>(values[c]) * weights_[c] > middle) {
                slot |= 1 << c;
                low[c] = middle;
            } else {
                high[c] = middle;
            }
        }
        int32_t child = nodes_[node].children[slot];
        if (child == 0) {
            child = CreateNode();
            nodes_[node].children[slot] = child;
            ++nodes_[node].count;
            Node& made = nodes_[child];
            made.isLeaf = level == maxDepth_;
            made.inList = false;
            made.red = made.green = made.blue = 0;
            made.count = 0;
            made.next = 0;
        }
        Node& n = nodes_[child];
        if (n.isLeaf) {
            if (n.count == 0) ++leaves_;
            ++n.count;
            n.red += red;
            n.green += green;
            n.blue += blue;
            return;
        }
        if (!n.inList) {
            n.next = reducible_[level];
            reducible_[level] = child;
            n.inList = true;
        }
        node = child;
    }
}

bool Octree::ReduceTree() {
    int level = maxDepth_;
    while (level >= 1 && reducible_[level] == 0)
        --level;
    if (level < 1) return false;
    int32_t index = reducible_[level];
    reducible_[level] = nodes_[index].next;
    int64_t red = 0, green = 0, blue = 0;
    int32_t count = 0;
    for (int32_t& child : nodes_[index].children) {
        if (child == 0) continue;
        red += nodes_[child].red;
        green += nodes_[child].green;
        blue += nodes_[child].blue;
        count += nodes_[child].count;
        FreeNode(child);
        --leaves_;
        child = 0;
    }
    Node& n = nodes_[index];
    n.count = count;
    n.red = red;
    n.green = green;
    n.blue = blue;
    n.isLeaf = true;
    ++leaves_;
    return true;
}

int32_t Octree::CreateNode() {
    ++inUse_;
    if (freeHead_ == 0) {
        if (static_cast<int32_t>(nodes_.size()) <= inUse_)
            nodes_.resize(nodes_.size() * 11 / 10 + 1);
        return inUse_;
    }
    int32_t index = freeHead_;
    freeHead_ = nodes_[index].next;
    std::fill(std::begin(nodes_[index].children), std::end(nodes_[index].children), 0);
    return index;
}

void Octree::FreeNode(int32_t index) {
    nodes_[index].next = freeHead_;
    freeHead_ = index;
    nodes_[index].isLeaf = false;
    nodes_[index].inList = false;
    --inUse_;
}

template <class Out> void Octree::ForEachLeaf(Out out) const {
    for (const Node& n : nodes_) {
        if (!n.isLeaf) continue;
        double count = n.count;
        out(static_cast<uint8_t>(RoundHalfEven(n.red / count)),
            static_cast<uint8_t>(RoundHalfEven(n.green / count)),
            static_cast<uint8_t>(RoundHalfEven(n.blue / count)));
    }
}

} // namespace

bool cPal8bpp::Initialize(int entries) {
    if (entries < 0 || entries > kTableEntries) return false;
    Destroy();
    entries_ = entries;
    return true;
}

void cPal8bpp::Destroy() {
    entries_ = 0;
    table_.fill(0);
    hasLogical_ = false;
    logical_.clear();
#ifdef _WIN32
    hPal_.reset();
#endif
}

void cPal8bpp::BuildLogicalPalette() {
    logical_.resize(static_cast<size_t>(entries_));
    for (int i = 0; i < entries_; ++i)
        logical_[i] = {rgbR(static_cast<uint8_t>(i)), rgbG(static_cast<uint8_t>(i)),
                       rgbB(static_cast<uint8_t>(i))};
    hasLogical_ = true;
#ifdef _WIN32
    struct {
        WORD version, count;
        PALETTEENTRY entries[kTableEntries];
    } lp{0x300, static_cast<WORD>(entries_), {}};
    for (int i = 0; i < entries_; ++i)
        lp.entries[i] = {logical_[i][0], logical_[i][1], logical_[i][2], 0};
    hPal_.reset(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&lp)));
#endif
}

bool cPal8bpp::SetPalette(std::span<const uint8_t> palette) {
    size_t count = palette.size() / 4;
    if (count > kTableEntries || !Initialize(static_cast<int>(count))) return false;
    std::memcpy(table_.data(), palette.data(), count * 4);
    return true;
}

void cPal8bpp::GetPalette(std::vector<uint8_t>& palette) const {
    palette.assign(table_.begin(), table_.begin() + entries_ * 4);
}

uint8_t cPal8bpp::ClosestIndex(uint8_t red, uint8_t green, uint8_t blue) const {
    if (!hasLogical_) throw std::logic_error("cPal8bpp: no logical palette was built");
    int best = 0;
    int bestDistance = 0x7fffffff;
    for (size_t i = 0; i < logical_.size() && bestDistance != 0; ++i) {
        int dr = logical_[i][0] - red, dg = logical_[i][1] - green, db = logical_[i][2] - blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<uint8_t>(best);
}

void cPal8bpp::ClosestColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t& outRed,
                            uint8_t& outGreen, uint8_t& outBlue) const {
    uint8_t i = ClosestIndex(red, green, blue);
    outRed = rgbR(i);
    outGreen = rgbG(i);
    outBlue = rgbB(i);
}

bool cPal8bpp::IsGreyScale() const {
    if (entries_ == 0) return false;
    for (int i = 0; i < entries_; ++i) {
        auto e = static_cast<uint8_t>(i);
        if (rgbR(e) != rgbG(e) || rgbG(e) != rgbB(e)) return false;
    }
    return true;
}

void cPal8bpp::SetColour(int index, uint8_t red, uint8_t green, uint8_t blue) {
    auto e = static_cast<uint8_t>(index);
    rgbR(e, red);
    rgbG(e, green);
    rgbB(e, blue);
}

bool cPal8bpp::CreateGreyScale(int levels) {
    static constexpr int kSteps[] = {255, 17, 1};
    if (levels < 0 || levels > 2) return false;
    int step = kSteps[levels];
    Initialize(255 / step + 1);
    for (int i = 0; i <= 255 / step; ++i) {
        auto grey = static_cast<uint8_t>(i * step);
        SetColour(i, grey, grey, grey);
    }
    BuildLogicalPalette();
    return true;
}

void cPal8bpp::CreateEGA() {
    Initialize(16);
    for (int i = 0; i < 8; ++i) {
        SetColour(i, kStandardLow[i][0], kStandardLow[i][1], kStandardLow[i][2]);
        SetColour(8 + i, kStandardHigh[i][0], kStandardHigh[i][1], kStandardHigh[i][2]);
    }
    BuildLogicalPalette();
}

bool cPal8bpp::CreateHalftone(int levels) {
    static constexpr int kSteps[] = {256, 128, 85, 64, 51};
    if (levels < 0 || levels > 4) return false;
    int step = kSteps[levels];
    int values = 256 / step + 1;
    Initialize(values * values * values);
    int i = 0;
    // Blue outermost, red innermost; 256 stands for 255.
    for (int b = 0; b <= 256; b += step)
        for (int g = 0; g <= 256; g += step)
            for (int r = 0; r <= 256; r += step)
                SetColour(i++, static_cast<uint8_t>(std::min(r, 255)),
                          static_cast<uint8_t>(std::min(g, 255)),
                          static_cast<uint8_t>(std::min(b, 255)));
    BuildLogicalPalette();
    return true;
}

void cPal8bpp::CreateWebsafe() {
    Initialize(256);
    for (int i = 0; i < 8; ++i) {
        SetColour(i, kStandardLow[i][0], kStandardLow[i][1], kStandardLow[i][2]);
        SetColour(248 + i, kStandardHigh[i][0], kStandardHigh[i][1], kStandardHigh[i][2]);
    }
    int i = 8;
    for (int b = 0; b <= 255; b += 51)
        for (int g = 0; g <= 255; g += 51)
            for (int r = 0; r <= 255; r += 51) {
                // Black, white, the pure primaries and their two-channel mixtures
                // are among the standard colours already.
                int sum = r + g + b;
                int nonZero = (r != 0) + (g != 0) + (b != 0);
                if (sum == 0 || sum == 765 || (sum == 255 && nonZero == 1) ||
                    (sum == 510 && nonZero == 2))
                    continue;
                SetColour(i++, static_cast<uint8_t>(r), static_cast<uint8_t>(g),
                          static_cast<uint8_t>(b));
            }
    for (i = 217; i <= 247; ++i) {
        auto grey = static_cast<uint8_t>(8 * (i - 216));
        SetColour(i, grey, grey, grey);
    }
    BuildLogicalPalette();
}

bool cPal8bpp::CreateOptimal(const PixelView& image, int32_t colours, int32_t depth,
                             float redWeight, float greenWeight, float blueWeight) {
    if (image.bpp != 32 || image.empty() || colours < 1 || colours > kTableEntries || depth < 1 ||
        depth > 8)
        return false;
    Octree tree(depth, redWeight, greenWeight, blueWeight);
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* pixel = image.Row(y);
        for (int32_t x = 0; x < image.width; ++x, pixel += 4) {
            tree.AddColor(pixel[2], pixel[1], pixel[0]);
            while (tree.Leaves() > colours && tree.ReduceTree()) {
            }
        }
    }
    Initialize(0);
    int k = 0;
    tree.ForEachLeaf([&](uint8_t r, uint8_t g, uint8_t b) { SetColour(k++, r, g, b); });
    entries_ = k;
    BuildLogicalPalette();
    return true;
}

bool cPal8bpp::Entries(int entries) {
    if (entries < 0 || entries > kTableEntries) return false;
    entries_ = entries;
    return true;
}

} // namespace qel
