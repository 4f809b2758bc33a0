#include "tools/skins/FramePreview.h"
#include "sheet/SkinSlice.h"

#include <algorithm>
#include <stdexcept>

namespace qel {

namespace {

// Whether the pixel lies inside the window region that rounds the corners:
// a rectangle one pixel larger than the window with ellipse corners `angle` wide.
bool InRegion(int x, int y, int width, int height, int angle, bool top, bool bottom) {
    const double r = angle / 2.0;
    const int regionTop = top ? 0 : -2 * angle;
    const int regionBottom = bottom ? height + 1 : height + 2 * angle + 1;
    const double px = x + 0.5, py = y + 0.5;
    const double cx = px < r ? r : px > width + 1 - r ? width + 1 - r : px;
    const double cy = py < regionTop + r      ? regionTop + r
                      : py > regionBottom - r ? regionBottom - r
                                              : py;
    const double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= r * r;
}

} // namespace

FramePicture ComposeFrame(const SheetImage& sheet, const FrameShot& shot) {
    SkinSliceResult sliced = SliceSkinSheet(sheet, {shot.hasMenu, true, true});
    if (!sliced.slice) throw std::invalid_argument(sliced.problem);
    const SkinSlice& s = *sliced.slice;
    const SkinConfigValues& k = s.config;
    const SheetImage caption = CutPicture(sheet, s.caption);
    const SheetImage borders = CutPicture(sheet, s.borders);
    const SheetImage buttons = CutPicture(sheet, s.buttons);
    const int W = shot.width, H = shot.height, c = caption.Height();
    const int w = borders.Width() / kStripCells, b = borders.Height();

    FramePicture out;
    out.image = SheetImage(W, H, kDesktopColour);
    SheetImage& image = out.image;

    // Caption: the two ends unstretched, the middle tiled between them.
    const int src = shot.active ? 0 : k.InactiveOffset;
    image.Draw(caption, {src, 0, k.ActiveLeftEnd, c}, 0, 0);
    const int r = k.ActiveRightEnd - k.ActiveRightStart + 1;
    const int xR = std::max(W - r + 1, r);
    image.Draw(caption, {src + k.ActiveRightStart, 0, r, c}, xR, 0);
    const int tile = k.ActiveRightStart - k.ActiveLeftEnd;
    for (int x = k.ActiveLeftEnd; x < xR; x += tile)
        image.Draw(caption, {src + k.ActiveLeftEnd + 1, 0, std::min(tile, xR - x), c}, x, 0);

    // Buttons from right to left: close, maximise or restore, minimise.
    struct Button {
        int column;
        ButtonState state;
        int gap;
    };
    const Button row[] = {{0, shot.close, 0},
                          {shot.maximized ? 1 : 2, shot.maximize, k.ButtonGap},
                          {3, shot.minimize, k.ButtonGap}};
    int x = W + k.ControlButtonOffsetX;
    for (const Button& button : row) {
        x -= k.ButtonWidth + 1 + button.gap;
        const int state = shot.active ? static_cast<int>(button.state) : 3;
        image.Draw(
            buttons,
            {button.column * k.ButtonWidth, state * k.ButtonHeight, k.ButtonWidth, k.ButtonHeight},
            x, k.ControlButtonOffsetY);
    }

    // Sides and bottom, from the in-active cells when the window is in-active.
    const int first = shot.active ? 0 : 7 * w;
    SheetImage side(2 * w, H, 0);
    for (int y = 0; y < H; y += b) {
        side.Draw(borders, {first, 0, w, b}, 0, y);
        side.Draw(borders, {first + 6 * w, 0, w, b}, w, y);
    }
    image.Draw(side, {0, 0, k.LeftBorderWidth, H - c}, 0, c);
    image.Draw(side, {2 * w - k.RightBorderWidth - 1, 0, k.RightBorderWidth + 1, H - c},
               W - k.RightBorderWidth - 1, c);
    for (int bx = 0; bx < W; bx += w)
        image.Draw(borders, {first + 3 * w, 0, w, b}, bx, H - b);
    image.Draw(borders, {first + 2 * w, 0, w, b}, 0, H - b);
    image.Draw(borders, {first + 4 * w, 0, w, b}, W - w, H - b);

    // The client area, within the margins the renderer gives the window.
    out.client = {k.LeftBorderWidth, c, W - k.LeftBorderWidth - (k.RightBorderWidth - 1),
                  H - c - (b - 1)};
    image.Fill(out.client, shot.active ? s.ActiveBackColor : s.InactiveBackColor);

    if (k.ShowIcon) {
        // A stand-in for the form's icon: a small framed window.
        image.Fill({k.IconLeft + 1, k.IconTop + 2, 14, 12}, 0x00704010);
        image.Fill({k.IconLeft + 2, k.IconTop + 5, 12, 8}, 0x00FFFFFF);
    }
    if (s.RoundAngle >= 1 && (s.RoundTop || s.RoundBottom))
        for (int y = 0; y < H; ++y)
            for (int px = 0; px < W; ++px)
                if (!InRegion(px, y, W, H, s.RoundAngle, s.RoundTop, s.RoundBottom))
                    image.SetPixel(px, y, kDesktopColour);

    out.title = {k.CaptionLeft > 0 ? k.CaptionLeft + 5 : k.ActiveLeftEnd + 5, k.TitleStartOffsetY,
                 0, 0};
    out.title.width = W - (k.ActiveRightEnd - k.ActiveRightStart) - out.title.x;
    out.titleColour = shot.active ? k.ActiveCaptionColor : k.InActiveCaptionColor;
    out.menuLeft = k.MenuStartOffsetX > 0 ? k.MenuStartOffsetX : k.ActiveLeftEnd - 3;
    out.menuTop = k.MenuStartOffsetY;
    out.menuColour = shot.active ? k.ActiveMenuColor : k.InActiveMenuColor;
    out.menuOver = k.ActiveMenuColorOver;
    out.menuBackground = k.MenuBackgroundColor;
    out.formText = s.ControlForeColor;
    return out;
}

} // namespace qel
