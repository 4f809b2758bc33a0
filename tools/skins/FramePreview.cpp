#include "tools/skins/FramePreview.h"
#include "sheet/SkinSlice.h"

#include <algorithm>
#include <stdexcept>

namespace qel {

FramePicture ComposeFrame(const SheetImage& sheet, const FrameShot& shot) {
    SkinSliceResult sliced = SliceSkinSheet(sheet, {shot.hasMenu, true, true});
    if (!sliced.slice) throw std::invalid_argument(sliced.problem);
    const SkinSlice& s = *sliced.slice;
    const SkinConfigValues& k = s.config;
    const SheetImage caption = CutPicture(sheet, s.caption);
    const SheetImage borders = CutPicture(sheet, s.borders);
    const SheetImage buttons = CutPicture(sheet, s.buttons);
    const int W = shot.width, H = shot.height;
    const FrameSkin skin = FrameSkinOf(k, caption.Height(), borders.Width(), borders.Height());
    FrameState state;
    state.window = {0, 0, W, H};
    state.active = shot.active;
    state.maximised = shot.maximized;
    state.sizable = shot.sizable;
    state.menu = shot.hasMenu;
    state.titleHeight = shot.titleHeight;
    state.looks = {shot.close, shot.maximize, shot.minimize};
    const FrameLayout layout = LayOutFrame(skin, state);

    FramePicture out;
    out.image = SheetImage(W, H, kDesktopColour);
    SheetImage& image = out.image;
    auto copy = [](SheetImage& to, const SheetImage& from, const PieceCopy& piece) {
        to.Draw(from, {piece.fromX, piece.fromY, piece.to.Width(), piece.to.Height()},
                piece.to.left, piece.to.top);
    };

    // Caption: the two ends unstretched, the middle tiled between them.
    copy(image, caption, layout.captionLeft);
    copy(image, caption, layout.captionRight);
    const PieceCopy& tile = layout.middleTile;
    for (int x = layout.middle.left; tile.to.Width() > 0 && x < layout.middle.right;
         x += tile.to.Width())
        image.Draw(caption,
                   {tile.fromX, tile.fromY, std::min(tile.to.Width(), layout.middle.right - x),
                    tile.to.Height()},
                   x, tile.to.top);
    for (int i = kCloseButton; i < kFrameButtonCount; ++i)
        if (layout.buttonShown[i]) copy(image, buttons, layout.buttonCells[i]);

    // Sides and bottom.
    const int w = layout.cellWidth, b = skin.bordersHeight;
    if (w > 0 && b > 0) {
        SheetImage side(2 * w, H, 0);
        for (int y = 0; y < H; y += b) {
            side.Draw(borders, {layout.sideCells[0], 0, w, b}, 0, y);
            side.Draw(borders, {layout.sideCells[1], 0, w, b}, w, y);
        }
        copy(image, side, layout.leftBorder);
        copy(image, side, layout.rightBorder);
        const int y = layout.bottom.top;
        for (int x = 0; x < W; x += w)
            image.Draw(borders, {layout.bottomMiddleCell, 0, w, b}, x, y);
        image.Draw(borders, {layout.bottomLeftCell, 0, w, b}, 0, y);
        image.Draw(borders, {layout.bottomRightCell, 0, w, b}, layout.bottomRightX, y);
    }

    // The client area, within the margins the renderer gives the window.
    const FrameMargins m = MarginsOf(skin);
    out.client = {m.left, m.top, W - m.left - m.right, H - m.top - m.bottom};
    image.Fill(out.client, shot.active ? s.ActiveBackColor : s.InactiveBackColor);

    if (layout.icon.Width() > 0) {
        // A stand-in for the form's icon: a small framed window.
        const int x = layout.icon.left, y = layout.icon.top;
        image.Fill({x + 1, y + 2, 14, 12}, 0x00704010);
        image.Fill({x + 2, y + 5, 12, 8}, 0x00FFFFFF);
    }
    const RoundRegion region = RoundCornersRegion(W, H, s.RoundAngle, s.RoundTop, s.RoundBottom);
    if (region.ellipse > 0)
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (!region.Contains(x, y)) image.SetPixel(x, y, kDesktopColour);

    out.title = {layout.title.left, layout.title.top, layout.title.Width(), layout.title.Height()};
    out.titleColour = shot.active ? k.ActiveCaptionColor : k.InActiveCaptionColor;
    out.menuLeft = layout.menuArea.left;
    out.menuTop = layout.menuArea.top;
    out.menuColour = shot.active ? k.ActiveMenuColor : k.InActiveMenuColor;
    out.menuOver = k.ActiveMenuColorOver;
    out.menuBackground = k.MenuBackgroundColor;
    out.formText = s.ControlForeColor;
    return out;
}

} // namespace qel
