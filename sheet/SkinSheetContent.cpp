#include "sheet/SkinSheetContent.h"

namespace qel {
namespace {

template <typename Picture, typename Content> std::vector<Picture*> PicturesOf(Content& c) {
    std::vector<Picture*> pictures;
    for (Picture& p : c.captionPieces)
        pictures.push_back(&p);
    for (Picture& p : c.stripPieces)
        pictures.push_back(&p);
    for (Picture& p : c.buttons)
        pictures.push_back(&p);
    return pictures;
}

} // namespace

std::vector<SheetImage*> SkinSheetContent::Pictures() {
    return PicturesOf<SheetImage>(*this);
}
std::vector<const SheetImage*> SkinSheetContent::Pictures() const {
    return PicturesOf<const SheetImage>(*this);
}

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
