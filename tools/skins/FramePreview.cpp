#include "tools/skins/FramePreview.h"
#include "sheet/SkinSlice.h"

#include <stdexcept>

namespace qel {

FramePicture ComposeFrame(const SheetImage& sheet, const FrameShot& shot) {
    SkinSliceResult sliced = SliceSkinSheet(sheet, {shot.hasMenu, true, true});
    if (!sliced.slice) throw std::invalid_argument(sliced.problem);
    const SkinSlice& s = *sliced.slice;
    const SkinConfigValues& k = s.config;
    SheetImage caption = CutPicture(sheet, s.caption);
    SheetImage borders = CutPicture(sheet, s.borders);
    SheetImage buttons = CutPicture(sheet, s.buttons);
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
    SheetImage strip(W, layout.stripHeight, kDesktopColour), side(layout.sideWidth, H, 0);
    // The surfaces in FrameSurface's order.
    SheetImage* surfaces[] = {&caption, &borders, &buttons, &strip, &side, &image};
    for (const auto* copies : {&layout.caption, &layout.frame})
        for (const FrameCopy& c : *copies) {
            const PieceCopy& p = c.piece;
            surfaces[static_cast<int>(c.to)]->Draw(*surfaces[static_cast<int>(c.from)],
                                                   {p.fromX, p.fromY, p.to.Width(), p.to.Height()},
                                                   p.to.left, p.to.top);
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
