// The skin sheet: one picture that carries a whole skin, its structure drawn
// into it as one-pixel lines of a key colour (the colour of pixel (0,0)).
// This file is the one statement of where everything lies on a sheet; the
// writer, the readers and the slicer take every position from here.
//
// Rows, top to bottom (hA, hB: caption band heights; Sh: frame-strip height;
// Bh: button height; every band is followed by a key line):
//   0                    key line
//   1                    menu caption band, hA rows: caption sets of variants 1 and 2
//   hA + 2               plain caption band, hB rows: caption sets of variants 3 and 4
//   hA + hB + 3          frame strip, Sh rows: 14 side and bottom cells
//   then                 four caption-button state rows of Bh, each followed by a key line;
//                        the last of these lines is yE
//   yE + 1               option swatch row: 15 cells of 3 x 3 (colours and flags)
//   yE + 4 .. yE + 6     three ruler lines (every x, every 5th, every 10th)
//   yE + 7 + k           value row k: one key-colour marker at x = value k
// Key columns stand left and right of every cell of the caption bands, the
// strip, the button block and the swatch row.
#pragma once
#include "base/PictureHeader.h"
#include "sheet/SheetImage.h"
#include "skinmodel/FramePieces.h"

#include <cstdint>

namespace qel {

// Sheets larger than this in either direction are refused as absurd.
inline constexpr int kMaxSheetSide = 4096;
// The loader's bound for a picture meant as a skin sheet (or a piece of one).
inline constexpr PictureBound kSheetPictureBound{kMaxSheetSide, "a skin sheet"};

// Caption variants in the creator's order (its index is the enumerator + 1).
enum class CaptionVariant { ActiveMenu, InactiveMenu, ActivePlain, InactivePlain };
enum class CaptionPiece { TopLeft, TopMiddle, TopRight };

// The colour cells of the swatch row ("Empty Color" is stored but has no effect).
enum class SheetColour {
    ActiveFormBack,
    ActiveCaption,
    InactiveCaption,
    ActiveMenu,
    InactiveMenu,
    MenuHighlight,
    MenuBackground,
    Empty,
    FormText,
    InactiveFormBack
};
// The flag cells of the swatch row.
enum class SheetFlag { RoundTop, RoundBottom, DrawCaption, DrawFormIcon, ShiftCaption };
// The value rows, in row order ("Button Left" comes before "Buttons Top").
enum class SheetValue {
    RoundAngle,
    CaptionTopWithMenu,
    ButtonLeft,
    ButtonsTop,
    ButtonGap,
    MenuTop,
    MenuLeft,
    CaptionTopNoMenu,
    IconTop,
    IconLeft,
    CaptionLeft
};

inline constexpr int kCaptionVariants = 4, kCaptionPieces = 3;
inline constexpr int kSheetColours = 10, kSheetFlags = 5, kSheetValues = 11, kSwatchCells = 15;

// The swatch cell (0 to 14) that holds a colour or a flag.
int SwatchCell(SheetColour colour);
int SwatchCell(SheetFlag flag);

// A flag cell is black when its option is on. The control also takes
// 0x00030100 as on; the creator takes black only.
inline constexpr uint32_t kFlagOn = 0x00000000;
inline constexpr uint32_t kFlagOnToo = 0x00030100;
enum class FlagRule { Control, Creator };
bool IsFlagOn(uint32_t pixel, FlagRule rule);

// The nine sizes that fix every position on a sheet.
struct SkinSheetGeometry {
    int topLeftWidth = 0, topMiddleWidth = 0, topRightWidth = 0; // TLw, TMw, TRw
    int menuBandHeight = 0, plainBandHeight = 0;                 // hA, hB
    int stripCellWidth = 0, stripCellHeight = 0;                 // S, Sh
    int buttonWidth = 0, buttonHeight = 0;                       // Bw, Bh

    // W: the width of one caption set (Top Left, Top Middle, Top Right).
    int CaptionSetWidth() const { return topLeftWidth + topMiddleWidth + topRightWidth; }

    // Rows.
    int BandTop(CaptionVariant v) const;
    int BandHeight(CaptionVariant v) const;
    int BandLine(CaptionVariant v) const { return BandTop(v) + BandHeight(v); }
    int StripTop() const { return menuBandHeight + plainBandHeight + 3; }
    int StripLine() const { return StripTop() + stripCellHeight; }
    int ButtonRowTop(ButtonState s) const {
        return StripLine() + 1 + static_cast<int>(s) * (buttonHeight + 1);
    }
    int SwatchLine() const { return ButtonRowTop(ButtonState::Disabled) + buttonHeight; } // yE
    int SwatchCentreY() const { return SwatchLine() + 2; }
    int RulerTop() const { return SwatchLine() + 4; }
    int ValueRow(SheetValue v) const { return RulerTop() + 3 + static_cast<int>(v); }

    // Cells.
    SheetRect CaptionCell(CaptionVariant v, CaptionPiece p) const;
    SheetRect StripCell(int cell) const; // cell 0 to 13
    SheetRect StripCell(FrameVariant v, StripPiece p) const { return StripCell(StripCellOf(v, p)); }
    SheetRect ButtonCell(ButtonState s, CaptionButton b) const;
    SheetRect SwatchRect(int cell) const { return {1 + 4 * cell, SwatchLine() + 1, 3, 3}; }
    static int SwatchCentreX(int cell) { return 2 + 4 * cell; }

    // The writer's smallest sheet: every band fits (values aside), and five
    // background rows stay under the last value row.
    int MinimumSheetWidth() const;
    int SheetHeight() const { return ValueRow(SheetValue::CaptionLeft) + 6; }

    bool operator==(const SkinSheetGeometry&) const = default;
};

// x of a caption piece in its band: the band's first set starts at x = 1, the
// second three pixels after the first set's width. Each piece is placed by the
// widths of the pieces before it in its own set.
int CaptionPieceX(bool secondSet, CaptionPiece p, int firstSetWidth, int topLeftWidth,
                  int topMiddleWidth);
// The variant whose caption set lies first in the band of `v`.
CaptionVariant FirstInBand(CaptionVariant v);
bool IsSecondInBand(CaptionVariant v);

} // namespace qel
