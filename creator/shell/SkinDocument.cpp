#include "creator/shell/SkinDocument.h"

namespace qel {
namespace {

constexpr const char* kPieceNames[kPieces] = {
    "Top Left",           "Top Middle",          "Top Right",           "Left Side",
    "Right Side",         "Bottom Left Fixed",   "Bottom Left Sizable", "Bottom Middle",
    "Bottom Right Fixed", "Bottom Right Sizable"};

// The design sizes of the boxes (at 15 twips per pixel: Top Left and Top
// Right 315 x 300 twips, Top Middle 1065 x 300, the others 165 x 225, the
// caption-button boxes 270 x 240).
constexpr int kCornerWidth = 21, kMiddleWidth = 71, kTopHeight = 20;
constexpr int kStripWidth = 11, kStripHeight = 15;
constexpr int kButtonWidth = 18, kButtonHeight = 16;

// The system colour for window text, the reset colour of the caption, menu
// and form text swatches.
constexpr uint32_t kWindowText = 0x80000008;
constexpr PerSwatch<uint32_t> kDefaultColours{{0x00E0E0E0, 0x0000FF00, 0x00000000, 0x00808080,
                                               0x00000000, 0x00808080, 0x00808080, 0x00E0E0E0,
                                               0x00FF00FF, 0x00000000, 0x00E0E0E0}};
constexpr PerField<const char*> kDefaultTexts{
    {"0", "5", "5", "10", "2", "15", "0", "5", "5", "5", "5", "5", "20"}};

} // namespace

const char* PieceName(Piece piece) {
    return kPieceNames[static_cast<int>(piece)];
}

std::string VariantName(int variant) {
    return std::string(IsActive(variant) ? "Active Skin" : "In-Active Skin") +
           (HasMenu(variant) ? " with Menu" : " with No Menu");
}

void GraphicBox::Load(SheetImage image) {
    picture = std::move(image);
    if (!picture.Empty()) {
        width = picture.Width();
        height = picture.Height();
    }
}

SheetImage GraphicBox::Shown() const {
    SheetImage shown(width, height, backColor);
    shown.Draw(picture, 0, 0);
    return shown;
}

SkinDocument::SkinDocument() {
    for (Piece p : pieces_.Numbers()) {
        const bool top = p <= Piece::TopRight;
        const int width = p == Piece::TopMiddle ? kMiddleWidth : top ? kCornerWidth : kStripWidth;
        for (GraphicBox& box : pieces_[p]) {
            box.width = width;
            box.height = top ? kTopHeight : kStripHeight;
        }
    }
    for (auto& states : buttons_)
        for (GraphicBox& box : states) {
            box.width = kButtonWidth;
            box.height = kButtonHeight;
        }
    using enum Swatch;
    for (Swatch k : swatches_.Numbers()) {
        const bool text = k == ActiveCaption || k == ActiveMenu || k == FormText;
        swatches_[k] = {kDefaultColours[k], text ? kWindowText : kDefaultColours[k]};
    }
    checks_[Option::DrawCaption] = 1;
    for (Field n : texts_.Numbers())
        texts_[n] = kDefaultTexts[n];
}

std::optional<Field> MirrorOf(Field field) {
    using enum Field;
    for (auto [a, b] : {std::pair{CaptionTopWithMenu, InactiveCaptionTopWithMenu},
                        std::pair{CaptionTopNoMenu, InactiveCaptionTopNoMenu}}) {
        if (field == a) return b;
        if (field == b) return a;
    }
    return std::nullopt;
}

void SkinDocument::SetText(Field field, const std::string& text) {
    texts_[field] = text;
    if (const std::optional<Field> mirror = MirrorOf(field)) texts_[*mirror] = text;
}

void SkinDocument::ClearSkinPieces() {
    for (auto& variants : pieces_)
        for (GraphicBox& box : variants)
            box.Load({});
    for (auto& states : buttons_)
        for (GraphicBox& box : states) {
            box.Load({});
            box.width = kButtonWidth;
            box.height = kButtonHeight;
        }
    for (SwatchColours& swatch : swatches_)
        swatch.backColor = swatch.foreColor;
    SkinModified = false;
}

} // namespace qel
