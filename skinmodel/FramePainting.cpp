#include "skinmodel/FramePainting.h"

#include <algorithm>

namespace qel {

namespace {

// Repeats the first `filled` pixels of `band` on `on` along it (down, or
// rightwards) to its end, doubling what is copied each time.
void Repeat(std::vector<FrameCopy>& out, FrameSurface on, const FrameRect& band, int filled,
            bool down) {
    if (filled <= 0) return;
    const int start = down ? band.top : band.left, end = down ? band.bottom : band.right;
    for (int p = start + filled; p < end;) {
        const int n = std::min(p - start, end - p);
        const FrameRect to = down ? FrameRect{band.left, p, band.right, p + n}
                                  : FrameRect{p, band.top, p + n, band.bottom};
        out.push_back({on, on, {to, band.left, band.top}});
        p += n;
    }
}

} // namespace

FramePainting PaintingOf(const FrameSkin& k, const FrameLayout& layout) {
    using enum FrameSurface;
    const FrameRect& R = layout.window;
    const int W = R.Width(), H = R.Height(), c = k.captionHeight, b = k.bordersHeight;
    const int w = layout.cellWidth;
    FramePainting out;
    out.stripWidth = W;
    out.stripHeight = std::max(c, b);

    out.caption = {{Caption, Strip, layout.captionLeft},
                   {Caption, Strip, layout.captionRight},
                   {Caption, Strip, layout.middleTile}};
    Repeat(out.caption, Strip, layout.middle, layout.middleTile.to.Width(), false);

    std::vector<FrameCopy>& f = out.frame;
    for (int i = kCloseButton; i < kFrameButtonCount; ++i)
        if (layout.buttonShown[i]) f.push_back({Buttons, Strip, layout.buttonCells[i]});
    f.push_back({Strip, Window, {{R.left, R.top, R.right, R.top + std::min(c, H)}, 0, 0}});

    if (w <= 0 || b <= 0) return out;
    out.sideWidth = 2 * w;
    out.sideHeight = H;
    f.push_back({Borders, Side, {{0, 0, w, b}, layout.sideCells[0], 0}});
    f.push_back({Borders, Side, {{w, 0, 2 * w, b}, layout.sideCells[1], 0}});
    Repeat(f, Side, {0, 0, 2 * w, H}, b, true);
    f.push_back({Side, Window, layout.leftBorder});
    f.push_back({Side, Window, layout.rightBorder});

    f.push_back({Borders, Strip, {{0, 0, w, b}, layout.bottomMiddleCell, 0}});
    Repeat(f, Strip, {0, 0, W, b}, w, false);
    f.push_back({Borders, Strip, {{0, 0, w, b}, layout.bottomLeftCell, 0}});
    f.push_back(
        {Borders,
         Strip,
         {{layout.bottomRightX, 0, layout.bottomRightX + w, b}, layout.bottomRightCell, 0}});
    f.push_back({Strip, Window, {layout.bottom, 0, 0}});
    return out;
}

} // namespace qel
