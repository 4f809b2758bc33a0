#include "sheet/SkinSheetReader.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qel {

namespace {

// The key lines down column 1, each closing a band.
constexpr int kKeyLines = 3 + kButtonStates;
constexpr const char* kBandNames[kKeyLines] = {"the menu caption band", "the plain caption band",
                                               "the frame strip",       "caption-button row 1",
                                               "caption-button row 2",  "caption-button row 3",
                                               "caption-button row 4"};

// The first x from `fromX` on row y with the colour `key`, or -1.
int ScanRow(const SheetImage& picture, int y, int fromX, uint32_t key) {
    for (int x = fromX; x < picture.Width(); ++x)
        if (picture.Pixel(x, y) == key) return x;
    return -1;
}

// The first y from `fromY` on column x with the colour `key`, or -1.
int ScanColumn(const SheetImage& picture, int x, int fromY, uint32_t key) {
    for (int y = fromY; y < picture.Height(); ++y)
        if (picture.Pixel(x, y) == key) return y;
    return -1;
}

std::string Point(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

SkinSheetReading Refuse(std::string why) {
    return {std::nullopt, std::move(why)};
}

} // namespace

SkinSheetReading ReadSkinSheet(const SheetImage& picture) {
    const int width = picture.Width(), height = picture.Height();
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (picture.Empty()) return Refuse("The picture is empty.");
    if (width > kMaxSheetSide || height > kMaxSheetSide)
        return Refuse("The picture is " + size + " pixels; a skin sheet is at most " +
                      std::to_string(kMaxSheetSide) + " pixels wide and high.");
    SkinSheet sheet;
    sheet.key = picture.Pixel(0, 0);
    const uint32_t key = sheet.key;

    // Rows: the key lines down column 1.
    int lines[kKeyLines];
    for (int i = 0, from = 1; i < kKeyLines; from = lines[i++] + 1) {
        lines[i] = ScanColumn(picture, 1, from, key);
        if (lines[i] < 0)
            return Refuse("No key line under " + std::string(kBandNames[i]) +
                          ": column 1 has no pixel of the key colour (the colour of pixel "
                          "(0, 0)) from row " +
                          std::to_string(from) + " down.");
        if (lines[i] == from)
            return Refuse("The sheet has no rows for " + std::string(kBandNames[i]) +
                          ": key lines meet at row " + std::to_string(from) + " of column 1.");
    }
    SkinSheetGeometry& g = sheet.geometry;
    g.menuBandHeight = lines[0] - 1;
    g.plainBandHeight = lines[1] - lines[0] - 1;
    g.stripCellHeight = lines[2] - lines[1] - 1;
    g.buttonHeight = lines[3] - lines[2] - 1;
    for (int r = 1; r < kButtonStates; ++r) {
        int rowHeight = lines[3 + r] - lines[2 + r] - 1;
        if (rowHeight != g.buttonHeight)
            return Refuse("Caption-button row " + std::to_string(r + 1) + " is " +
                          std::to_string(rowHeight) + " pixels high; row 1 is " +
                          std::to_string(g.buttonHeight) + ".");
    }

    // Columns: the caption pieces along row 1 (each later scan starts two
    // pixels right of the previous find), the first strip and button cells.
    // Column 1 of these rows holds no key colour (the scan down it passed them),
    // so every width found is at least 1.
    const int a1 = ScanRow(picture, 1, 1, key);
    if (a1 < 0) return Refuse("No key column after the Top Left piece in row 1.");
    const int a2 = ScanRow(picture, 1, a1 + 2, key);
    if (a2 < 0) return Refuse("No key column after the Top Middle piece in row 1.");
    const int a3 = ScanRow(picture, 1, a2 + 2, key);
    if (a3 < 0) return Refuse("No key column after the Top Right piece in row 1.");
    g.topLeftWidth = a1 - 1;
    g.topMiddleWidth = a2 - a1 - 1;
    g.topRightWidth = a3 - a2 - 1;
    const int cs = ScanRow(picture, g.StripTop(), 1, key);
    if (cs < 0)
        return Refuse("No key column after the first frame-strip cell in row " +
                      std::to_string(g.StripTop()) + ".");
    g.stripCellWidth = cs - 1;
    const int cb = ScanRow(picture, g.ButtonRowTop(ButtonState::Normal), 1, key);
    if (cb < 0)
        return Refuse("No key column after the first caption-button cell in row " +
                      std::to_string(g.ButtonRowTop(ButtonState::Normal)) + ".");
    g.buttonWidth = cb - 1;

    // Everything the layout implies must lie inside the picture: the right-most
    // cell of each band, the last swatch centre and the last value row.
    const int lastSwatch = SkinSheetGeometry::SwatchCentreX(kSwatchCells - 1);
    const std::pair<const char*, SheetRect> extents[] = {
        {"The in-active caption pieces",
         g.CaptionCell(CaptionVariant::InactiveMenu, CaptionPiece::TopRight)},
        {"The frame-strip cells", g.StripCell(kStripCells - 1)},
        {"The caption-button cells", g.ButtonCell(ButtonState::Disabled, CaptionButton::Minimize)},
        {"The option swatches", {lastSwatch, g.SwatchCentreY(), 1, 1}},
        {"The value rows", {0, g.ValueRow(SheetValue::CaptionLeft), 1, 1}},
    };
    for (const auto& [what, r] : extents)
        if (!picture.Contains(r))
            return Refuse(std::string(what) + " reach " + Point(r.Right() - 1, r.Bottom() - 1) +
                          ", outside the picture of " + size + " pixels.");

    for (int k = 0; k < kSwatchCells; ++k)
        sheet.swatches[k] = picture.Pixel(SkinSheetGeometry::SwatchCentreX(k), g.SwatchCentreY());
    for (int k = 0; k < kSheetValues; ++k) {
        int x = ScanRow(picture, g.ValueRow(static_cast<SheetValue>(k)), 0, key);
        sheet.values[k] = x < 0 ? 0 : x;
    }
    return {sheet, {}};
}

std::string CheckKeyLines(const SheetImage& picture, const SkinSheet& sheet) {
    const SkinSheetGeometry& g = sheet.geometry;
    const int right = picture.Width() - 1;
    auto row = [&](int y, int x1) {
        for (int x = 0; x <= std::min(x1, right); ++x)
            if (picture.Pixel(x, y) != sheet.key)
                return "The key line of row " + std::to_string(y) + " breaks at " + Point(x, y) +
                       ".";
        return std::string();
    };
    auto column = [&](int x, int y0, int y1) {
        if (x > right) return std::string();
        for (int y = y0; y <= y1; ++y)
            if (picture.Pixel(x, y) != sheet.key)
                return "The key line of column " + std::to_string(x) + " breaks at " + Point(x, y) +
                       ".";
        return std::string();
    };
    using V = CaptionVariant;
    std::vector<std::string> faults;
    const int captionRight = g.CaptionCell(V::InactiveMenu, CaptionPiece::TopRight).Right();
    for (int y : {0, g.BandLine(V::ActiveMenu), g.BandLine(V::ActivePlain)})
        faults.push_back(row(y, captionRight));
    for (V v : {V::ActiveMenu, V::InactiveMenu})
        for (int p = 0; p < kCaptionPieces; ++p)
            faults.push_back(column(g.CaptionCell(v, static_cast<CaptionPiece>(p)).x - 1, 0,
                                    g.BandLine(V::ActivePlain)));
    faults.push_back(column(captionRight, 0, g.BandLine(V::ActivePlain)));
    for (int k = 0; k <= kStripCells; ++k)
        faults.push_back(column(k * (g.stripCellWidth + 1), g.StripTop() - 1, g.StripLine()));
    faults.push_back(row(g.StripLine(), g.StripCell(kStripCells - 1).Right()));
    for (int s = 0; s < kButtonStates; ++s)
        faults.push_back(row(g.ButtonRowTop(static_cast<ButtonState>(s)) + g.buttonHeight,
                             g.ButtonCell(ButtonState::Normal, CaptionButton::Minimize).Right()));
    // Sheets of the first writers lack the columns right of x = 5 Bw.
    for (int b = 0; b < kCaptionButtons && b * (g.buttonWidth + 1) <= 5 * g.buttonWidth; ++b)
        faults.push_back(column(b * (g.buttonWidth + 1), g.StripLine(), g.SwatchLine()));
    faults.push_back(row(g.RulerTop(), 4 * kSwatchCells));
    for (int k = 0; k <= kSwatchCells; ++k)
        faults.push_back(column(4 * k, g.SwatchLine() + 1, g.SwatchLine() + 3));
    for (const std::string& fault : faults)
        if (!fault.empty()) return fault;
    return {};
}

SkinSheetContent CutSkinSheetContent(const SheetImage& picture, const SkinSheet& sheet,
                                     FlagRule rule) {
    const SkinSheetGeometry& g = sheet.geometry;
    SkinSheetContent content;
    content.key = sheet.key;
    for (int v = 0; v < kCaptionVariants; ++v)
        for (int p = 0; p < kCaptionPieces; ++p)
            content.captionPieces[v * kCaptionPieces + p] = picture.Cut(
                g.CaptionCell(static_cast<CaptionVariant>(v), static_cast<CaptionPiece>(p)));
    for (int k = 0; k < kStripCells; ++k)
        content.stripPieces[k] = picture.Cut(g.StripCell(k));
    for (int s = 0; s < kButtonStates; ++s)
        for (int b = 0; b < kCaptionButtons; ++b)
            content.buttons[s * kCaptionButtons + b] = picture.Cut(
                g.ButtonCell(static_cast<ButtonState>(s), static_cast<CaptionButton>(b)));
    for (int c = 0; c < kSheetColours; ++c)
        content.colours[c] = sheet.Colour(static_cast<SheetColour>(c));
    for (int f = 0; f < kSheetFlags; ++f)
        content.flags[f] = sheet.Flag(static_cast<SheetFlag>(f), rule);
    content.values = sheet.values;
    return content;
}

} // namespace qel
