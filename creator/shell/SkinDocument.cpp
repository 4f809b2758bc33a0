#include "creator/shell/SkinDocument.h"

#include <stdexcept>

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

// The system colour for window text, the reset colour of swatches 2, 4 and 9.
constexpr uint32_t kWindowText = 0x80000008;
constexpr uint32_t kDefaultColours[kSwatches] = {0x00E0E0E0, 0x0000FF00, 0x00000000, 0x00808080,
                                                 0x00000000, 0x00808080, 0x00808080, 0x00E0E0E0,
                                                 0x00FF00FF, 0x00000000, 0x00E0E0E0};
constexpr const char* kDefaultTexts[kNumberFields] = {"0", "5", "5", "10", "2", "15", "0",
                                                      "5", "5", "5", "5",  "5", "20"};

int Checked(int index, int count) {
    if (index < 0 || index >= count) throw std::out_of_range("no such box or field");
    return index;
}

} // namespace

const char* PieceName(Piece piece) {
    return kPieceNames[static_cast<int>(piece)];
}

std::string VariantName(int variant) {
    return std::string(variant % 2 ? "Active Skin" : "In-Active Skin") +
           (variant <= 2 ? " with Menu" : " with No Menu");
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
    for (int p = 0; p < kPieces; ++p) {
        const bool top = p <= static_cast<int>(Piece::TopRight);
        const int width = p == static_cast<int>(Piece::TopMiddle) ? kMiddleWidth
                          : top                                   ? kCornerWidth
                                                                  : kStripWidth;
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
    for (int i = 0; i < kSwatches; ++i)
        swatches_[i] = {kDefaultColours[i],
                        i == 2 || i == 4 || i == 9 ? kWindowText : kDefaultColours[i]};
    checks_[3] = 1; // "Draw Caption"
    for (int i = 0; i < kNumberFields; ++i)
        texts_[i] = kDefaultTexts[i];
}

GraphicBox& SkinDocument::PieceBox(Piece piece, int variant) {
    return pieces_[static_cast<int>(piece)][Checked(variant - 1, kVariants)];
}
const GraphicBox& SkinDocument::PieceBox(Piece piece, int variant) const {
    return pieces_[static_cast<int>(piece)][Checked(variant - 1, kVariants)];
}
GraphicBox& SkinDocument::ButtonBox(CaptionButton button, int state) {
    return buttons_[static_cast<int>(button)][Checked(state - 1, kButtonStates)];
}
const GraphicBox& SkinDocument::ButtonBox(CaptionButton button, int state) const {
    return buttons_[static_cast<int>(button)][Checked(state - 1, kButtonStates)];
}
int& SkinDocument::ItemData(int list, Piece piece) {
    return itemData_[Checked(list - 1, kVariants)][static_cast<int>(piece)];
}
int SkinDocument::ItemData(int list, Piece piece) const {
    return itemData_[Checked(list - 1, kVariants)][static_cast<int>(piece)];
}
Swatch& SkinDocument::picColor(int index) {
    return swatches_[Checked(index, kSwatches)];
}
const Swatch& SkinDocument::picColor(int index) const {
    return swatches_[Checked(index, kSwatches)];
}
int& SkinDocument::CheckValue(int n) {
    return checks_[Checked(n - 1, kChecks)];
}
int SkinDocument::CheckValue(int n) const {
    return checks_[Checked(n - 1, kChecks)];
}
const std::string& SkinDocument::Text(int n) const {
    return texts_[Checked(n - 1, kNumberFields)];
}

void SkinDocument::SetText(int n, const std::string& text) {
    texts_[Checked(n - 1, kNumberFields)] = text;
    // The caption-top fields of the in-active pages mirror those of the active ones.
    constexpr std::pair<int, int> kMirrors[] = {{2, 10}, {10, 2}, {8, 9}, {9, 8}};
    for (auto [field, mirror] : kMirrors)
        if (n == field) texts_[mirror - 1] = text;
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
    for (Swatch& swatch : swatches_)
        swatch.backColor = swatch.foreColor;
    SkinModified = false;
}

} // namespace qel
