#include "sheet/SkinSlice.h"
#include "sheet/SkinSheetReader.h"

namespace qel {

namespace {

// The width of the form icon that the caption and menu make room for.
constexpr int kIconWidth = 16;
constexpr int32_t kSizingBorderHeight = 5; // top and bottom sizing zones

} // namespace

SheetImage CutPicture(const SheetImage& sheet, const SlicedPicture& picture) {
    SheetImage out(picture.width, picture.height);
    for (const PictureCopy& c : picture.copies)
        out.Draw(sheet, c.from, c.toX, c.toY);
    return out;
}

SkinSliceResult SliceSkinSheet(const SheetImage& picture, const SliceOptions& options) {
    SkinSheetReading reading = ReadSkinSheet(picture);
    if (!reading.sheet) return {std::nullopt, reading.problem};
    const SkinSheet& sheet = *reading.sheet;
    const SkinSheetGeometry& g = sheet.geometry;
    using V = CaptionVariant;
    using P = CaptionPiece;

    // The last row of each caption band is not used.
    const V active = options.hasMenu ? V::ActiveMenu : V::ActivePlain;
    const V inactive = options.hasMenu ? V::InactiveMenu : V::InactivePlain;
    const int captionHeight = g.BandHeight(active) - 1;
    if (captionHeight < 1)
        return {std::nullopt, std::string("The ") + (options.hasMenu ? "menu" : "plain") +
                                  " caption band is one row high, which leaves no caption."};

    SkinSlice s;
    const int W = g.CaptionSetWidth();
    s.caption = {2 * W, captionHeight, {}};
    for (V v : {active, inactive}) {
        int x = v == active ? 0 : W;
        for (P p : {P::TopLeft, P::TopMiddle, P::TopRight}) {
            SheetRect from = g.CaptionCell(v, p);
            from.height = captionHeight;
            s.caption.copies.push_back({from, x, 0});
            x += from.width;
        }
    }
    s.borders = {kStripCells * g.stripCellWidth, g.stripCellHeight, {}};
    for (int k = 0; k < kStripCells; ++k)
        s.borders.copies.push_back({g.StripCell(k), k * g.stripCellWidth, 0});
    s.buttons = {kCaptionButtons * g.buttonWidth, kButtonStates * g.buttonHeight, {}};
    for (int r = 0; r < kButtonStates; ++r)
        for (int c = 0; c < kCaptionButtons; ++c)
            s.buttons.copies.push_back(
                {g.ButtonCell(static_cast<ButtonState>(r), static_cast<CaptionButton>(c)),
                 c * g.buttonWidth, r * g.buttonHeight});

    using C = SheetColour;
    using F = SheetFlag;
    using N = SheetValue;
    auto flag = [&](F f) { return sheet.Flag(f, FlagRule::Control); };
    s.RoundAngle = static_cast<int16_t>(sheet.Value(N::RoundAngle));
    s.RoundTop = flag(F::RoundTop);
    s.RoundBottom = flag(F::RoundBottom);
    s.ActiveBackColor = sheet.Colour(C::ActiveFormBack);
    s.InactiveBackColor = sheet.Colour(C::InactiveFormBack);
    s.ControlForeColor = sheet.Colour(C::FormText);
    s.SkinAllowsIcon = flag(F::DrawFormIcon);
    s.ShiftCaption = flag(F::ShiftCaption);
    s.frameWidth = 2 * g.stripCellWidth;
    s.frameHeight = captionHeight + g.stripCellHeight;

    SkinConfigValues& c = s.config;
    c.ActiveCaptionColor = sheet.Colour(C::ActiveCaption);
    c.InActiveCaptionColor = sheet.Colour(C::InactiveCaption);
    c.ActiveMenuColor = sheet.Colour(C::ActiveMenu);
    c.ActiveMenuColorOver = sheet.Colour(C::MenuHighlight);
    c.InActiveMenuColor = sheet.Colour(C::InactiveMenu);
    c.MenuBackgroundColor = sheet.Colour(C::MenuBackground);
    c.FormBackgroundColor = sheet.Colour(C::ActiveFormBack);
    c.ButtonWidth = g.buttonWidth;
    c.ButtonHeight = g.buttonHeight;
    c.ActiveLeftEnd = g.topLeftWidth + 1;
    c.ActiveRightStart = g.topLeftWidth + g.topMiddleWidth - 1;
    c.ActiveRightEnd = W;
    c.InactiveOffset = W;
    c.BorderHasInactiveVersion = true;
    c.ControlButtonHasInactiveVersion = true;
    c.CustomControlButtonPosition = true;
    c.DrawTitle = flag(F::DrawCaption);
    c.LeftBorderWidth = g.stripCellWidth + 1;
    c.RightBorderWidth = g.stripCellWidth + 1;
    c.TopSizingBorderHeight = c.BottomSizingBorderHeight = kSizingBorderHeight;
    c.TitleStartOffsetY =
        sheet.Value(options.hasMenu ? N::CaptionTopWithMenu : N::CaptionTopNoMenu);
    c.ControlButtonOffsetX = -sheet.Value(N::ButtonLeft);
    c.ControlButtonOffsetY = sheet.Value(N::ButtonsTop);
    c.ButtonGap = static_cast<int16_t>(sheet.Value(N::ButtonGap));
    c.MenuStartOffsetX = sheet.Value(N::MenuLeft);
    c.MenuStartOffsetY = sheet.Value(N::MenuTop);
    c.ShowIcon = s.SkinAllowsIcon && options.showIcon;
    c.IconTop = sheet.Value(N::IconTop);
    c.IconLeft = sheet.Value(N::IconLeft);
    c.CaptionLeft = sheet.Value(N::CaptionLeft);

    // Without an icon to show, the caption and the menu take its place.
    if (s.ShiftCaption && c.ShowIcon && !options.hostHasIcon) {
        if (c.MenuStartOffsetX > kIconWidth) c.MenuStartOffsetX -= kIconWidth;
        if (c.CaptionLeft > kIconWidth) c.CaptionLeft -= kIconWidth;
    }
    return {std::move(s), {}};
}

} // namespace qel
