#include "tools/skins/SkinArtist.h"
#include "tools/skins/ArtCanvas.h"

#include <algorithm>
#include <cmath>

namespace qel {

namespace {

using namespace art;

// Further than any canvas reaches: a shape is open on a side that lies this far.
constexpr double kFar = 1000;
const Rgb kWhite{1, 1, 1}, kBlack{0, 0, 0};

int Value(const SkinTheme& t, SheetValue v) {
    return t.values[static_cast<int>(v)];
}

bool Flag(const SkinTheme& t, SheetFlag f) {
    return t.flags[static_cast<int>(f)];
}

// The radius of the corners the window region cuts, 0 for square corners.
double CornerRadius(const SkinTheme& t, SheetFlag corner) {
    int angle = Value(t, SheetValue::RoundAngle);
    return Flag(t, corner) && angle >= 1 ? angle / 2.0 : 0;
}

// The row of the title bar's lower edge: above the menu band on a form with a
// menu, the last caption row on a form without one.
int EdgeRow(const SkinTheme& t, bool menu) {
    return menu ? Value(t, SheetValue::MenuTop) - 1 : t.geometry.plainBandHeight - 2;
}

// The colours of one look, with the shades derived from them.
struct Colours {
    Rgb gloss, base, frame, outline, button;
    Rgb highlight; // the line inside the outline
    Rgb inner;     // the line round the client area and under the title bar
    Rgb menu;      // the menu band
};

Colours ColoursOf(const FrameLook& look, uint32_t menuBackground) {
    Colours k{FromHex(look.gloss),
              FromHex(look.base),
              FromHex(look.frame),
              FromHex(look.outline),
              FromHex(look.button),
              {},
              {},
              {}};
    k.highlight = Lighten(k.frame, 0.38);
    k.inner = Mix(k.outline, k.frame, 0.3);
    k.menu = FromColourValue(menuBackground);
    return k;
}

// The window's outline on a canvas `width` wide whose frame spans the rows
// from `top` to `bottom`, with the corners that the window region rounds (the
// region reaches one pixel further right and down than the window).
Shape WindowShape(double width, double top, double bottom, double topRadius, double bottomRadius) {
    Shape shape = Box(0, top, width, bottom);
    if (topRadius > 0) shape = Intersect(shape, RoundBox(0, top, width + 1, top + kFar, topRadius));
    if (bottomRadius > 0)
        shape = Intersect(shape, RoundBox(0, bottom - kFar, width + 1, bottom + 1, bottomRadius));
    return shape;
}

// Outline, highlight and a body that darkens inwards, on a canvas cleared to the
// outline colour (so that what the window region may cut is outline too).
void PaintFrame(ArtCanvas& c, const Shape& window, const Colours& k) {
    c.Fill(Grow(window, -1), k.highlight);
    c.Fill(Grow(window, -2), k.frame);
    c.Fill(Grow(window, -3), Darken(k.frame, 0.1));
}

// The title bar: a glossy upper half over a deeper lower half that lightens
// towards the bottom. The stops are those of the menu variant, so that both
// variants share their rows.
Paint TitleBar(const Colours& k, int edgeWithMenu) {
    const double mid = 1 + (edgeWithMenu - 1) * 0.5;
    const Rgb top = Lighten(k.gloss, Lightness(k.gloss) > 0.5 ? 0.6 : 0.15);
    return Vertical({{1, top},
                     {mid, k.gloss},
                     {mid, k.base},
                     {double(edgeWithMenu), Mix(k.base, k.gloss, 0.45)}});
}

// A few soap bubbles in the caption's left end.
void DrawBubbles(ArtCanvas& c, const SkinTheme& t, const Colours& k) {
    const int edge = EdgeRow(t, true);
    const double r = std::min(8.0, (edge - 1) * 0.25);
    const double cy = (1 + edge) / 2.0, x0 = t.geometry.stripCellWidth + 3 + r;
    const double bubbles[][3] = {{x0, cy + r * 0.1, r},
                                 {x0 + r * 1.45, cy - r * 0.55, r * 0.5},
                                 {x0 + r * 1.3, cy + r * 0.8, r * 0.32}};
    for (const auto& [x, y, radius] : bubbles) {
        Shape ball = Ellipse(x, y, radius, radius);
        c.Fill(ball, Lighten(k.button, 0.7), 0.35);
        c.Fill(Subtract(ball, Grow(ball, -1)), Mix(k.button, kWhite, 0.1), 0.8);
        c.Fill(Ellipse(x - radius * 0.32, y - radius * 0.4, radius * 0.4, radius * 0.25), kWhite,
               0.9);
    }
}

ArtCanvas DrawCaption(const SkinTheme& t, CaptionVariant v, const Colours& k) {
    const SkinSheetGeometry& g = t.geometry;
    const bool menu = v == CaptionVariant::ActiveMenu || v == CaptionVariant::InactiveMenu;
    const int W = g.CaptionSetWidth(), H = g.BandHeight(v), S = g.stripCellWidth;
    const int edge = EdgeRow(t, menu);
    ArtCanvas c(W, H, k.outline);
    const Shape window = WindowShape(W, 0, kFar, CornerRadius(t, SheetFlag::RoundTop), 0);
    PaintFrame(c, window, k);

    const Shape bar = Intersect(Grow(window, -1), Box(0, 0, W, edge));
    c.Fill(bar, TitleBar(k, EdgeRow(t, true)));
    c.Fill(Subtract(bar, Grow(window, -2)), Lighten(k.gloss, 0.75), 0.45);
    c.Fill(Box(1, edge, W - 1, edge + 1), k.inner);
    c.Fill(Box(S, edge, W - S + 1, H), k.inner);
    if (menu) {
        const int last = H - 2; // the last caption row; the band's own last row is not shown
        c.Fill(Box(S + 1, edge + 1, W - S, H), Vertical({{edge + 1.0, Darken(k.menu, 0.06)},
                                                         {edge + 3.0, Lighten(k.menu, 0.45)},
                                                         {double(last), k.menu}}));
        c.Fill(Box(S + 1, last, W - S, H), Darken(k.menu, 0.1));
    }
    if (t.art.bubbles) DrawBubbles(c, t, k);
    return c;
}

// Side and bottom cells: a frame three cells wide and two high, the upper row
// giving the sides, the lower one the bottom; the client area's hole is inner
// line colour, so that the bottom middle's first row (seen only at the hole's
// corners) continues the inner line.
ArtCanvas DrawBorders(const SkinTheme& t, const Colours& k) {
    const int S = t.geometry.stripCellWidth, Sh = t.geometry.stripCellHeight;
    const int w = 3 * S, h = 2 * Sh;
    ArtCanvas c(w, h, k.outline);
    PaintFrame(c, WindowShape(w, -kFar, h, 0, CornerRadius(t, SheetFlag::RoundBottom)), k);
    c.Fill(Box(S, -kFar, w - S + 1, h - Sh + 2), k.inner);
    return c;
}

struct ButtonBox {
    Shape shape;
    double left, top, right, bottom;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    double CentreX() const { return (left + right) / 2; }
    double CentreY() const { return (top + bottom) / 2; }
};

// The button's outline in its cell, one row left free for its shadow.
ButtonBox ButtonOutline(ButtonShape shape, int w, int h) {
    switch (shape) {
    case ButtonShape::Bubble: {
        const double r = std::min(w, h - 1) / 2.0 - 0.25, cx = w / 2.0, cy = (h - 1) / 2.0;
        return {Ellipse(cx, cy, r, r), cx - r, cy - r, cx + r, cy + r};
    }
    case ButtonShape::Capsule:
        return {RoundBox(0.5, 0.5, w - 0.5, h - 1.5, (h - 2) / 2.0), 0.5, 0.5, w - 0.5, h - 1.5};
    case ButtonShape::Gem:
        break;
    }
    return {RoundBox(0.5, 0.5, w - 0.5, h - 1, std::min(w, h) * 0.22), 0.5, 0.5, w - 0.5, h - 1.0};
}

// The glyph of a caption button, on whole pixels where its lines are straight.
Shape Glyph(CaptionButton kind, const ButtonBox& box) {
    const double size = std::floor(std::min(box.Width(), box.Height()) * 0.46 + 0.5);
    const double x0 = std::floor(box.CentreX() - size / 2 + 0.5);
    const double y0 = std::floor(box.CentreY() - size / 2 + 0.5);
    const double x1 = x0 + size, y1 = y0 + size;
    const double t = size >= 8 ? 2 : 1; // line thickness
    switch (kind) {
    case CaptionButton::Close: {
        const double half = size >= 8 ? 1.25 : 0.95;
        return Union(Stroke(x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5, half),
                     Stroke(x1 - 0.5, y0 + 0.5, x0 + 0.5, y1 - 0.5, half));
    }
    case CaptionButton::Maximize:
        return Subtract(Box(x0, y0, x1, y1), Box(x0 + t, y0 + t + 1, x1 - t, y1 - t));
    case CaptionButton::Minimize:
        return Box(x0, y1 - t - 1, x1, y1);
    case CaptionButton::Restore:
        break;
    }
    const double o = std::floor(size / 3 + 0.5); // how far the back window shows
    const Shape front = Box(x0, y0 + o, x1 - o, y1);
    const Shape back = Box(x0 + o, y0, x1, y1 - o);
    return Union(Subtract(front, Box(x0 + t, y0 + o + t + 1, x1 - o - t, y1 - t)),
                 Subtract(Subtract(back, Box(x0 + o + t, y0 + t, x1 - t, y1 - o - t)), front));
}

// One caption button over `background` (the title bar behind it).
ArtCanvas DrawButton(const SkinTheme& t, CaptionButton kind, ButtonState state, Rgb base,
                     const ArtCanvas& background) {
    ArtCanvas c = background;
    const ButtonBox box = ButtonOutline(t.art.buttons, c.Width(), c.Height());
    const bool down = state == ButtonState::Down, hover = state == ButtonState::Highlight;
    const bool disabled = state == ButtonState::Disabled;
    const Rgb b = hover ? Lighten(base, 0.22) : down ? Darken(base, 0.3) : base;

    if (hover) c.Fill(Grow(box.shape, 1.2), Lighten(base, 0.6), 0.5);
    c.Fill(Move(box.shape, 0, 0.9), kBlack, disabled ? 0.1 : 0.25);
    c.Fill(box.shape, Darken(b, disabled ? 0.22 : 0.45));
    c.Fill(Grow(box.shape, -1), Vertical({{box.top, Darken(b, down ? 0.25 : 0.05)},
                                          {box.bottom, Lighten(b, down ? 0.15 : 0.45)}}));
    const double glowY = box.top + box.Height() * 0.78;
    const double glowRx = box.Width() * 0.34, glowRy = box.Height() * 0.22;
    c.Fill(Ellipse(box.CentreX(), glowY, glowRx, glowRy), Solid(Lighten(b, 0.7)),
           RadialFade(box.CentreX(), glowY, glowRx, glowRy, hover ? 0.9 : 0.6, 0));

    // The reflection of a window above the button.
    const Shape shine =
        t.art.buttons == ButtonShape::Bubble
            ? Ellipse(box.CentreX(), box.top + box.Height() * 0.3, box.Width() * 0.34,
                      box.Height() * 0.22)
            : RoundBox(box.left + 2, box.top + 1, box.right - 2, box.top + box.Height() * 0.48,
                       std::min(box.Width(), box.Height()) * 0.2);
    const double shineTop = down ? 0.35 : disabled ? 0.6 : 0.9;
    c.Fill(shine, Solid(kWhite),
           VerticalFade(box.top, shineTop, box.top + box.Height() * 0.5, 0.12));

    const bool light = Lightness(b) > 0.62;
    const Rgb ink = light ? Darken(b, disabled ? 0.45 : 0.72) : disabled ? Lighten(b, 0.7) : kWhite;
    const Rgb shade = light ? Lighten(b, 0.6) : Darken(b, 0.65);
    const double dy = down ? 1 : 0;
    const Shape glyph = Glyph(kind, box);
    c.Fill(Move(glyph, 0, dy + 1), shade, disabled ? 0.3 : 0.55);
    c.Fill(Move(glyph, 0, dy), ink);
    return c;
}

// The title bar behind the buttons: rows from "Buttons Top" of a middle column.
ArtCanvas ButtonBackground(const SkinTheme& t, const ArtCanvas& caption) {
    const SkinSheetGeometry& g = t.geometry;
    const int x = g.topLeftWidth + g.topMiddleWidth / 2, top = Value(t, SheetValue::ButtonsTop);
    ArtCanvas c(g.buttonWidth, g.buttonHeight, {});
    for (int y = 0; y < g.buttonHeight; ++y) {
        const Rgb p = caption.At(x, std::min(top + y, caption.Height() - 1));
        for (int col = 0; col < g.buttonWidth; ++col)
            c.Set(col, y, p);
    }
    return c;
}

} // namespace

SkinSheetContent DrawSkin(const SkinTheme& t) {
    const SkinSheetGeometry& g = t.geometry;
    const uint32_t menuBackground = t.colours[static_cast<int>(SheetColour::MenuBackground)];
    const Colours active = ColoursOf(t.art.active, menuBackground);
    const Colours inactive = ColoursOf(t.art.inactive, menuBackground);

    SkinSheetContent content;
    content.key = t.key;
    content.colours = t.colours;
    content.flags = t.flags;
    content.values = t.values;

    for (int i = 0; i < kCaptionVariants; ++i) {
        const auto v = static_cast<CaptionVariant>(i);
        const bool isActive = v == CaptionVariant::ActiveMenu || v == CaptionVariant::ActivePlain;
        const ArtCanvas caption = DrawCaption(t, v, isActive ? active : inactive);
        const int H = caption.Height();
        content.Caption(v, CaptionPiece::TopLeft) = caption.Picture({0, 0, g.topLeftWidth, H});
        content.Caption(v, CaptionPiece::TopMiddle) =
            caption.Picture({g.topLeftWidth, 0, g.topMiddleWidth, H});
        content.Caption(v, CaptionPiece::TopRight) =
            caption.Picture({g.topLeftWidth + g.topMiddleWidth, 0, g.topRightWidth, H});
    }

    const int S = g.stripCellWidth, Sh = g.stripCellHeight;
    for (FrameVariant v : {FrameVariant::Active, FrameVariant::Inactive}) {
        const ArtCanvas frame = DrawBorders(t, v == FrameVariant::Active ? active : inactive);
        auto cell = [&](int column, int row) {
            return frame.Picture({column * S, row * Sh, S, Sh});
        };
        content.Strip(v, StripPiece::LeftSide) = cell(0, 0);
        content.Strip(v, StripPiece::RightSide) = cell(2, 0);
        content.Strip(v, StripPiece::BottomLeftFixed) = cell(0, 1);
        content.Strip(v, StripPiece::BottomLeftSizable) = cell(0, 1);
        content.Strip(v, StripPiece::BottomMiddle) = cell(1, 1);
        content.Strip(v, StripPiece::BottomRightFixed) = cell(2, 1);
        content.Strip(v, StripPiece::BottomRightSizable) = cell(2, 1);
    }

    const ArtCanvas activeBack =
        ButtonBackground(t, DrawCaption(t, CaptionVariant::ActiveMenu, active));
    const ArtCanvas inactiveBack =
        ButtonBackground(t, DrawCaption(t, CaptionVariant::InactiveMenu, inactive));
    for (int s = 0; s < kButtonStates; ++s)
        for (int b = 0; b < kCaptionButtons; ++b) {
            const auto state = static_cast<ButtonState>(s);
            const auto kind = static_cast<CaptionButton>(b);
            const bool disabled = state == ButtonState::Disabled;
            const Rgb base = disabled                       ? inactive.button
                             : kind == CaptionButton::Close ? FromHex(t.art.close)
                                                            : active.button;
            content.Button(state, kind) =
                DrawButton(t, kind, state, base, disabled ? inactiveBack : activeBack).Picture();
        }
    return content;
}

} // namespace qel
