#include "skinmodel/FrameLayout.h"
#include "base/Rounding.h"

#include <algorithm>

namespace qel {

namespace {

constexpr int kIconSize = 16;

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

FrameLayout LayOutFrame(const FrameSkin& k, const FrameState& state) {
    using enum FrameSurface;
    FrameLayout out;
    const FrameRect& R = state.window;
    const int L = R.left, T = R.top, W = R.Width(), H = R.Height();
    const int c = k.captionHeight, b = k.bordersHeight;
    out.stripHeight = std::max(c, b);
    // Room for the doubling repeats of any window: painting allocates once.
    out.caption.reserve(40);
    out.frame.reserve(80);

    // Caption: the two ends unstretched, the middle tiled between them.
    const int s = state.active ? 0 : k.InactiveOffset;
    const int r = k.ActiveRightEnd - k.ActiveRightStart + 1;
    int xR = W - r + 1;
    out.tooNarrow = xR < r;
    if (out.tooNarrow) xR = r;
    int tile = k.ActiveRightStart - k.ActiveLeftEnd;
    if (tile < 1) tile = 16;
    const int firstTile = std::min(tile, xR - k.ActiveLeftEnd);
    out.caption.push_back({Caption, Strip, {{0, 0, k.ActiveLeftEnd, c}, s, 0}});
    out.caption.push_back({Caption, Strip, {{xR, 0, xR + r, c}, s + k.ActiveRightStart, 0}});
    out.caption.push_back(
        {Caption,
         Strip,
         {{k.ActiveLeftEnd, 0, k.ActiveLeftEnd + firstTile, c}, s + k.ActiveLeftEnd + 1, 0}});
    Repeat(out.caption, Strip, {k.ActiveLeftEnd, 0, xR, c}, firstTile, false);

    int titleHeight = 0;
    if (k.DrawTitle && !out.tooNarrow) {
        FrameRect& t = out.title;
        t.left = k.CaptionLeft > 0 ? k.CaptionLeft + 5 : k.ActiveLeftEnd + 5;
        t.right = W - (k.ActiveRightEnd - k.ActiveRightStart);
        if (k.TitleStartOffsetY > 0) {
            titleHeight = state.titleHeight;
            t.top = k.TitleStartOffsetY;
            t.bottom = t.top + titleHeight;
        } else {
            t.top = b + 1;
            t.bottom = t.top + (c - b - 2) / 2;
        }
    }

    out.menu = state.menu;
    if (state.menu) {
        const int xM = k.MenuStartOffsetX > 0 ? k.MenuStartOffsetX : k.ActiveLeftEnd + 2;
        int yM = c / 2;
        if (k.TopSizingBorderHeight > 0) {
            yM = k.TopSizingBorderHeight + 1;
            if (k.DrawTitle)
                yM = k.MenuStartOffsetY > 0 ? k.MenuStartOffsetY : yM + titleHeight + 5;
        }
        const int left = k.MenuStartOffsetX > 0 ? k.MenuStartOffsetX : k.ActiveLeftEnd - 3;
        out.menuArea = {left, yM, left + xR - k.ActiveLeftEnd, c};
        out.menuYOffset = yM - c + 2;
        out.menuBar = {xM, yM, xM, c};
    }

    // Caption buttons, laid from right to left; a button not shown takes no room.
    int x = k.CustomControlButtonPosition ? W + k.ControlButtonOffsetX : xR + r - b + 4;
    const int y0 = k.CustomControlButtonPosition ? k.ControlButtonOffsetY : 5;
    for (int i = kCloseButton; i < kFrameButtonCount; ++i) {
        out.buttonShown[i] = state.shown[i];
        if (!state.shown[i]) continue;
        const int gap = i == kCloseButton ? 0 : k.ButtonGap;
        x -= k.ButtonWidth + 1 + gap;
        out.buttons[i] = {x, y0, x + k.ButtonWidth + 1 - gap, y0 + k.ButtonHeight};
        out.buttonCells[i] = ButtonCell(k, static_cast<FrameButton>(i), state.looks[i],
                                        state.active, state.maximised, out.buttons[i]);
        out.frame.push_back({Buttons, Strip, out.buttonCells[i]});
    }
    out.frame.push_back({Strip, Window, {{L, T, R.right, T + std::min(c, H)}, 0, 0}});

    // Borders: the side cells repeated down, the bottom middle repeated across
    // with the corners of the window's kind at its ends.
    const int w = RoundHalfEven(k.bordersWidth / double(kStripCells));
    if (w > 0 && b > 0) {
        const FrameVariant v = k.BorderHasInactiveVersion && !state.active ? FrameVariant::Inactive
                                                                           : FrameVariant::Active;
        const auto cell = [&](FrameSurface to, int x, StripPiece p) {
            return FrameCopy{Borders, to, {{x, 0, x + w, b}, StripCellOf(v, p) * w, 0}};
        };
        std::vector<FrameCopy>& f = out.frame;
        out.sideWidth = 2 * w;
        f.push_back(cell(Side, 0, StripPiece::LeftSide));
        f.push_back(cell(Side, w, StripPiece::RightSide));
        Repeat(f, Side, {0, 0, 2 * w, H}, b, true);
        const int top = T + c, leftWidth = k.LeftBorderWidth > 0 ? k.LeftBorderWidth : w;
        const int rightWidth = k.RightBorderWidth > 0 ? k.RightBorderWidth + 1 : w;
        f.push_back({Side, Window, {{L, top, L + leftWidth, R.bottom}, 0, 0}});
        f.push_back({Side,
                     Window,
                     {{R.right - rightWidth, top, R.right, R.bottom}, 2 * w - rightWidth, 0}});
        f.push_back(cell(Strip, 0, StripPiece::BottomMiddle));
        Repeat(f, Strip, {0, 0, W, b}, w, false);
        const bool z = state.sizable;
        f.push_back(
            cell(Strip, 0, z ? StripPiece::BottomLeftSizable : StripPiece::BottomLeftFixed));
        f.push_back(
            cell(Strip, W - w, z ? StripPiece::BottomRightSizable : StripPiece::BottomRightFixed));
        f.push_back({Strip, Window, {{L, R.bottom - b, R.right, R.bottom}, 0, 0}});
    }

    if (k.ShowIcon)
        out.icon = {L + k.IconLeft, T + k.IconTop, L + k.IconLeft + kIconSize,
                    T + k.IconTop + kIconSize};
    const int halfBorder = k.BorderHasInactiveVersion ? b / 2 : b;
    out.inner = {L + (k.LeftBorderWidth > 0 ? k.LeftBorderWidth : halfBorder), T + c,
                 R.right - (k.RightBorderWidth > 0 ? k.RightBorderWidth : halfBorder),
                 R.bottom - halfBorder};
    return out;
}

PieceCopy ButtonCell(const FrameSkin& k, FrameButton button, ButtonState look, bool active,
                     bool maximised, const FrameRect& at) {
    const CaptionButton column = button == kCloseButton      ? CaptionButton::Close
                                 : button == kMinimiseButton ? CaptionButton::Minimize
                                 : maximised                 ? CaptionButton::Restore
                                                             : CaptionButton::Maximize;
    const ButtonState row = active ? look : ButtonState::Disabled;
    return {{at.left, at.top, at.left + k.ButtonWidth, at.top + k.ButtonHeight},
            static_cast<int>(column) * k.ButtonWidth,
            static_cast<int>(row) * k.ButtonHeight};
}

FrameMargins MarginsOf(const FrameSkin& k) {
    const int b = k.bordersHeight;
    return {k.captionHeight, k.LeftBorderWidth > 0 ? k.LeftBorderWidth : b,
            k.RightBorderWidth > 0 ? k.RightBorderWidth - 1 : b - 1, b - 1};
}

int HitTestFrame(const FrameSkin& k, const FrameLayout& layout, int X, int Y, int Wd, int Hd,
                 bool canSize, int code, std::array<bool, kFrameButtonCount>* underButton) {
    if (underButton) underButton->fill(false);
    if (layout.menu && layout.menuBar.Contains(X, Y)) return kHitMenu;
    const int c = k.captionHeight, b = k.bordersHeight;
    const int captionTop = k.TopSizingBorderHeight > 0  ? k.TopSizingBorderHeight
                           : k.BorderHasInactiveVersion ? b / 2
                                                        : b;
    if (captionTop <= Y && Y <= c) code = kHitCaption;

    if (canSize) {
        const int edge = k.LeftBorderWidth > 0 ? 2 : b;
        const int rightStart = k.RightBorderWidth > 0 ? Wd - 5 : Wd - edge;
        const int topEnd = k.TopSizingBorderHeight > 0 ? k.TopSizingBorderHeight : edge;
        const int bottomStart =
            k.BottomSizingBorderHeight > 0 ? Hd - k.BottomSizingBorderHeight : Hd - edge;
        const bool top = 0 <= Y && Y <= topEnd, bottom = bottomStart <= Y && Y <= Hd;
        if (0 <= X && X <= edge)
            code = top ? kHitTopLeft : bottom ? kHitBottomLeft : kHitLeft;
        else if (rightStart <= X && X <= Wd)
            code = top ? kHitTopRight : bottom ? kHitBottomRight : kHitRight;
        else if (top || bottom)
            code = top ? kHitTop : kHitBottom;
    }

    for (int i = kCloseButton; i < kFrameButtonCount; ++i) {
        const bool under = layout.buttonShown[i] && layout.buttons[i].Contains(X, Y);
        if (underButton) (*underButton)[i] = under;
        if (under) code = kHitSysMenu;
    }
    return code;
}

bool RoundRegion::Contains(int x, int y) const {
    const double r = ellipse / 2.0, px = x + 0.5, py = y + 0.5;
    const double cx = px < left + r ? left + r : px > right - r ? right - r : px;
    const double cy = py < top + r ? top + r : py > bottom - r ? bottom - r : py;
    const double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= r * r;
}

RoundRegion RoundCornersRegion(int width, int height, int32_t angle, bool roundTop,
                               bool roundBottom) {
    const int a = std::clamp(angle, 0, kMaxRoundAngle);
    RoundRegion region{0, 0, width + 1, height + 1, a};
    if (roundTop && !roundBottom) region.bottom = height + 2 * a + 1;
    if (roundBottom && !roundTop) region.top = -2 * a;
    if (!roundTop && !roundBottom) region.ellipse = 0;
    return region;
}

} // namespace qel
