#include "creator/shell/VerdictIcons.h"
#include "base/Handle.h"

#include <functional>

namespace qel::creator {

namespace {

constexpr int kSize = 16;

// An icon whose shape `draw` paints with the pen it is given: in `colour` on
// the colour bitmap, and in black on the mask (white there means transparent).
forms::Picture DrawnIcon(COLORREF colour, const std::function<void(HDC)>& draw) {
    const WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap image(CreateCompatibleBitmap(screen.get(), kSize, kSize));
    UniqueBitmap mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
    UniqueDC imageDc(CreateCompatibleDC(screen.get())), maskDc(CreateCompatibleDC(screen.get()));
    UniquePen pen(CreatePen(PS_SOLID, 2, colour)), black(CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
    if (!image || !mask || !imageDc || !maskDc || !pen || !black) return nullptr;
    {
        const RECT all{0, 0, kSize, kSize};
        Selection imageSelected(imageDc.get(), image.get()), maskSelected(maskDc.get(), mask.get());
        FillRect(imageDc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        FillRect(maskDc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        Selection penOnImage(imageDc.get(), pen.get()), penOnMask(maskDc.get(), black.get());
        Selection hollowImage(imageDc.get(), GetStockObject(NULL_BRUSH));
        Selection hollowMask(maskDc.get(), GetStockObject(NULL_BRUSH));
        draw(imageDc.get());
        draw(maskDc.get());
    }
    // The icon takes copies of the two bitmaps, deselected by now.
    ICONINFO info{TRUE, 0, 0, mask.get(), image.get()};
    return forms::PictureFromIcon(UniqueIcon(CreateIconIndirect(&info)));
}

} // namespace

forms::Picture PassIcon() {
    return DrawnIcon(RGB(0, 160, 0), [](HDC dc) {
        const POINT tick[] = {{2, 8}, {6, 12}, {13, 3}};
        Polyline(dc, tick, 3);
    });
}

forms::Picture FailIcon() {
    return DrawnIcon(RGB(220, 0, 0), [](HDC dc) {
        Ellipse(dc, 2, 2, 15, 15);
        MoveToEx(dc, 4, 12, nullptr);
        LineTo(dc, 13, 4);
    });
}

} // namespace qel::creator
