#include "tests/renderer/SyntheticSkin.h"
#include "base/Handle.h"

#include <olectl.h>

namespace qel::test {

ComPtr<IPictureDisp> FlatPicture(int w, int h, COLORREF background,
                                 const std::vector<Fill>& fills) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) return nullptr;
    {
        Selection selected(dc.get(), bitmap.get());
        auto fill = [&](RECT rc, COLORREF colour) {
            UniqueBrush brush(CreateSolidBrush(colour));
            FillRect(dc.get(), &rc, brush.get());
        };
        fill({0, 0, w, h}, background);
        for (const Fill& f : fills)
            fill(f.rect, f.colour);
    }
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap.get();
    ComPtr<IPictureDisp> picture;
    if (SUCCEEDED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.put_void())))
        bitmap.release(); // the picture owns it now
    return picture;
}

namespace skin {

ComPtr<IPictureDisp> CaptionPicture() {
    std::vector<Fill> fills;
    for (int set = 0; set < 2; ++set) {
        const int x = set * kSetWidth;
        fills.push_back({{x, 0, x + kLeftPiece, kCaptionHeight}, kLeft[set]});
        fills.push_back(
            {{x + kLeftPiece, 0, x + kLeftPiece + kMiddlePiece, kCaptionHeight}, kMiddle[set]});
        fills.push_back(
            {{x + kLeftPiece + kMiddlePiece, 0, x + kSetWidth, kCaptionHeight}, kRight[set]});
    }
    return FlatPicture(2 * kSetWidth, kCaptionHeight, 0, fills);
}

ComPtr<IPictureDisp> BorderPicture() {
    std::vector<Fill> fills;
    for (int k = 0; k < 14; ++k)
        fills.push_back({{k * kCell, 0, (k + 1) * kCell, kCellHeight}, BorderCell(k)});
    return FlatPicture(14 * kCell, kCellHeight, 0, fills);
}

ComPtr<IPictureDisp> ButtonPicture() {
    std::vector<Fill> fills;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            fills.push_back({{column * kButtonWidth, row * kButtonHeight,
                              (column + 1) * kButtonWidth, (row + 1) * kButtonHeight},
                             ButtonCell(column, row)});
    return FlatPicture(4 * kButtonWidth, 4 * kButtonHeight, 0, fills);
}

ComPtr<IPictureDisp> IconPicture() {
    return FlatPicture(kIconSize, kIconSize, kMagenta, {{{8, 8, 24, 24}, kIcon}});
}

namespace {

// The pictures and the numbers both configurations share: the caption pieces'
// positions as the control's slicing gives them.
ComPtr<Qel_SkinConfig> BaseConfig() {
    auto config = Qel_SkinConfig::Create();
    SkinSettings& s = config->Settings();
    s.Caption = CaptionPicture();
    s.Borders = BorderPicture();
    s.Buttons = ButtonPicture();
    s.ButtonWidth = kButtonWidth;
    s.ButtonHeight = kButtonHeight;
    s.ActiveLeftEnd = kLeftPiece + 1;
    s.ActiveRightStart = kLeftPiece + kMiddlePiece - 1;
    s.ActiveRightEnd = kSetWidth;
    s.InactiveOffset = kSetWidth;
    s.ActiveCaptionColor = kTitle[0];
    s.InActiveCaptionColor = kTitle[1];
    return config;
}

} // namespace

ComPtr<Qel_SkinConfig> SheetConfig() {
    auto config = BaseConfig();
    SkinSettings& s = config->Settings();
    s.FrmIcon = IconPicture();
    s.BorderHasInactiveVersion = VARIANT_TRUE;
    s.ControlButtonHasInactiveVersion = VARIANT_TRUE;
    s.CustomControlButtonPosition = VARIANT_TRUE;
    s.LeftBorderWidth = kSideBorder;
    s.RightBorderWidth = kSideBorder;
    s.TopSizingBorderHeight = 5;
    s.BottomSizingBorderHeight = 5;
    s.ControlButtonOffsetX = -kButtonRight;
    s.ControlButtonOffsetY = kButtonTop;
    s.ButtonGap = kButtonGap;
    s.TitleStartOffsetY = kTitleTop;
    s.CaptionLeft = kCaptionLeft;
    s.ShowIcon = VARIANT_TRUE;
    s.IconLeft = kIconLeft;
    s.IconTop = kIconTop;
    s.Name = L"Synthetic";
    return config;
}

ComPtr<Qel_SkinConfig> PlainConfig() {
    return BaseConfig();
}

} // namespace skin
} // namespace qel::test
