// A synthetic skin for renderer tests: every piece of every picture is one flat
// colour of its own, so that each piece can be found on the screen by colour.
#pragma once
#include "renderer/Qel_SkinConfig.h"

#include <windows.h>
#include <ocidl.h>
#include <vector>

namespace qel::test {

// A bitmap picture object of w x h pixels, filled with `background` and then
// with each rectangle's colour in order.
struct Fill {
    RECT rect;
    COLORREF colour;
};
ComPtr<IPictureDisp> FlatPicture(int w, int h, COLORREF background,
                                 const std::vector<Fill>& fills = {});

namespace skin {

// Caption pieces as the control's slicing lays them out: left, middle and right
// pieces side by side, the active set at x 0 and the in-active set after it.
inline constexpr int kLeftPiece = 30, kMiddlePiece = 20, kRightPiece = 40;
inline constexpr int kSetWidth = kLeftPiece + kMiddlePiece + kRightPiece;
inline constexpr int kCaptionHeight = 28;
// Fourteen border cells of kCell x kCellHeight.
inline constexpr int kCell = 6, kCellHeight = 8;
// Four columns (close, restore, maximise, minimise) by four rows (normal,
// pressed, hover, in-active) of buttons.
inline constexpr int kButtonWidth = 16, kButtonHeight = 14;
inline constexpr int kIconSize = 32;

// Piece colours: [0] active, [1] in-active.
inline constexpr COLORREF kLeft[2] = {RGB(200, 40, 40), RGB(120, 60, 60)};
inline constexpr COLORREF kMiddle[2] = {RGB(40, 200, 40), RGB(60, 120, 60)};
inline constexpr COLORREF kRight[2] = {RGB(40, 40, 200), RGB(60, 60, 120)};
inline constexpr COLORREF kIcon = RGB(255, 200, 0);
inline constexpr COLORREF kMagenta = RGB(255, 0, 255);
inline constexpr COLORREF kTitle[2] = {RGB(255, 255, 255), RGB(0, 0, 0)};

constexpr COLORREF BorderCell(int k) {
    return RGB(250 - 12 * k, 100 + 9 * k, 10 + 17 * k);
}
enum Column { kCloseColumn, kRestoreColumn, kMaximiseColumn, kMinimiseColumn };
enum Row { kNormalRow, kPressedRow, kHoverRow, kInactiveRow };
constexpr COLORREF ButtonCell(int column, int row) {
    return RGB(20 + 60 * column, 20 + 60 * row, 230);
}

// The caption, border, button and icon pictures.
ComPtr<IPictureDisp> CaptionPicture();
ComPtr<IPictureDisp> BorderPicture();
ComPtr<IPictureDisp> ButtonPicture();
ComPtr<IPictureDisp> IconPicture();

// A configuration filled as the control fills one from a skin sheet: in-active
// border cells, wider side borders, sizing zones, buttons placed from the right
// edge, title and icon placed by offsets.
ComPtr<Qel_SkinConfig> SheetConfig();
inline constexpr int kSideBorder = kCell + 1; // LeftBorderWidth and RightBorderWidth
inline constexpr int kButtonRight = 25;       // ControlButtonOffsetX is minus this
inline constexpr int kButtonTop = 4;
inline constexpr int kButtonGap = 3;
inline constexpr int kTitleTop = 6;
inline constexpr int kCaptionLeft = 25;
inline constexpr int kIconLeft = 6, kIconTop = 6;

// A configuration that leaves every optional number at 0, so that the
// renderer's fallbacks place borders and buttons (no in-active cells, no icon).
ComPtr<Qel_SkinConfig> PlainConfig();

} // namespace skin
} // namespace qel::test
