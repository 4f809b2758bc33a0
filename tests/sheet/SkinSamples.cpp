#include "tests/sheet/SkinSamples.h"

namespace qel::test {

namespace {

int Between(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

uint32_t RandomColour(std::mt19937& rng) {
    return rng() & 0x00FFFFFF;
}

// Mostly a few colours, so that pieces have areas; the key colour now and then.
SheetImage RandomPiece(std::mt19937& rng, int width, int height, uint32_t key) {
    const uint32_t palette[] = {RandomColour(rng), RandomColour(rng), RandomColour(rng), key,
                                kFlagOn};
    SheetImage piece(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            piece.SetPixel(x, y, palette[Between(rng, 0, 4)]);
    return piece;
}

// Keeps the key colour out of where the readers scan.
void ClearColumn(SheetImage& piece, int x, uint32_t key) {
    for (int y = 0; y < piece.Height(); ++y)
        if (piece.Pixel(x, y) == key) piece.SetPixel(x, y, key ^ 1);
}
void ClearRow(SheetImage& piece, int y, int fromX, uint32_t key) {
    for (int x = fromX; x < piece.Width(); ++x)
        if (piece.Pixel(x, y) == key) piece.SetPixel(x, y, key ^ 1);
}

int RandomBandHeight(std::mt19937& rng) {
    return Between(rng, 0, 9) == 0 ? 1 : Between(rng, 2, 45);
}

} // namespace

SampleSkin RandomSkin(std::mt19937& rng) {
    SkinSheetGeometry g;
    g.topLeftWidth = Between(rng, 1, 40);
    g.topMiddleWidth = Between(rng, 1, 40);
    g.topRightWidth = Between(rng, 1, 40);
    g.menuBandHeight = RandomBandHeight(rng);
    g.plainBandHeight = RandomBandHeight(rng);
    g.stripCellWidth = Between(rng, 1, 12);
    g.stripCellHeight = Between(rng, 1, 12);
    g.buttonWidth = Between(rng, 1, 20);
    g.buttonHeight = Between(rng, 1, 20);
    return RandomSkin(rng, g);
}

SampleSkin RandomSkin(std::mt19937& rng, const SkinSheetGeometry& g) {
    const uint32_t key = RandomColour(rng);
    uint32_t background;
    do {
        background = RandomColour(rng);
    } while (background == key || background == kFlagOn || background == kFlagOnToo);
    return RandomSkin(rng, g, key, background);
}

SampleSkin RandomSkin(std::mt19937& rng, const SkinSheetGeometry& g, uint32_t key,
                      uint32_t background) {
    SampleSkin skin;
    SkinSheetContent& c = skin.content;
    c.key = key;
    skin.background = background;

    for (int v = 0; v < kCaptionVariants; ++v)
        for (int p = 0; p < kCaptionPieces; ++p) {
            SheetRect cell =
                g.CaptionCell(static_cast<CaptionVariant>(v), static_cast<CaptionPiece>(p));
            c.captionPieces[v * kCaptionPieces + p] =
                RandomPiece(rng, cell.width, cell.height, c.key);
        }
    for (SheetImage& piece : c.stripPieces)
        piece = RandomPiece(rng, g.stripCellWidth, g.stripCellHeight, c.key);
    for (SheetImage& button : c.buttons)
        button = RandomPiece(rng, g.buttonWidth, g.buttonHeight, c.key);

    using V = CaptionVariant;
    using P = CaptionPiece;
    ClearColumn(c.Caption(V::ActiveMenu, P::TopLeft), 0, c.key);
    ClearColumn(c.Caption(V::ActivePlain, P::TopLeft), 0, c.key);
    ClearRow(c.Caption(V::ActiveMenu, P::TopLeft), 0, 0, c.key);
    ClearRow(c.Caption(V::ActiveMenu, P::TopMiddle), 0, 1, c.key);
    ClearRow(c.Caption(V::ActiveMenu, P::TopRight), 0, 1, c.key);
    SheetImage& leftSide = c.Strip(FrameVariant::Active, StripPiece::LeftSide);
    ClearColumn(leftSide, 0, c.key);
    ClearRow(leftSide, 0, 0, c.key);
    for (int s = 0; s < kButtonStates; ++s)
        ClearColumn(c.Button(static_cast<ButtonState>(s), CaptionButton::Close), 0, c.key);
    ClearRow(c.Button(ButtonState::Normal, CaptionButton::Close), 0, 0, c.key);

    const uint32_t special[] = {c.key, kFlagOn, kFlagOnToo, skin.background};
    for (uint32_t& colour : c.colours)
        colour = Between(rng, 0, 4) == 0 ? special[Between(rng, 0, 3)] : RandomColour(rng);
    for (bool& flag : c.flags)
        flag = Between(rng, 0, 1) == 1;
    for (int32_t& value : c.values)
        value = Between(rng, 0, 60);
    if (Between(rng, 0, 9) == 0) c.values[Between(rng, 0, kSheetValues - 1)] = Between(rng, 0, 600);
    return skin;
}

SampleSkin BuiltInLikeSkin() {
    std::mt19937 rng(1);
    SampleSkin skin = RandomSkin(rng, kBuiltInGeometry, 0x00008000, 0x00FEFEFE);
    SkinSheetContent& c = skin.content;
    c.colours = {0x00DCE1E2, 0x00800000, 0x003F3F3F, 0x00800000, 0x003F3F3F,
                 0x00800000, 0x00DCE1E2, 0x00FF00FF, 0x00800000, 0x00DCE1E2};
    c.flags = {false, false, true, false, false};
    c.values = {0, 4, 25, 3, 3, 20, 25, 4, 0, 0, 25};
    return skin;
}

} // namespace qel::test
