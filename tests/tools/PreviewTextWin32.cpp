#include "base/Handle.h"
#include "renderer/ColourModel.h"
#include "tests/tools/PreviewText.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>

namespace qel::test {

namespace {

// The renderer's fonts: a new font object is 8 points of "MS Sans Serif".
UniqueFont CaptionFont(bool bold) {
    return UniqueFont(CreateFontA(-11, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                                  DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0, "MS Sans Serif"));
}

COLORREF Shade(uint32_t colour, bool light) {
    float h, s, l;
    RGBToHLS(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF, h, s, l);
    s *= 0.9f;
    if (l > 0.85f)
        l = light ? l - 0.2f : l - 0.5f;
    else if (l >= 0.2f)
        l = light ? std::min(l + 0.2f, 1.0f) : std::max(l - 0.2f, 0.0f);
    else
        l = light ? l + 0.4f : l + 0.2f;
    int32_t r, g, b;
    HLSToRGB(h, s, l, r, g, b);
    return RGB(r, g, b);
}

void Line(HDC dc, COLORREF colour, std::initializer_list<POINT> points) {
    UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    Selection selected(dc, pen.get());
    auto p = points.begin();
    MoveToEx(dc, p->x, p->y, nullptr);
    for (++p; p != points.end(); ++p)
        LineTo(dc, p->x, p->y);
}

// The menu bar as the skin's menu bar lays it out, the second item hot.
void DrawMenu(HDC dc, const FramePicture& f, bool active) {
    UniqueFont font = CaptionFont(false);
    Selection selected(dc, font.get());
    const int top = f.menuTop + 2;
    int x = 8;
    int index = 0;
    for (const char* item : {"File", "Edit", "View", "Help"}) {
        RECT text{0, 0, 0, 0};
        DrawTextA(dc, item, -1, &text, DT_CALCRECT);
        const int w = text.right - text.left, h = text.bottom - text.top;
        const bool hot = active && index++ == 1;
        if (hot) {
            const int l = f.menuLeft + x - 7, r = f.menuLeft + x + w + 8, b = top + h + 4;
            Line(dc, Shade(f.menuBackground, true), {{l, b - 1}, {l, top}, {r - 1, top}});
            Line(dc, Shade(f.menuBackground, false), {{r - 1, top}, {r - 1, b - 1}, {l, b - 1}});
        }
        SetTextColor(dc, hot ? f.menuOver : f.menuColour);
        RECT at{f.menuLeft + x, top + 2, f.menuLeft + x + w, top + 2 + h};
        DrawTextA(dc, item, -1, &at, DT_SINGLELINE);
        x += w + 11;
    }
}

} // namespace

void DrawPreviewText(SheetImage& image, int x, int y, const FramePicture& f, const FrameShot& shot,
                     const std::string& title) {
    const int w = f.image.Width(), h = f.image.Height();
    UniqueDC dc(CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib) return;
    Selection selectedBitmap(dc.get(), dib.get());
    const SheetImage part = image.Cut({x, y, w, h});
    const std::vector<uint32_t> pixels = part.ToBgra();
    std::copy(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits));
    SetBkMode(dc.get(), TRANSPARENT);
    {
        UniqueFont font = CaptionFont(shot.active);
        Selection selected(dc.get(), font.get());
        SetTextColor(dc.get(), f.titleColour);
        RECT probe{};
        DrawTextA(dc.get(), "Tg", 2, &probe, DT_CALCRECT | DT_SINGLELINE);
        RECT rc{f.title.x, f.title.y, f.title.Right(), f.title.y + probe.bottom - probe.top};
        DrawTextA(dc.get(), title.c_str(), -1, &rc, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SetTextColor(dc.get(), f.formText);
        RECT line{f.client.x + 12, f.client.y + 12, f.client.Right() - 8, f.client.Bottom()};
        DrawTextA(dc.get(), "Text in the form's colours.", -1, &line, DT_SINGLELINE);
    }
    if (shot.hasMenu) DrawMenu(dc.get(), f, shot.active);
    GdiFlush();
    image.Draw(SheetImage::FromBgra(w, h, static_cast<const uint32_t*>(bits)), x, y);
}

} // namespace qel::test
