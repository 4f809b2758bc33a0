#include "sheet/SkinSheetWriter.h"

#include <algorithm>

namespace qel {

namespace {

constexpr const char* kCaptionPieceNames[kCaptionPieces] = {"Top Left", "Top Middle", "Top Right"};
constexpr const char* kStripPieceNames[kStripPieces] = {
    "Left Side",          "Bottom Left Fixed",    "Bottom Left Sizable", "Bottom Middle",
    "Bottom Right Fixed", "Bottom Right Sizable", "Right Side"};
constexpr const char* kButtonNames[kCaptionButtons] = {"Close", "Restore", "Maximize", "Minimize"};
constexpr const char* kStateNames[kButtonStates] = {"Normal:", "Down:", "Highlight:", "Disabled:"};
constexpr const char* kValueNames[kSheetValues] = {"Round Angle:", "Caption Top with Menu:",
                                                   "Button Left",  "Buttons Top",
                                                   "Button Gap",   "Menu Top",
                                                   "Menu Left",    "Caption Top with No Menu:",
                                                   "Icon Top",     "Icon Left",
                                                   "Caption Left:"};

class KeyPen {
public:
    KeyPen(SheetImage& sheet, uint32_t key) : sheet_(sheet), key_(key) {}
    // Key pixels from x0 to x1 (inclusive) on row y, and from y0 to y1 on column x.
    void Row(int y, int x0, int x1) { sheet_.Fill({x0, y, x1 - x0 + 1, 1}, key_); }
    void Column(int x, int y0, int y1) { sheet_.Fill({x, y0, 1, y1 - y0 + 1}, key_); }

private:
    SheetImage& sheet_;
    uint32_t key_;
};

int CaptionX(const SkinSheetContent& c, CaptionVariant v, CaptionPiece p) {
    auto width = [&](CaptionVariant w, CaptionPiece q) { return c.Caption(w, q).Width(); };
    CaptionVariant first = FirstInBand(v);
    int firstSetWidth = width(first, CaptionPiece::TopLeft) +
                        width(first, CaptionPiece::TopMiddle) +
                        width(first, CaptionPiece::TopRight);
    return CaptionPieceX(IsSecondInBand(v), p, firstSetWidth, width(v, CaptionPiece::TopLeft),
                         width(v, CaptionPiece::TopMiddle));
}

bool Storable(int32_t value) {
    return value >= 0 && value < kMaxSheetSide;
}

std::string Size(int w, int h) {
    return std::to_string(w) + " x " + std::to_string(h);
}

std::string VariantName(int v) {
    return "variant " + std::to_string(v + 1);
}

// Whether `key` occurs in column x, or in row y from column fromX on, of a piece.
bool KeyInColumn(const SheetImage& piece, int x, uint32_t key) {
    for (int y = 0; y < piece.Height(); ++y)
        if (piece.Pixel(x, y) == key) return true;
    return false;
}
bool KeyInRow(const SheetImage& piece, int y, int fromX, uint32_t key) {
    for (int x = fromX; x < piece.Width(); ++x)
        if (piece.Pixel(x, y) == key) return true;
    return false;
}

std::string CheckSizes(const SkinSheetContent& c, const SkinSheetGeometry& g) {
    const int sizes[] = {g.topLeftWidth,    g.topMiddleWidth,  g.topRightWidth,
                         g.menuBandHeight,  g.plainBandHeight, g.stripCellWidth,
                         g.stripCellHeight, g.buttonWidth,     g.buttonHeight};
    if (std::find(std::begin(sizes), std::end(sizes), 0) != std::end(sizes))
        return "A piece that sets the sheet's sizes (Top Left, Top Middle or Top Right of "
               "variant 1, Top Left of variant 3, the active Left Side or the Normal Close "
               "button) is empty.";
    for (int v = 0; v < kCaptionVariants; ++v) {
        for (int p = 0; p < kCaptionPieces; ++p) {
            auto variant = static_cast<CaptionVariant>(v);
            auto piece = static_cast<CaptionPiece>(p);
            SheetRect cell = g.CaptionCell(variant, piece);
            const SheetImage& image = c.Caption(variant, piece);
            if (image.Width() != cell.width || image.Height() != cell.height)
                return std::string(kCaptionPieceNames[p]) + " of " + VariantName(v) + " is " +
                       Size(image.Width(), image.Height()) + " pixels; its band needs " +
                       Size(cell.width, cell.height) + ".";
        }
    }
    for (int k = 0; k < kStripCells; ++k) {
        const SheetImage& image = c.stripPieces[k];
        if (image.Width() != g.stripCellWidth || image.Height() != g.stripCellHeight)
            return std::string("\"") + kStripPieceNames[k % kStripPieces] + "\" (" +
                   (k < kStripPieces ? "active" : "in-active") + ") is " +
                   Size(image.Width(), image.Height()) + " pixels; the frame strip needs " +
                   Size(g.stripCellWidth, g.stripCellHeight) + ".";
    }
    for (int i = 0; i < kButtonStates * kCaptionButtons; ++i) {
        const SheetImage& image = c.buttons[i];
        if (image.Width() != g.buttonWidth || image.Height() != g.buttonHeight)
            return std::string("The ") + kButtonNames[i % kCaptionButtons] + " button \"" +
                   kStateNames[i / kCaptionButtons] + "\" is " +
                   Size(image.Width(), image.Height()) + " pixels; buttons need " +
                   Size(g.buttonWidth, g.buttonHeight) + ".";
    }
    return {};
}

// The readers find the bands by scanning column 1 and the first rows of the
// caption bands, the strip and the button block: the key colour must not occur
// in the pieces where those scans pass.
std::string CheckScannedPixels(const SkinSheetContent& c) {
    const uint32_t key = c.key;
    using V = CaptionVariant;
    using P = CaptionPiece;
    const SheetImage& leftSide = c.Strip(FrameVariant::Active, StripPiece::LeftSide);
    const SheetImage& normalClose = c.Button(ButtonState::Normal, CaptionButton::Close);
    if (KeyInColumn(c.Caption(V::ActiveMenu, P::TopLeft), 0, key) ||
        KeyInColumn(c.Caption(V::ActivePlain, P::TopLeft), 0, key) || KeyInColumn(leftSide, 0, key))
        return "The key colour occurs in the first column of a Top Left piece of variant 1 or 3 "
               "or of the active Left Side.";
    for (int s = 0; s < kButtonStates; ++s)
        if (KeyInColumn(c.Button(static_cast<ButtonState>(s), CaptionButton::Close), 0, key))
            return std::string("The key colour occurs in the first column of the Close button \"") +
                   kStateNames[s] + "\".";
    if (KeyInRow(c.Caption(V::ActiveMenu, P::TopLeft), 0, 0, key) ||
        KeyInRow(c.Caption(V::ActiveMenu, P::TopMiddle), 0, 1, key) ||
        KeyInRow(c.Caption(V::ActiveMenu, P::TopRight), 0, 1, key))
        return "The key colour occurs in the first row of a caption piece of variant 1.";
    if (KeyInRow(leftSide, 0, 0, key) || KeyInRow(normalClose, 0, 0, key))
        return "The key colour occurs in the first row of the active Left Side or of the Normal "
               "Close button.";
    return {};
}

} // namespace

int SkinSheetWidth(const SkinSheetContent& content) {
    int width = content.Geometry().MinimumSheetWidth();
    for (int32_t v : content.values)
        if (Storable(v)) width = std::max(width, v + 1);
    return width;
}

SheetImage ComposeSkinSheet(const SkinSheetContent& content, uint32_t background) {
    const SkinSheetGeometry g = content.Geometry();
    const int width = SkinSheetWidth(content);
    SheetImage sheet(width, g.SheetHeight(), background);
    KeyPen key(sheet, content.key);
    using V = CaptionVariant;
    using P = CaptionPiece;

    // Caption bands: key rows (one pixel past the last key column), the pieces,
    // then the key columns over them.
    const int W = g.CaptionSetWidth();
    const int captionBottom = g.BandLine(V::ActivePlain);
    for (int y : {0, g.BandLine(V::ActiveMenu), captionBottom})
        key.Row(y, 0, 2 * W + 7);
    for (int v = 0; v < kCaptionVariants; ++v) {
        for (int p = 0; p < kCaptionPieces; ++p) {
            auto variant = static_cast<V>(v);
            auto piece = static_cast<P>(p);
            sheet.Draw(content.Caption(variant, piece), CaptionX(content, variant, piece),
                       g.BandTop(variant));
        }
    }
    for (V v : {V::ActiveMenu, V::InactiveMenu})
        for (int p = 0; p < kCaptionPieces; ++p)
            key.Column(CaptionX(content, v, static_cast<P>(p)) - 1, 0, captionBottom);
    key.Column(CaptionX(content, V::InactiveMenu, P::TopRight) +
                   content.Caption(V::InactiveMenu, P::TopRight).Width(),
               0, captionBottom);

    // Frame strip.
    const int stripRight = kStripCells * (g.stripCellWidth + 1);
    key.Row(g.StripTop() - 1, 0, stripRight);
    key.Row(g.StripLine(), 0, stripRight);
    for (int k = 0; k <= kStripCells; ++k)
        key.Column(k * (g.stripCellWidth + 1), g.StripTop() - 1, g.StripLine());
    for (int k = 0; k < kStripCells; ++k) {
        SheetRect cell = g.StripCell(k);
        sheet.Draw(content.stripPieces[k], {0, 0, cell.width, cell.height}, cell.x, cell.y);
    }

    // Button block.
    const int blockRight = kCaptionButtons * (g.buttonWidth + 1);
    for (int r = 0; r <= kButtonStates; ++r)
        key.Row(g.StripLine() + r * (g.buttonHeight + 1), 0, blockRight);
    for (int c = 0; c <= kCaptionButtons; ++c)
        key.Column(c * (g.buttonWidth + 1), g.StripLine(), g.SwatchLine());
    for (int s = 0; s < kButtonStates; ++s) {
        for (int b = 0; b < kCaptionButtons; ++b) {
            auto state = static_cast<ButtonState>(s);
            auto button = static_cast<CaptionButton>(b);
            SheetRect cell = g.ButtonCell(state, button);
            sheet.Draw(content.Button(state, button), {0, 0, cell.width, cell.height}, cell.x,
                       cell.y);
        }
    }

    // Swatch row.
    const int yE = g.SwatchLine();
    key.Row(yE, 0, 4 * kSwatchCells);
    key.Row(yE + 4, 0, 4 * kSwatchCells);
    for (int k = 0; k <= kSwatchCells; ++k)
        key.Column(4 * k, yE + 1, yE + 3);
    for (int c = 0; c < kSheetColours; ++c)
        sheet.Fill(g.SwatchRect(SwatchCell(static_cast<SheetColour>(c))), content.colours[c]);
    for (int f = 0; f < kSheetFlags; ++f)
        if (content.flags[f])
            sheet.Fill(g.SwatchRect(SwatchCell(static_cast<SheetFlag>(f))), kFlagOn);

    // Ruler lines and value markers.
    const int r0 = g.RulerTop();
    for (int x = 0; x < width; ++x) {
        sheet.SetPixel(x, r0, content.key);
        if (x % 5 == 0) sheet.SetPixel(x, r0 + 1, content.key);
        if (x % 10 == 0) sheet.SetPixel(x, r0 + 2, content.key);
    }
    for (int k = 0; k < kSheetValues; ++k)
        if (Storable(content.values[k]))
            sheet.SetPixel(content.values[k], g.ValueRow(static_cast<SheetValue>(k)), content.key);
    return sheet;
}

std::string CheckSkinSheetContent(const SkinSheetContent& content, uint32_t background) {
    const SkinSheetGeometry g = content.Geometry();
    if (std::string problem = CheckSizes(content, g); !problem.empty()) return problem;
    if (background == content.key || background == kFlagOn || background == kFlagOnToo)
        return "The background colour must differ from the key colour, from black and from "
               "&H00030100.";
    if (std::string problem = CheckScannedPixels(content); !problem.empty()) return problem;
    for (int k = 0; k < kSheetValues; ++k)
        if (!Storable(content.values[k]))
            return std::string("The value \"") + kValueNames[k] + "\" is " +
                   std::to_string(content.values[k]) + "; a sheet stores values from 0 to " +
                   std::to_string(kMaxSheetSide - 1) + ".";
    if (SkinSheetWidth(content) > kMaxSheetSide || g.SheetHeight() > kMaxSheetSide)
        return "The sheet would be " + Size(SkinSheetWidth(content), g.SheetHeight()) +
               " pixels; sheets are at most " + std::to_string(kMaxSheetSide) +
               " pixels wide and high.";
    return {};
}

} // namespace qel
