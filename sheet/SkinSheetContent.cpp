#include "sheet/SkinSheetContent.h"

namespace qel {

SkinSheetGeometry SkinSheetContent::Geometry() const {
    const SheetImage& topLeft = Caption(CaptionVariant::ActiveMenu, CaptionPiece::TopLeft);
    const SheetImage& leftSide = Strip(FrameVariant::Active, StripPiece::LeftSide);
    const SheetImage& close = Button(ButtonState::Normal, CaptionButton::Close);
    return {topLeft.Width(),
            Caption(CaptionVariant::ActiveMenu, CaptionPiece::TopMiddle).Width(),
            Caption(CaptionVariant::ActiveMenu, CaptionPiece::TopRight).Width(),
            topLeft.Height(),
            Caption(CaptionVariant::ActivePlain, CaptionPiece::TopLeft).Height(),
            leftSide.Width(),
            leftSide.Height(),
            close.Width(),
            close.Height()};
}

} // namespace qel
