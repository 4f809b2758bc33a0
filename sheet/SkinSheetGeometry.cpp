#include "sheet/SkinSheetGeometry.h"

#include <algorithm>

namespace qel {

namespace {

constexpr int kColourCells[kSheetColours] = {0, 1, 2, 3, 4, 5, 6, 10, 11, 12};
constexpr int kFlagCells[kSheetFlags] = {7, 8, 9, 13, 14};
// The swatch row: 15 cells of 3 x 3 between key columns 4 pixels apart.
constexpr int kSwatchRowWidth = 4 * kSwatchCells + 1;

bool IsMenuBand(CaptionVariant v) {
    return v == CaptionVariant::ActiveMenu || v == CaptionVariant::InactiveMenu;
}

} // namespace

int SwatchCell(SheetColour colour) {
    return kColourCells[static_cast<int>(colour)];
}
int SwatchCell(SheetFlag flag) {
    return kFlagCells[static_cast<int>(flag)];
}

bool IsFlagOn(uint32_t pixel, FlagRule rule) {
    return pixel == kFlagOn || (rule == FlagRule::Control && pixel == kFlagOnToo);
}

CaptionVariant FirstInBand(CaptionVariant v) {
    return IsMenuBand(v) ? CaptionVariant::ActiveMenu : CaptionVariant::ActivePlain;
}

bool IsSecondInBand(CaptionVariant v) {
    return v == CaptionVariant::InactiveMenu || v == CaptionVariant::InactivePlain;
}

int CaptionPieceX(bool secondSet, CaptionPiece p, int firstSetWidth, int topLeftWidth,
                  int topMiddleWidth) {
    int x = secondSet ? firstSetWidth + 4 : 1;
    if (p != CaptionPiece::TopLeft) x += topLeftWidth + 1;
    if (p == CaptionPiece::TopRight) x += topMiddleWidth + 1;
    return x;
}

int SkinSheetGeometry::BandTop(CaptionVariant v) const {
    return IsMenuBand(v) ? 1 : menuBandHeight + 2;
}

int SkinSheetGeometry::BandHeight(CaptionVariant v) const {
    return IsMenuBand(v) ? menuBandHeight : plainBandHeight;
}

SheetRect SkinSheetGeometry::CaptionCell(CaptionVariant v, CaptionPiece p) const {
    const int widths[kCaptionPieces] = {topLeftWidth, topMiddleWidth, topRightWidth};
    return {CaptionPieceX(IsSecondInBand(v), p, CaptionSetWidth(), topLeftWidth, topMiddleWidth),
            BandTop(v), widths[static_cast<int>(p)], BandHeight(v)};
}

SheetRect SkinSheetGeometry::StripCell(int cell) const {
    return {1 + cell * (stripCellWidth + 1), StripTop(), stripCellWidth, stripCellHeight};
}

SheetRect SkinSheetGeometry::ButtonCell(ButtonState s, CaptionButton b) const {
    return {1 + static_cast<int>(b) * (buttonWidth + 1), ButtonRowTop(s), buttonWidth,
            buttonHeight};
}

int SkinSheetGeometry::MinimumSheetWidth() const {
    return std::max({2 * CaptionSetWidth() + 7, kStripCells * (stripCellWidth + 1) + 1,
                     kCaptionButtons * (buttonWidth + 1) + 1, kSwatchRowWidth});
}

} // namespace qel
